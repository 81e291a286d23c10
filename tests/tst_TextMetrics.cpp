// Font mapping and text metrics in the platform's terms, and the canvas's text output:
// placement by the top-left of the first character cell, rotation, clipping.
// Relies on fonts-liberation2: "Arial" resolves to the metric-compatible Liberation Sans,
// whose numbers below are those of Arial.
#include "document/TGFont.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/GdiFont.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/drawing/TextMetrics.h"

#include <QFontInfo>
#include <QImage>
#include <QtTest>

namespace {
platform::GdiFont arial(int height) {
    platform::GdiFont f;
    f.name = QStringLiteral("Arial");
    f.height = height;
    return f;
}

// The bounding box of every pixel that is not white.
QRect inkBox(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
    return box;
}
} // namespace

class tst_TextMetrics : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void arialMetrics_data();
    void arialMetrics();
    void cellHeightPicksEmSize();
    void brokenHeightsStayDrawable_data();
    void brokenHeightsStayDrawable();
    void zoomedFontSize_data();
    void zoomedFontSize();
    void textOutPlacement_data();
    void textOutPlacement();
    void extTextOutClips();
};

void tst_TextMetrics::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    QCOMPARE(QFontInfo(arial(-13).toQFont()).family(), QStringLiteral("Liberation Sans"));
}

void tst_TextMetrics::arialMetrics_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("ascent");
    QTest::addColumn<int>("descent");
    QTest::addColumn<int>("internalLeading");
    QTest::addColumn<int>("externalLeading");
    QTest::addColumn<int>("widthOfTextSpace");
    // Arial's own numbers on the platform it comes from.
    QTest::newRow("10 pt") << -13 << 12 << 3 << 2 << 0 << 27;
    QTest::newRow("12 pt") << -16 << 14 << 3 << 1 << 1 << 34;
    QTest::newRow("15 pt") << -20 << 18 << 4 << 2 << 1 << 42;
}

void tst_TextMetrics::arialMetrics() {
    QFETCH(int, height);
    QFETCH(int, ascent);
    QFETCH(int, descent);
    QFETCH(int, internalLeading);
    QFETCH(int, externalLeading);
    QFETCH(int, widthOfTextSpace);
    const platform::TextMetrics tm(arial(height));
    QCOMPARE(tm.tmAscent, ascent);
    QCOMPARE(tm.tmDescent, descent);
    QCOMPARE(tm.tmHeight, ascent + descent);
    QCOMPARE(tm.tmInternalLeading, internalLeading);
    QCOMPARE(tm.tmExternalLeading, externalLeading);
    QCOMPARE(tm.textWidth(QStringLiteral("Text ")), widthOfTextSpace);
    QCOMPARE(tm.textExtent(QStringLiteral("Text ")), QSize(widthOfTextSpace, ascent + descent));
    // Turned text measures as horizontal text.
    platform::GdiFont turned = arial(height);
    turned.escapement = 900;
    QCOMPARE(platform::TextMetrics(turned).tmHeight, tm.tmHeight);
}

void tst_TextMetrics::cellHeightPicksEmSize() {
    // A positive height is the cell: 15 is the cell of the 13-pixel em.
    QCOMPARE(arial(15).emPixels(), 13);
    QCOMPARE(platform::TextMetrics(arial(15)).tmHeight, 15);
    QCOMPARE(arial(-13).emPixels(), 13);
}

void tst_TextMetrics::brokenHeightsStayDrawable_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("em");
    QTest::newRow("zero: default size") << 0 << platform::GdiFont::defaultEmPixels;
    QTest::newRow("huge character height") << -2000000000 << platform::GdiFont::maxEmPixels;
    QTest::newRow("huge cell height") << 2000000000 << platform::GdiFont::maxEmPixels;
    QTest::newRow("most negative")
        << std::numeric_limits<int>::min() << platform::GdiFont::maxEmPixels;
}

void tst_TextMetrics::brokenHeightsStayDrawable() {
    QFETCH(int, height);
    QFETCH(int, em);
    QCOMPARE(arial(height).emPixels(), em);
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    platform::Canvas c(p);
    c.font = arial(height);
    c.textOut(0, 0, QStringLiteral("A"));
}

void tst_TextMetrics::zoomedFontSize_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("height");
    QTest::newRow("1.0 keeps the height") << 1.0f << -13;
    QTest::newRow("1.5: 15 pt") << 1.5f << -20;
    // 10 × 1.3f is just under 13 in single precision: trunc gives 12 points.
    QTest::newRow("1.3: 12 pt") << 1.3f << -16;
    QTest::newRow("1.1: 11 pt") << 1.1f << -15;
}

void tst_TextMetrics::zoomedFontSize() {
    QFETCH(float, zoom);
    QFETCH(int, height);
    TGFont f; // Arial, 10 points
    QCOMPARE(f.height(), -13);
    QCOMPARE(f.gdiFont(zoom).height, height);
}

void tst_TextMetrics::textOutPlacement_data() {
    QTest::addColumn<int>("escapement");
    // The box the text cell covers, from the reference point (60, 60), for a text of
    // width w and cell height h: along the text direction w, across it h.
    QTest::addColumn<QPoint>("alongSign");  // direction of the text
    QTest::addColumn<QPoint>("acrossSign"); // direction from the cell's top to its bottom
    QTest::newRow("0") << 0 << QPoint(1, 0) << QPoint(0, 1);
    QTest::newRow("90") << 900 << QPoint(0, -1) << QPoint(1, 0);
    QTest::newRow("180") << 1800 << QPoint(-1, 0) << QPoint(0, -1);
    QTest::newRow("270") << 2700 << QPoint(0, 1) << QPoint(-1, 0);
}

void tst_TextMetrics::textOutPlacement() {
    QFETCH(int, escapement);
    QFETCH(QPoint, alongSign);
    QFETCH(QPoint, acrossSign);
    const QString text = QStringLiteral("Tg");
    const platform::TextMetrics tm(arial(-20));
    const int w = tm.textWidth(text), h = tm.tmHeight;
    QImage img(120, 120, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        platform::Canvas c(p);
        c.font = arial(-20);
        c.font.escapement = escapement;
        c.textOut(60, 60, text);
    }
    const QPoint origin(60, 60);
    const QPoint far = origin + alongSign * w + acrossSign * h;
    const QRect cell = QRect(origin, far).normalized().adjusted(-1, -1, 1, 1);
    const QRect ink = inkBox(img);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(cell.contains(ink), qPrintable(QStringLiteral("ink %1,%2 %3x%4 outside the cell")
                                                .arg(ink.x())
                                                .arg(ink.y())
                                                .arg(ink.width())
                                                .arg(ink.height())));
    // The ink runs along the text direction: longer that way than across.
    const int along = alongSign.x() != 0 ? ink.width() : ink.height();
    const int across = alongSign.x() != 0 ? ink.height() : ink.width();
    QVERIFY(along > across);
}

void tst_TextMetrics::extTextOutClips() {
    QImage img(120, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    const QRect clip(10, 10, 20, 8);
    {
        QPainter p(&img);
        platform::Canvas c(p);
        c.font = arial(-40);
        c.extTextOut(0, 0, clip, QStringLiteral("WWW"));
        // Nothing at all for an empty clip.
        c.extTextOut(0, 0, QRect(50, 5, 0, 10), QStringLiteral("WWW"));
    }
    const QRect ink = inkBox(img);
    QVERIFY(!ink.isEmpty());
    QVERIFY(clip.contains(ink));
}

QTEST_MAIN(tst_TextMetrics)
#include "tst_TextMetrics.moc"
