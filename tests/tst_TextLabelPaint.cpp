// What the text label draws, read back from a QImage: the shadow under the highlight
// under the main text, each copy clipped to its own box, background and border, and
// turned text inside its box with the right side up.
// Relies on fonts-liberation2 ("Arial" is Liberation Sans, which has the full block).
#include "objects/text/TGPLabel.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"

#include <QImage>
#include <QtTest>

namespace {
constexpr QRgb kPage = 0xFFC8C8C8; // light grey, to tell a transparent label from white
constexpr int kMargin = 10;
const TColor kRed = 0x0000FF, kLime = 0x00FF00, kBlue = 0xFF0000;

bool isRed(QRgb c) {
    return qRed(c) > qGreen(c) + 80 && qRed(c) > qBlue(c) + 80;
}
bool isLime(QRgb c) {
    return qGreen(c) > qRed(c) + 80 && qGreen(c) > qBlue(c) + 80;
}
bool isBlue(QRgb c) {
    return qBlue(c) > qRed(c) + 80 && qBlue(c) > qGreen(c) + 80;
}
bool isInk(QRgb c) {
    return c != kPage && c != qRgb(255, 255, 255);
}

std::unique_ptr<TGPLabel> makeLabel(const QString& caption, int fontHeight) {
    auto l = std::make_unique<TGPLabel>();
    TGFont f;
    f.setHeight(fontHeight);
    f.setColor(kBlue);
    l->takeFont(f);
    l->setCaption(caption);
    l->setColorShadow(kRed);
    l->setColorHighlight(kLime);
    return l;
}

// Paints the label as the surface does: at (kMargin, kMargin), clipped to its bounds, on
// a grey page; the layout is settled first so that the bounds stay put.
QImage render(TGBaseLabel& l) {
    l.layoutPass();
    l.layoutPass();
    QImage img(l.width() + 2 * kMargin, l.height() + 2 * kMargin, QImage::Format_RGB32);
    img.fill(kPage);
    QPainter p(&img);
    platform::Canvas c(p);
    c.translate(kMargin, kMargin);
    c.setClipRect(QRect(0, 0, l.width(), l.height()));
    l.paint(c);
    return img;
}

QRect inkBox(const QImage& img, bool (*match)(QRgb)) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (match(img.pixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

int countIn(const QImage& img, const QRect& r, bool (*match)(QRgb)) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.rect().contains(x, y) && match(img.pixel(x, y))) ++n;
    return n;
}

// A box of the label in image coordinates.
QRect onImage(const TGBaseLabel::Box& b) {
    return b.toQRect().translated(kMargin, kMargin);
}
} // namespace

class tst_TextLabelPaint : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void layersInOrder();
    void effectsNeedDepthAndDirection_data();
    void effectsNeedDepthAndDirection();
    void copiesClippedToTheirBoxes_data();
    void copiesClippedToTheirBoxes();
    void backgroundAndBorder();
    void turnedTextInsideItsBox_data();
    void turnedTextInsideItsBox();
};

void tst_TextLabelPaint::layersInOrder() {
    // A full block: the text, the highlight 3 to the right and the shadow 6 to the right.
    const QString block(QChar(0x2588));
    auto plain = makeLabel(block, -40);
    const QRect text = inkBox(render(*plain), isBlue);
    QVERIFY(text.width() > 10);

    auto l = makeLabel(block, -40);
    l->setBounds(0, 0, 200, 60);
    l->setDirectionShadow(TGBaseLabel::sdRight);
    l->setDepthShadow(6);
    l->setDirectionHighlight(TGBaseLabel::hdright);
    l->setDepthHighlight(3);
    const QImage img = render(*l);
    const int y = text.center().y();
    // The main text on top of both copies.
    QVERIFY(isBlue(img.pixel(text.center().x(), y)));
    QVERIFY(isBlue(img.pixel(text.right() - 1, y)));
    // Where only the two copies lie, the highlight covers the shadow.
    QVERIFY(isLime(img.pixel(text.right() + 2, y)));
    // Beyond the highlight, the shadow alone.
    QVERIFY(isRed(img.pixel(text.right() + 5, y)));
    QVERIFY(!isInk(img.pixel(text.right() + 8, y)));
}

void tst_TextLabelPaint::effectsNeedDepthAndDirection_data() {
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("sdNone depth 4") << int(TGBaseLabel::sdNone) << 4 << false;
    QTest::newRow("sdRight depth 0") << int(TGBaseLabel::sdRight) << 0 << false;
    QTest::newRow("sdRight depth 4") << int(TGBaseLabel::sdRight) << 4 << true;
}

void tst_TextLabelPaint::effectsNeedDepthAndDirection() {
    QFETCH(int, direction);
    QFETCH(int, depth);
    QFETCH(bool, drawn);
    auto l = makeLabel(QStringLiteral("Shadow"), -20);
    l->setDirectionShadow(TGBaseLabel::TShadowDirection(direction));
    l->setDepthShadow(depth);
    const QImage img = render(*l);
    QCOMPARE(!inkBox(img, isRed).isEmpty(), drawn);
    QVERIFY(!inkBox(img, isBlue).isEmpty());
}

void tst_TextLabelPaint::copiesClippedToTheirBoxes_data() {
    QTest::addColumn<bool>("shadow");
    QTest::newRow("shadow to the left") << true;
    QTest::newRow("highlight to the left") << false;
}

void tst_TextLabelPaint::copiesClippedToTheirBoxes() {
    QFETCH(bool, shadow);
    // A text far wider than its label: every copy runs past the label's right edge, and
    // a copy moved 8 to the left stops 8 before it, where its box ends.
    auto l = makeLabel(QStringLiteral("WWWWWWWWWWWW"), -30);
    l->setBounds(0, 0, 120, 40);
    if (shadow) {
        l->setDirectionShadow(TGBaseLabel::sdLeft);
        l->setDepthShadow(8);
    } else {
        l->setDirectionHighlight(TGBaseLabel::hdLeft);
        l->setDepthHighlight(8);
        l->setDepthShadow(0);
    }
    const QImage img = render(*l);
    bool (*copy)(QRgb) = shadow ? isRed : isLime;
    const QRect box = onImage(shadow ? l->shadowBox() : l->highlightBox());
    QCOMPARE(box.right() + 1, kMargin + 120 - 8);
    const QRect copyInk = inkBox(img, copy);
    QVERIFY(!copyInk.isEmpty());
    QVERIFY(box.contains(copyInk));
    // The main text reaches the label's edge; nothing at all leaves the label.
    QVERIFY(countIn(img, QRect(box.right() + 1, 0, 8, img.height()), isBlue) > 0);
    QVERIFY(QRect(kMargin, kMargin, l->width(), l->height()).contains(inkBox(img, isInk)));
    QVERIFY(onImage(l->textBox()).contains(inkBox(img, isBlue)));
}

void tst_TextLabelPaint::backgroundAndBorder() {
    auto l = makeLabel(QStringLiteral("x"), -13);
    l->setBounds(0, 0, 60, 20);
    QImage img = render(*l);
    const QRect label(kMargin, kMargin, l->width(), l->height());
    // Transparent, no border: the page shows at the corners.
    QCOMPARE(img.pixel(label.topLeft()), kPage);
    QCOMPARE(img.pixel(label.bottomRight()), kPage);

    l->setTransparent(false);
    l->setBackColor(0x00FFFF); // yellow
    l->setBorderStyle(Gdi::bsSingle);
    img = render(*l);
    const QRgb black = qRgb(0, 0, 0), yellow = qRgb(255, 255, 0);
    for (int x = label.left(); x <= label.right(); ++x) {
        QCOMPARE(img.pixel(x, label.top()), black);
        QCOMPARE(img.pixel(x, label.bottom()), black);
    }
    for (int y = label.top(); y <= label.bottom(); ++y) {
        QCOMPARE(img.pixel(label.left(), y), black);
        QCOMPARE(img.pixel(label.right(), y), black);
    }
    QCOMPARE(img.pixel(label.right() - 1, label.bottom() - 1), yellow);
    QCOMPARE(img.pixel(label.right() + 1, label.bottom() + 1), kPage);
}

void tst_TextLabelPaint::turnedTextInsideItsBox_data() {
    QTest::addColumn<int>("angle");
    QTest::newRow("0") << 0;
    QTest::newRow("90") << 90;
    QTest::newRow("180") << 180;
    QTest::newRow("270") << 270;
}

void tst_TextLabelPaint::turnedTextInsideItsBox() {
    QFETCH(int, angle);
    // "T": its bar marks the top of the text.
    auto l = makeLabel(QStringLiteral("T"), -40);
    l->setAngle(angle);
    const QImage img = render(*l);
    const QRect ink = inkBox(img, isBlue);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(onImage(l->textBox()).contains(ink), "text outside its box");
    // Which side of the ink holds the bar: the most ink in one third of the box.
    const int w = ink.width(), h = ink.height();
    const int top = countIn(img, QRect(ink.left(), ink.top(), w, h / 3), isBlue);
    const int bottom = countIn(img, QRect(ink.left(), ink.bottom() - h / 3 + 1, w, h / 3), isBlue);
    const int leftSide = countIn(img, QRect(ink.left(), ink.top(), w / 3, h), isBlue);
    const int rightSide = countIn(img, QRect(ink.right() - w / 3 + 1, ink.top(), w / 3, h), isBlue);
    switch (angle) {
    case 0:
        QVERIFY(top > 2 * bottom);
        break;
    case 90:
        QVERIFY(leftSide > 2 * rightSide);
        break; // turned left: the top faces left
    case 180:
        QVERIFY(bottom > 2 * top);
        break;
    case 270:
        QVERIFY(rightSide > 2 * leftSide);
        break;
    }
}

QTEST_MAIN(tst_TextLabelPaint)
#include "tst_TextLabelPaint.moc"
