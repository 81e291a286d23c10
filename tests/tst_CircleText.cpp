// Circle text: where the paint puts each letter and how it turns it (read from the drawing
// calls), the properties dialog on its live sample, the tool, and the popup commands.
// Relies on fonts-liberation2 ("Arial" is Liberation Sans).
#include "objects/text/TCircleTextProperties.h"
#include "objects/text/TGPCircleText.h"
#include "objects/text/TextKinds.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/drawing/TextMetrics.h"
#include "support/DialogControl.h"
#include "support/SurfaceFixture.h"
#include "support/TextRecorder.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QtTest>

using PS = TGBusinessCardPanel32;
using CT = TGPCircleText;

namespace {
struct Drawn {
    QString text;
    QPoint at;
    int escapement; // tenths of a degree, 0 to 3599
    friend bool operator==(const Drawn&, const Drawn&) = default;
};

std::vector<Drawn> drawn(CT& t) {
    TextRecorder device;
    {
        QPainter painter(&device);
        platform::Canvas canvas(painter);
        t.paint(canvas);
    }
    std::vector<Drawn> out;
    for (const TextRecorder::Text& d : device.texts) {
        const int e = (qRound(d.angle * 10) % 3600 + 3600) % 3600;
        out.push_back({d.text, d.origin.toPoint(), e});
    }
    return out;
}

char* describe(const std::vector<Drawn>& v) {
    QString s;
    for (const Drawn& d : v)
        s += QStringLiteral("[%1 %2,%3 %4] ")
                 .arg(d.text)
                 .arg(d.at.x())
                 .arg(d.at.y())
                 .arg(d.escapement);
    return qstrdup(qPrintable(s));
}

CT* circleOn(SurfaceFixture& f, int w, int h) {
    auto* t = f.surface->place<CT>(QRect(QPoint(0, 0), QPoint(w, h)));
    return t;
}

int textHeight(const CT& t) {
    return platform::TextMetrics(t.displayFont().gdiFont()).tmHeight;
}
} // namespace

namespace QTest {
template <> char* toString(const std::vector<Drawn>& v) {
    return describe(v);
}
} // namespace QTest

class tst_CircleText : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void fourLettersOnFullCircle();
    void defaultTextSweeps355();
    void fiveLettersLeaveSixthPlaceEmpty();
    void oneLetterOnHalfArc();
    void mirroredHalfCircleFrom360();
    void mirrorWithoutAngledLettersChangesNothing();
    void lettersOnRightOrBottomEdgeSkipped_data();
    void lettersOnRightOrBottomEdgeSkipped();
    void fontSizeSpinEdges_data();
    void fontSizeSpinEdges();
    void toolOpensPropertiesAndTakesSample();
    void okWantsSomeText();
    void popupCommands();
};

void tst_CircleText::fourLettersOnFullCircle() {
    SurfaceFixture f;
    CT* t = circleOn(f, 200, 200);
    t->setCaption(QStringLiteral("ABCD"));
    const int r = 96 - textHeight(*t);
    const std::vector<Drawn> expected{{"A", {100 - r, 100}, 900},
                                      {"B", {100, 100 - r}, 0},
                                      {"C", {100 + r, 100}, 2700},
                                      {"D", {100, 100 + r}, 1800}};
    QCOMPARE(drawn(*t), expected);
}

void tst_CircleText::defaultTextSweeps355() {
    SurfaceFixture f;
    CT* t = circleOn(f, 200, 200);
    QCOMPARE(t->caption(), QStringLiteral("ABC DEF GHI JKL"));
    const std::vector<Drawn> d = drawn(*t);
    QCOMPARE(int(d.size()), 15);
    const int r = 96 - textHeight(*t);
    QCOMPARE(d.front(), (Drawn{"A", {100 - r, 100}, 900}));
    // Clockwise over the top: the second letter is up and to the right of the first.
    QVERIFY(d[1].at.y() < 100 && d[1].at.x() > 100 - r);
    QCOMPARE(d[1].escapement, 663); // 900 - 355 / 15 * 10, rounded
    // 14 steps of 355/15 degrees: the ring stays open by one step plus five degrees.
    QCOMPARE(d.back().text, QStringLiteral("L"));
    QCOMPARE(d.back().escapement, 1187);
    QVERIFY(d.back().at.x() < 100 && d.back().at.y() > 100);
}

void tst_CircleText::fiveLettersLeaveSixthPlaceEmpty() {
    SurfaceFixture f;
    CT* t = circleOn(f, 200, 200);
    t->setCaption(QStringLiteral("ABCDE"));
    const std::vector<Drawn> d = drawn(*t);
    QCOMPARE(int(d.size()), 5);
    // Steps of 72 degrees: 900, 180, -540 + 3600, ...
    const int expected[5] = {900, 180, 3060, 2340, 1620};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(d[size_t(i)].escapement, expected[i]);
}

void tst_CircleText::oneLetterOnHalfArc() {
    SurfaceFixture f;
    CT* t = circleOn(f, 200, 200);
    t->setCaption(QStringLiteral("Q"));
    t->setDegrees(CT::dg180);
    t->setStartingVector(CT::dg180);
    const int h = textHeight(*t);
    // The right end of the arc, whose centre sits one text height above the bottom.
    QCOMPARE(drawn(*t), (std::vector<Drawn>{{"Q", {100 + 96 - h, 200 - h}, 2700}}));
}

void tst_CircleText::mirroredHalfCircleFrom360() {
    SurfaceFixture f;
    CT* t = circleOn(f, 200, 200);
    t->setCaption(QStringLiteral("ABC"));
    t->setDegrees(CT::dg180);
    t->setStartingVector(CT::dg360);
    t->setMirror(true);
    const int h = textHeight(*t);
    // Taken from the end and turned half round, hanging inside a radius not reduced by the
    // text height: read left to right along the lower half.
    const std::vector<Drawn> expected{
        {"C", {196, h}, 900}, {"B", {100, h + 96}, 0}, {"A", {4, h}, 2700}};
    QCOMPARE(drawn(*t), expected);
}

void tst_CircleText::mirrorWithoutAngledLettersChangesNothing() {
    SurfaceFixture f;
    CT* plain = circleOn(f, 180, 120);
    CT* mirrored = circleOn(f, 180, 120);
    for (CT* t : {plain, mirrored}) {
        t->setDrawLettersAngled(false);
        t->setDegrees(CT::dg270);
    }
    mirrored->setMirror(true);
    const std::vector<Drawn> d = drawn(*plain);
    QCOMPARE(drawn(*mirrored), d);
    for (const Drawn& x : d)
        QCOMPARE(x.escapement, 0);
}

void tst_CircleText::lettersOnRightOrBottomEdgeSkipped_data() {
    QTest::addColumn<CT::TDegrees>("start");
    QTest::addColumn<bool>("alongX");
    QTest::addColumn<int>("extra");
    QTest::addColumn<bool>("drawnAtAll");
    // With the object 4 + h across (or down), the one letter lands exactly on the edge.
    QTest::newRow("right edge") << CT::dg180 << true << 4 << false;
    QTest::newRow("one inside the right edge") << CT::dg180 << true << 5 << true;
    QTest::newRow("bottom edge") << CT::dg90 << false << 4 << false;
    QTest::newRow("one inside the bottom edge") << CT::dg90 << false << 5 << true;
}

void tst_CircleText::lettersOnRightOrBottomEdgeSkipped() {
    QFETCH(CT::TDegrees, start);
    QFETCH(bool, alongX);
    QFETCH(int, extra);
    QFETCH(bool, drawnAtAll);
    SurfaceFixture f(600, 600);
    CT* t = circleOn(f, 200, 200);
    const int size = extra + textHeight(*t);
    t->setBounds(0, 0, alongX ? size : 200, alongX ? 200 : size);
    t->setCaption(QStringLiteral("W"));
    t->setStartingVector(start);
    const std::vector<Drawn> d = drawn(*t);
    QCOMPARE(int(d.size()), drawnAtAll ? 1 : 0);
    if (drawnAtAll) QCOMPARE(alongX ? d.front().at.x() : d.front().at.y(), size - 1);
}

void tst_CircleText::fontSizeSpinEdges_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("once");
    QTest::addColumn<int>("twice");
    QTest::newRow("145 up") << 145 << true << 150 << 150;
    QTest::newRow("148 up") << 148 << true << 153 << 153;
    QTest::newRow("12 down") << 12 << false << 7 << 7;
    QTest::newRow("10 down") << 10 << false << 10 << 10;
}

void tst_CircleText::fontSizeSpinEdges() {
    QFETCH(int, from);
    QFETCH(bool, up);
    QFETCH(int, once);
    QFETCH(int, twice);
    TCircleTextProperties dialog;
    dialog.sample.font()->setSize(from);
    const char* button = up ? "RapidChangeFontSizeUp" : "RapidChangeFontSizeDown";
    auto* spin = dialog.findChild<QAbstractButton*>(QLatin1String(button));
    QVERIFY(spin);
    spin->click();
    QCOMPARE(dialog.sample.font()->size(), once);
    spin->click();
    QCOMPARE(dialog.sample.font()->size(), twice);
}

void tst_CircleText::toolOpensPropertiesAndTakesSample() {
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    QString title, shownText;
    int zoomedWidth = 0;
    QString zoomLabel;
    f.dialogs.dialogs.push_back([&](QDialog& dialog) {
        auto& d = static_cast<TCircleTextProperties&>(dialog);
        title = d.windowTitle();
        shownText = control<QLineEdit>(d, "CaptionText")->text();
        control<QLineEdit>(d, "CaptionText")->setText(QStringLiteral("Orlanto Cards"));
        control<QSlider>(d, "DegreesBar")->setValue(2);
        control<QSlider>(d, "StartingAngleBar")->setValue(1);
        control<QCheckBox>(d, "cbMirrored")->setChecked(true);
        control<QCheckBox>(d, "cbDrawLettersAngled")->setChecked(true);
        // The sample's zoom is the dialog's alone.
        d.zoomMinusButtonClick();
        d.zoomMinusButtonClick();
        zoomLabel = control<QLabel>(d, "ZoomLabel")->text();
        zoomedWidth = d.sample.width();
        return int(QDialog::Accepted);
    });
    f.surface->setPanelState(PS::psCircleText);
    f.drag(QPoint(20, 20), QPoint(180, 120));
    QCOMPARE(title, QStringLiteral("CircleText Properties"));
    QCOMPARE(shownText, QStringLiteral("ABC DEF GHI JKL"));
    QCOMPARE(zoomLabel, QStringLiteral("80%"));
    QCOMPARE(zoomedWidth, 128);
    QCOMPARE(f.surface->panelState(), PS::psPointing);
    QCOMPARE(int(f.surface->objects().size()), 1);
    auto* t = qobject_cast<CT*>(f.surface->objects().front());
    QVERIFY(t);
    QCOMPARE(t->caption(), QStringLiteral("Orlanto Cards"));
    QCOMPARE(t->degrees(), CT::dg180);
    QCOMPARE(t->startingVector(), CT::dg90);
    QVERIFY(t->mirror());
    QCOMPARE(t->bounds(), QRect(20, 20, 160, 100));
    QCOMPARE(t->zoomFactor(), 1.0f);
}

void tst_CircleText::okWantsSomeText() {
    SurfaceFixture f;
    CT* t = circleOn(f, 150, 150);
    int resultWhenEmpty = -1;
    f.dialogs.dialogs.push_back([&](QDialog& dialog) {
        auto& d = static_cast<TCircleTextProperties&>(dialog);
        control<QLineEdit>(d, "CaptionText")->clear();
        d.setResult(QDialog::Rejected);
        d.accept();
        resultWhenEmpty = d.result();
        control<QLineEdit>(d, "CaptionText")->setText(QStringLiteral("X"));
        d.accept();
        return d.result();
    });
    QVERIFY(t->objectMenu()->trigger(QStringLiteral("Properties")));
    QCOMPARE(resultWhenEmpty, int(QDialog::Rejected));
    QCOMPARE(f.dialogs.messages, QStringList{"Please enter some text"});
    QCOMPARE(t->caption(), QStringLiteral("X"));

    // Cancel after changes leaves the object as it was.
    f.dialogs.dialogs.push_back([](QDialog& dialog) {
        auto& d = static_cast<TCircleTextProperties&>(dialog);
        control<QLineEdit>(d, "CaptionText")->setText(QStringLiteral("changed"));
        control<QCheckBox>(d, "cbDrawLettersAngled")->setChecked(false);
        return int(QDialog::Rejected);
    });
    QVERIFY(t->objectMenu()->trigger(QStringLiteral("Properties")));
    QCOMPARE(t->caption(), QStringLiteral("X"));
    QVERIFY(t->drawLettersAngled());
}

void tst_CircleText::popupCommands() {
    SurfaceFixture f;
    CT* t = circleOn(f, 150, 150);
    platform::MenuModel& m = *t->objectMenu();
    QVERIFY(m.find(QStringLiteral("Transparent"))->checked);
    QVERIFY(!m.find(QStringLiteral("Border"))->checked);
    f.dialogs.colors.push_back(TColor(0x00FFFF));
    QVERIFY(m.trigger(QStringLiteral("Background Color")));
    QCOMPARE(t->bgColor(), TColor(0x00FFFF));
    QVERIFY(!t->controlTransparent());
    QVERIFY(!m.find(QStringLiteral("Transparent"))->checked);
    QVERIFY(m.trigger(QStringLiteral("Border")));
    QCOMPARE(t->borderStyle(), Gdi::bsSingle);
    m.aboutToShow();
    QVERIFY(m.find(QStringLiteral("Border"))->checked);
    // Opaque and bordered: the background fills inside a black frame.
    QImage image(150, 150, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        platform::Canvas canvas(painter);
        t->paint(canvas);
    }
    QCOMPARE(image.pixel(0, 75), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(149, 75), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(2, 140), qRgb(255, 255, 0));
    QVERIFY(m.trigger(QStringLiteral("Transparent")));
    QVERIFY(t->controlTransparent());
    QCOMPARE(t->bgColor(), TColor(0x00FFFF));
    // The surface's Font command gives the circle text the font.
    TGFont serif;
    serif.setName(QStringLiteral("Liberation Serif"));
    t->applyFont(serif);
    QCOMPARE(t->displayFont().name(), QStringLiteral("Liberation Serif"));
}

QTEST_MAIN(tst_CircleText)
#include "tst_CircleText.moc"
