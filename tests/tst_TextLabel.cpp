// The text label: layout pass and size rules, effect offsets and origins, alignment,
// rotation, fit to text, setters with their change and layout rules, popup commands, the
// Font commands, and values a card file may hold that the label must survive.
// Relies on fonts-liberation2: "Arial" is Liberation Sans, so Arial 10 pt (height -13)
// has a line height H = 15 + 2 + 0 = 17 and "Text " is 27 pixels wide.
#include "app/ObjectKinds.h"
#include "objects/text/TGPLabel.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/drawing/TextMetrics.h"
#include "support/LabelOn.h"
#include "support/SurfaceFixture.h"

#include <QLineEdit>
#include <QtTest>

namespace {
constexpr int H = 17; // Arial 10 pt line height
constexpr int W = 27; // width of "Text "

using Box = TGBaseLabel::Box;

// A label of the given size at (0, 0), outside any surface, laid out once.
std::unique_ptr<TGPLabel> label(int w = 142, int h = 33) {
    auto l = std::make_unique<TGPLabel>();
    l->setBounds(0, 0, w, h);
    return l;
}

void paintOnce(TGGraphicControl& o) {
    // The surface clips to the object; a fixed image is enough to run the paint.
    QImage img(200, 200, QImage::Format_RGB32);
    QPainter p(&img);
    platform::Canvas c(p);
    o.paint(c);
}

// A label placed on a card surface the way the text tool places it, without its dialog.
} // namespace

class tst_TextLabel : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void construction();
    void lineHeightRules_data();
    void lineHeightRules();
    void narrowHorizontalTakesTextWidth();
    void rotationSwapsAndCuts();
    void rotationBackSwapsAgain();
    void halfTurnNarrowsToTwiceTheText();
    void effectOffsets_data();
    void effectOffsets();
    void effectsPadAndOrigins();
    void rotatedBoxesAndOrigins_data();
    void rotatedBoxesAndOrigins();
    void alignment_data();
    void alignment();
    void angleOnlyTakesQuarterTurns_data();
    void angleOnlyTakesQuarterTurns();
    void rotationResetsAlignment();
    void zoomedLayout();
    void fitToText();
    void fitToTextOnlyGrows();
    void fitToTextIgnoresRotatedLabels();
    void settersFlagAndStale_data();
    void settersFlagAndStale();
    void boundsCheckRaisesEmptySize();
    void popupItemsInOrder();
    void popupRefreshChecks();
    void transparentAndBackgroundColor();
    void borderToggle();
    void rotationMenu();
    void textCommand();
    void editedTextLaysOutAgain_data();
    void editedTextLaysOutAgain();
    void fontCommandFits();
    void surfaceFontCommandAppliesFont();
    void fontStoredOnlyWhenOwn();
    void brokenValuesStayUsable_data();
    void brokenValuesStayUsable();
    void layoutSettlesOnTheCard_data();
    void layoutSettlesOnTheCard();
    void hugeCaptionStaysUsable();
};

void tst_TextLabel::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    const platform::TextMetrics tm(TGFont().gdiFont());
    QCOMPARE(tm.tmHeight + tm.tmInternalLeading + tm.tmExternalLeading, H);
    QCOMPARE(tm.textWidth(QStringLiteral("Text ")), W);
}

void tst_TextLabel::construction() {
    TGPLabel l;
    QCOMPARE(l.bounds(), QRect(0, 0, 142, 33));
    QCOMPARE(l.caption(), QStringLiteral("Text"));
    QCOMPARE(l.alignment(), Gdi::taLeftJustify);
    QCOMPARE(l.directionShadow(), TGBaseLabel::sdDownRight);
    QCOMPARE(l.directionHighlight(), TGBaseLabel::hdUpLeft);
    QCOMPARE(l.colorHighlight(), TColor(16776960));
    QCOMPARE(l.colorShadow(), TColor(8421504));
    QCOMPARE(l.shadowOffset(), QPoint(0, 0));
    QVERIFY(l.transparent());
    QCOMPARE(l.backColor(), TColor(TColor::clWhite));
    QCOMPARE(l.borderStyle(), Gdi::bsNone);
    QCOMPARE(l.font()->name(), QStringLiteral("Arial"));
    QCOMPARE(l.font()->size(), 10);
    QVERIFY(l.layoutStale());
}

void tst_TextLabel::lineHeightRules_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("expected");
    QTest::newRow("300 high: cut to trunc(1.2 L)") << 300 << 20;
    QTest::newRow("33 high (new label)") << 33 << 20;
    QTest::newRow("20 = trunc(1.2 L) stays") << 20 << 20;
    QTest::newRow("between L and 1.2 L stays") << 18 << 18;
    QTest::newRow("shorter than L: raised") << 10 << H;
}

void tst_TextLabel::lineHeightRules() {
    QFETCH(int, height);
    QFETCH(int, expected);
    auto l = label(142, height);
    l->layoutPass();
    QCOMPARE(l->height(), expected);
    QCOMPARE(l->width(), 142);
    QCOMPARE(l->textBox(), (Box{0, 0, 142, H}));
    QVERIFY(!l->layoutStale());
}

void tst_TextLabel::narrowHorizontalTakesTextWidth() {
    auto l = label(5, 20);
    l->layoutPass();
    QCOMPARE(l->width(), W);
    auto wider = label(6, 20);
    wider->layoutPass();
    QCOMPARE(wider->width(), 6);
}

void tst_TextLabel::rotationSwapsAndCuts() {
    auto l = label(142, 33);
    l->setAngle(90);
    QCOMPARE(l->bounds(), QRect(0, 0, 33, 142));
    l->layoutPass();
    QCOMPARE(l->height(), W * 12 / 10); // trunc(1.2 W) = 32
    QCOMPARE(l->width(), H * 12 / 10);  // between L and 1.2 L: 33 is cut to 20
    // A vertical label lower than 5 takes the text width.
    auto low = label(142, 33);
    low->setAngle(270);
    low->setBounds(0, 0, 30, 4);
    low->layoutPass();
    QCOMPARE(low->height(), W);
    QCOMPARE(low->width(), 20);
}

void tst_TextLabel::rotationBackSwapsAgain() {
    auto l = label(142, 33);
    l->setAngle(90);
    l->layoutPass(); // 20 x 32
    l->setAngle(0);
    QCOMPARE(l->bounds(), QRect(0, 0, 32, 20));
    // 0 -> 180 on a wide label exchanges nothing.
    l->setAngle(180);
    QCOMPARE(l->bounds(), QRect(0, 0, 32, 20));
}

void tst_TextLabel::halfTurnNarrowsToTwiceTheText() {
    auto l = label(142, 20);
    l->setAngle(180);
    l->layoutPass();
    QCOMPARE(l->width(), 2 * W);
    // Not wider than twice the text: kept.
    auto narrow = label(50, 20);
    narrow->setAngle(180);
    narrow->layoutPass();
    QCOMPARE(narrow->width(), 50);
}

void tst_TextLabel::effectOffsets_data() {
    QTest::addColumn<int>("shadowDirection");
    QTest::addColumn<int>("highlightDirection");
    QTest::addColumn<QPoint>("shadow");
    QTest::addColumn<QPoint>("highlight");
    // Depth 4 each.
    QTest::newRow("none") << int(TGBaseLabel::sdNone) << int(TGBaseLabel::hdNone) << QPoint(0, 0)
                          << QPoint(0, 0);
    QTest::newRow("right") << int(TGBaseLabel::sdRight) << int(TGBaseLabel::hdright) << QPoint(4, 0)
                           << QPoint(4, 0);
    QTest::newRow("left") << int(TGBaseLabel::sdLeft) << int(TGBaseLabel::hdLeft) << QPoint(-4, 0)
                          << QPoint(-4, 0);
    QTest::newRow("diagonal right") << int(TGBaseLabel::sdDownRight) << int(TGBaseLabel::hdUpRight)
                                    << QPoint(4, 4) << QPoint(4, -4);
    QTest::newRow("diagonal left") << int(TGBaseLabel::sdDownLeft) << int(TGBaseLabel::hdUpLeft)
                                   << QPoint(-4, 4) << QPoint(-4, -4);
    QTest::newRow("vertical") << int(TGBaseLabel::sdDown) << int(TGBaseLabel::hdUp) << QPoint(0, 4)
                              << QPoint(0, -4);
}

void tst_TextLabel::effectOffsets() {
    QFETCH(int, shadowDirection);
    QFETCH(int, highlightDirection);
    QFETCH(QPoint, shadow);
    QFETCH(QPoint, highlight);
    TGPLabel l;
    l.setDepthShadow(4);
    l.setDepthHighlight(4);
    l.setDirectionShadow(TGBaseLabel::TShadowDirection(shadowDirection));
    l.setDirectionHighlight(TGBaseLabel::THighlightDirection(highlightDirection));
    QCOMPARE(l.shadowOffset(), shadow);
    QCOMPARE(l.highlightOffset(), highlight);
    // Depth 0 displaces nothing.
    l.setDepthShadow(0);
    QCOMPARE(l.shadowOffset(), QPoint(0, 0));
}

void tst_TextLabel::effectsPadAndOrigins() {
    auto l = label(142, 100);
    l->setDirectionShadow(TGBaseLabel::sdDownRight);
    l->setDepthShadow(3);
    l->setDirectionHighlight(TGBaseLabel::hdUpLeft);
    l->setDepthHighlight(5);
    l->layoutPass();
    QCOMPARE(l->textPad(), QPoint(5, 5));
    QCOMPARE(l->height(), (H + 8) * 12 / 10); // needed height L = H + 8, cut to 1.2 L
    l->setHeight(10);
    l->layoutPass();
    QCOMPARE(l->height(), H + 8);
    QCOMPARE(l->highlightOrigin(), QPoint(0, 0));
    QCOMPARE(l->textOrigin(), QPoint(5, 5));
    QCOMPARE(l->shadowOrigin(), QPoint(8, 8));
    QCOMPARE(l->textBox(), (Box{5, 5, 142, 5 + H}));
    QCOMPARE(l->shadowBox(), (Box{8, 8, 145, 8 + H}));
    QCOMPARE(l->highlightBox(), (Box{0, 0, 137, H}));
}

void tst_TextLabel::rotatedBoxesAndOrigins_data() {
    QTest::addColumn<int>("angle");
    QTest::addColumn<Box>("text");
    QTest::addColumn<QPoint>("textOrigin");
    QTest::addColumn<QPoint>("shadowOrigin");
    // Shadow sdDownRight 3, highlight hdUpLeft 5: pad (5, 5), L = 25; the label is 30 x 32
    // when vertical (cut to 1.2 W = 32 and 1.2 L = 30) and 54 x 30 at 180 degrees.
    // 90: R = (5, 5, 22, 27) moved down by 32 - 23 + (-5) = 4.
    QTest::newRow("90") << 90 << Box{5, 9, 22, 31} << QPoint(5, 31) << QPoint(8, 28);
    // 180: R = (5, 5, 54, 22) moved right by 54 - 50 - 3 = 1.
    QTest::newRow("180") << 180 << Box{6, 5, 55, 22} << QPoint(55, 22) << QPoint(52, 19);
    // 270: R = (5, 5, 22, 27) stays.
    QTest::newRow("270") << 270 << Box{5, 5, 22, 27} << QPoint(22, 5) << QPoint(19, 8);
}

void tst_TextLabel::rotatedBoxesAndOrigins() {
    QFETCH(int, angle);
    QFETCH(Box, text);
    QFETCH(QPoint, textOrigin);
    QFETCH(QPoint, shadowOrigin);
    auto l = label(142, 33);
    l->setDepthShadow(3);
    l->setDepthHighlight(5);
    l->setAngle(angle);
    l->layoutPass();
    l->layoutPass(); // a second pass on the settled size changes nothing
    if (angle == 180) {
        QCOMPARE(l->width(), 2 * W);
        QCOMPARE(l->height(), 30);
    } else {
        QCOMPARE(l->width(), 30);
        QCOMPARE(l->height(), 32);
    }
    QCOMPARE(l->textBox(), text);
    QCOMPARE(l->textOrigin(), textOrigin);
    QCOMPARE(l->shadowOrigin(), shadowOrigin);
}

void tst_TextLabel::alignment_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("textX");
    // Shadow sdLeft 4: pad x 4; the text box is (4, 0, 142, H).
    QTest::newRow("left") << int(Gdi::taLeftJustify) << 4;
    QTest::newRow("right") << int(Gdi::taRightJustify) << 142 - W;
    // Centred on the box's width alone, the pad left out: (142 - 4) div 2 - 27 div 2.
    QTest::newRow("center") << int(Gdi::taCenter) << (142 - 4) / 2 - W / 2;
}

void tst_TextLabel::alignment() {
    QFETCH(int, alignment);
    QFETCH(int, textX);
    auto l = label(142, 20);
    l->setDirectionShadow(TGBaseLabel::sdLeft);
    l->setDepthShadow(4);
    l->setDepthHighlight(2); // hdUpLeft: (-2, -2)
    l->setAlignment(Gdi::TAlignment(alignment));
    l->layoutPass();
    QCOMPARE(l->textPad(), QPoint(4, 2));
    QCOMPARE(l->textOrigin(), QPoint(textX, 2));
    QCOMPARE(l->shadowOrigin(), QPoint(textX - 4, 2));
    QCOMPARE(l->highlightOrigin(), QPoint(textX - 2, 0));
    QCOMPARE(l->textBox(), (Box{4, 2, 142, 2 + H}));
}

void tst_TextLabel::angleOnlyTakesQuarterTurns_data() {
    QTest::addColumn<int>("angle");
    QTest::newRow("45") << 45;
    QTest::newRow("-90") << -90;
    QTest::newRow("360") << 360;
    QTest::newRow("huge") << std::numeric_limits<int>::max();
}

void tst_TextLabel::angleOnlyTakesQuarterTurns() {
    QFETCH(int, angle);
    auto l = label(142, 33);
    l->setAlignment(Gdi::taCenter);
    l->setAngle(angle);
    QCOMPARE(l->angle(), 0);
    QCOMPARE(l->alignment(), Gdi::taCenter);
    QCOMPARE(l->bounds(), QRect(0, 0, 142, 33));
    // As read from a card file (the card file sets properties by name).
    l->setReading(true);
    QVERIFY(l->setProperty("Angle", angle));
    l->setReading(false);
    QCOMPARE(l->angle(), 0);
    l->layoutPass();
    QCOMPARE(l->height(), 20);
}

void tst_TextLabel::rotationResetsAlignment() {
    auto l = label();
    l->setAlignment(Gdi::taRightJustify);
    l->setAngle(90);
    QCOMPARE(l->alignment(), Gdi::taLeftJustify);
    l->setAngle(0);
    QCOMPARE(l->alignment(), Gdi::taLeftJustify);
}

void tst_TextLabel::zoomedLayout() {
    // At zoom 1.5 the font is 15 points (height -20): H = 22 + 2 + 1 = 25.
    auto l = label(142, 100);
    l->setZoomFactor(1.5f);
    l->layoutPass();
    QCOMPARE(l->height(), 25 * 12 / 10);
}

void tst_TextLabel::fitToText() {
    auto l = label(30, 10);
    l->setCaption(QStringLiteral("Hello"));
    l->setDepthShadow(3);
    l->setDepthHighlight(5);
    l->fitToText();
    const platform::TextMetrics tm(TGFont().gdiFont());
    // X0 = 8 and Y0 = 8: the shadow box's corner.
    QCOMPARE(l->width(), 8 + tm.textWidth(QStringLiteral("Hello     ")));
    QVERIFY(l->layoutStale());
    QVERIFY(l->height() >= 8 + tm.tmHeight);
}

void tst_TextLabel::fitToTextOnlyGrows() {
    auto l = label(400, 20);
    l->fitToText();
    QCOMPARE(l->width(), 400);
    QCOMPARE(l->height(), 20);
}

void tst_TextLabel::fitToTextIgnoresRotatedLabels() {
    auto l = label(20, 32);
    l->setAngle(90);
    l->setCaption(QStringLiteral("A much longer text than before"));
    l->fitToText();
    QCOMPARE(l->bounds(), QRect(0, 0, 20, 32));
}

void tst_TextLabel::settersFlagAndStale_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("flags");
    QTest::addColumn<bool>("stale");
    QTest::newRow("Alignment") << QByteArray("Alignment") << QVariant::fromValue(Gdi::taCenter)
                               << true << true;
    QTest::newRow("DepthShadow") << QByteArray("DepthShadow") << QVariant(3) << false << true;
    QTest::newRow("DirectionShadow") << QByteArray("DirectionShadow")
                                     << QVariant::fromValue(TGBaseLabel::sdDown) << false << true;
    QTest::newRow("DepthHighlight") << QByteArray("DepthHighlight") << QVariant(3) << false << true;
    QTest::newRow("DirectionHighlight") << QByteArray("DirectionHighlight")
                                        << QVariant::fromValue(TGBaseLabel::hdUp) << false << true;
    QTest::newRow("colorShadow") << QByteArray("colorShadow") << QVariant::fromValue(TColor(0xFF))
                                 << false << false;
    QTest::newRow("colorHighlight")
        << QByteArray("colorHighlight") << QVariant::fromValue(TColor(0xFF)) << false << false;
    QTest::newRow("Caption") << QByteArray("Caption") << QVariant(QStringLiteral("New")) << true
                             << true;
    QTest::newRow("Transparent") << QByteArray("Transparent") << QVariant(false) << true << false;
    QTest::newRow("BackColor") << QByteArray("BackColor") << QVariant::fromValue(TColor(0xFF))
                               << true << false;
    QTest::newRow("BorderStyle") << QByteArray("BorderStyle") << QVariant::fromValue(Gdi::bsSingle)
                                 << true << false;
}

void tst_TextLabel::settersFlagAndStale() {
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QFETCH(bool, flags);
    QFETCH(bool, stale);
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f);
    l->layoutPass();
    f.changes = 0;
    QVERIFY(l->setProperty(property.constData(), value));
    QCOMPARE(f.changes > 0, flags);
    QCOMPARE(l->layoutStale(), stale);
    // The same value again does nothing.
    l->layoutPass();
    f.changes = 0;
    QVERIFY(l->setProperty(property.constData(), value));
    QCOMPARE(f.changes, 0);
    QVERIFY(!l->layoutStale());
}

void tst_TextLabel::boundsCheckRaisesEmptySize() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f);
    l->layoutPass();
    l->setBounds(10, 10, 0, -5);
    QCOMPARE(l->width(), 1);
    QCOMPARE(l->height(), 1);
    QVERIFY(l->layoutStale());
    // Settling lays out a label under 5 pixels again; painting changes nothing.
    paintOnce(*l);
    QCOMPARE(l->height(), 1);
    f.surface->settleLayout();
    QCOMPARE(l->height(), H);
    QCOMPARE(l->width(), W);
}

void tst_TextLabel::popupItemsInOrder() {
    TGPLabel l;
    l.buildPopup();
    QStringList captions;
    for (const auto& item : l.objectMenu()->items())
        captions << item.caption;
    const QStringList own =
        captions.mid(captions.indexOf(QStringLiteral("Center Horizontally")) + 1);
    QCOMPARE(own,
             (QStringList{"-", "Font", "Text Color...", "3D Effects", "Alignment", "Transparent",
                          "Background Color", "Border", "-", "Text", "-", "Rotation"}));
    QStringList align, rotation;
    for (const auto& item : l.objectMenu()->find(QStringLiteral("Alignment"))->submenu->items())
        align << item.caption;
    for (const auto& item : l.objectMenu()->find(QStringLiteral("Rotation"))->submenu->items())
        rotation << item.caption;
    QCOMPARE(align, (QStringList{"Left", "Center", "Right"}));
    QCOMPARE(rotation, (QStringList{"No Rotation", "90 Degrees", "180 Degrees", "270 Degrees"}));
}

void tst_TextLabel::popupRefreshChecks() {
    TGPLabel l;
    l.buildPopup();
    l.setAlignment(Gdi::taCenter);
    l.setAngle(180);
    l.setBorderStyle(Gdi::bsSingle);
    platform::MenuModel& m = *l.objectMenu();
    m.aboutToShow();
    QVERIFY(m.find(QStringLiteral("Border"))->checked);
    QStringList checked;
    for (const char* sub : {"Alignment", "Rotation"})
        for (const auto& item : m.find(QLatin1String(sub))->submenu->items())
            if (item.checked) checked << item.caption;
    // Turning to 180 reset the alignment to left.
    QCOMPARE(checked, (QStringList{"Left", "180 Degrees"}));
}

void tst_TextLabel::transparentAndBackgroundColor() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f);
    platform::MenuModel& m = *l->objectMenu();
    QVERIFY(m.find(QStringLiteral("Transparent"))->checked);
    // Cancelled colour dialog: nothing changes.
    QVERIFY(m.trigger(QStringLiteral("Background Color")));
    QVERIFY(l->transparent());
    f.dialogs.colors.push_back(TColor(0x00FFFF));
    QVERIFY(m.trigger(QStringLiteral("Background Color")));
    QVERIFY(!l->transparent());
    QCOMPARE(l->backColor(), TColor(0x00FFFF));
    QVERIFY(!m.find(QStringLiteral("Transparent"))->checked);
    f.changes = 0;
    QVERIFY(m.trigger(QStringLiteral("Transparent")));
    QVERIFY(l->transparent());
    QVERIFY(m.find(QStringLiteral("Transparent"))->checked);
    QCOMPARE(l->backColor(), TColor(0x00FFFF));
    QVERIFY(f.changes > 0);
}

void tst_TextLabel::borderToggle() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f);
    platform::MenuModel& m = *l->objectMenu();
    QVERIFY(!m.find(QStringLiteral("Border"))->checked);
    QVERIFY(m.trigger(QStringLiteral("Border")));
    QCOMPARE(l->borderStyle(), Gdi::bsSingle);
    QVERIFY(m.find(QStringLiteral("Border"))->checked);
    QVERIFY(m.trigger(QStringLiteral("Border")));
    QCOMPARE(l->borderStyle(), Gdi::bsNone);
}

void tst_TextLabel::rotationMenu() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f, QRect(QPoint(10, 10), QPoint(152, 30)));
    platform::MenuModel& rotation = *l->objectMenu()->find(QStringLiteral("Rotation"))->submenu;
    f.changes = 0;
    // 0 -> 180 on a wide label moves nothing, yet the card has changed.
    QVERIFY(rotation.trigger(QStringLiteral("180 Degrees")));
    QCOMPARE(l->angle(), 180);
    QVERIFY(f.changes > 0);
    QVERIFY(rotation.trigger(QStringLiteral("90 Degrees")));
    QCOMPARE(l->bounds(), QRect(10, 10, 20, 142));
    f.changes = 0;
    QVERIFY(rotation.trigger(QStringLiteral("90 Degrees")));
    QCOMPARE(f.changes, 0);
}

void tst_TextLabel::textCommand() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f, QRect(QPoint(10, 10), QPoint(40, 30)));
    f.dialogs.dialogs.push_back([](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>(QStringLiteral("LabelText"));
        if (!edit || edit->text() != QLatin1String("Text")) return int(QDialog::Rejected);
        edit->setText(QStringLiteral("Longer text"));
        return int(QDialog::Accepted);
    });
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("Text")));
    QCOMPARE(f.dialogs.dialogTitles, QStringList{QStringLiteral("Text")});
    QCOMPARE(l->caption(), QStringLiteral("Longer text"));
    const platform::TextMetrics tm(TGFont().gdiFont());
    QCOMPARE(l->width(), tm.textWidth(QStringLiteral("Longer text     ")));
    // Cancel changes nothing.
    f.dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("LabelText"))->setText(QStringLiteral("x"));
        return int(QDialog::Rejected);
    });
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("Text")));
    QCOMPARE(l->caption(), QStringLiteral("Longer text"));
}

void tst_TextLabel::editedTextLaysOutAgain_data() {
    QTest::addColumn<int>("angle");
    for (int angle : {0, 90, 180, 270})
        QTest::newRow(qPrintable(QString::number(angle))) << angle;
}

void tst_TextLabel::editedTextLaysOutAgain() {
    // A label's text changed through its dialog shows on the card as the card saved and
    // read again shows it, whichever way the label is turned; so does the change undone.
    QFETCH(int, angle);
    SurfaceFixture f;
    ObjectKinds::registerAll(*f.surface);
    TGPLabel* l = labelOn<TGPLabel>(f, QRect(QPoint(10, 10), QPoint(250, 43)));
    l->setAlignment(Gdi::taCenter);
    l->setAngle(angle);
    f.surface->settleLayout();
    f.surface->history().clear();
    const QImage before = f.surface->image().copy();
    f.dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("LabelText"))->setText(QStringLiteral("A"));
        return int(QDialog::Accepted);
    });
    f.dialogs.menuChoices.push_back(QStringLiteral("Text"));
    const QPoint at = l->bounds().center();
    f.click(at.x(), at.y(), Qt::NoModifier, Qt::RightButton);
    QCOMPARE(l->caption(), QStringLiteral("A"));
    f.surface->handle().clear(); // the click selected it
    const QString file = f.home.filePath(QStringLiteral("edited.ORL"));
    f.surface->saveCard(file);
    SurfaceFixture read;
    ObjectKinds::registerAll(*read.surface);
    read.surface->loadCard(file);
    QVERIFY(f.surface->image() == read.surface->image());

    f.surface->history().undo();
    QCOMPARE(l->caption(), QStringLiteral("Text"));
    f.surface->handle().clear();
    QVERIFY(f.surface->image() == before);
}

void tst_TextLabel::fontCommandFits() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f, QRect(QPoint(10, 10), QPoint(40, 30)));
    QFont big(QStringLiteral("Arial"));
    big.setPixelSize(40);
    big.setBold(true);
    f.dialogs.fonts.push_back(big);
    f.changes = 0;
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("Font")));
    QCOMPARE(l->font()->height(), -40);
    QVERIFY(l->font()->style().testFlag(Gdi::fsBold));
    QVERIFY(l->isFontStored());
    QVERIFY(f.changes > 0);
    platform::GdiFont g = l->font()->gdiFont();
    const platform::TextMetrics tm(g);
    QCOMPARE(l->width(), tm.textWidth(QStringLiteral("Text     ")));
    // Cancelled: the font stays, and the fit only ever enlarges.
    const QRect before = l->bounds();
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("Font")));
    QCOMPARE(l->font()->height(), -40);
    QCOMPARE(l->bounds().width(), before.width());
}

void tst_TextLabel::surfaceFontCommandAppliesFont() {
    SurfaceFixture f;
    TGPLabel* a = labelOn<TGPLabel>(f);
    TGPLabel* b = labelOn<TGPLabel>(f, QRect(QPoint(10, 60), QPoint(152, 90)));
    f.surface->handle().add(a);
    f.surface->handle().add(b);
    QFont chosen(QStringLiteral("Liberation Serif"));
    chosen.setPointSize(14);
    f.dialogs.fonts.push_back(chosen);
    a->layoutPass();
    f.surface->fontCommand();
    for (TGPLabel* l : {a, b}) {
        QCOMPARE(l->font()->name(), QStringLiteral("Liberation Serif"));
        QCOMPARE(l->font()->size(), 14);
        QVERIFY(l->layoutStale());
    }
    // The surface's own font does not change.
    QCOMPARE(f.surface->font().name(), QStringLiteral("Arial"));
}

void tst_TextLabel::fontStoredOnlyWhenOwn() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f);
    QVERIFY(!l->isFontStored());
    const QMetaObject* mo = l->metaObject();
    const QMetaProperty font = mo->property(mo->indexOfProperty("Font"));
    QVERIFY(!TGGraphicControl::isStored(*l, font));
    // A label whose font was never changed shows the surface's font.
    f.surface->font().setSize(14);
    QCOMPARE(l->displayFont().size(), 14);
    // Taking the surface's font, equal or not, makes it the label's own.
    l->takeFont(f.surface->font());
    QVERIFY(TGGraphicControl::isStored(*l, font));
    f.surface->font().setSize(8);
    QCOMPARE(l->displayFont().size(), 14);
    // A font property read from a file makes it the label's own too.
    TGPLabel read;
    read.setReading(true);
    read.font()->setHeight(-20);
    read.setReading(false);
    QVERIFY(read.isFontStored());
}

void tst_TextLabel::brokenValuesStayUsable_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("huge shadow depth")
        << QByteArray("DepthShadow") << QVariant(std::numeric_limits<int>::max());
    QTest::newRow("most negative shadow depth")
        << QByteArray("DepthShadow") << QVariant(std::numeric_limits<int>::min());
    QTest::newRow("huge highlight depth")
        << QByteArray("DepthHighlight") << QVariant(std::numeric_limits<int>::max());
    QTest::newRow("negative highlight depth") << QByteArray("DepthHighlight") << QVariant(-40000);
    QTest::newRow("shadow depth -20") << QByteArray("DepthShadow") << QVariant(-20);
    QTest::newRow("highlight depth -20") << QByteArray("DepthHighlight") << QVariant(-20);
    QTest::newRow("shadow direction 99") << QByteArray("DirectionShadow") << QVariant(99);
    QTest::newRow("highlight direction -1") << QByteArray("DirectionHighlight") << QVariant(-1);
    QTest::newRow("alignment 7") << QByteArray("Alignment") << QVariant(7);
    QTest::newRow("border style 5") << QByteArray("BorderStyle") << QVariant(5);
}

void tst_TextLabel::brokenValuesStayUsable() {
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    auto l = label(142, 33);
    l->setDirectionShadow(TGBaseLabel::sdDown);
    l->setDirectionHighlight(TGBaseLabel::hdUp);
    l->setReading(true);
    l->setProperty(property.constData(), value);
    l->setReading(false);
    for (int angle : {0, 90, 180, 270}) {
        l->setAngle(angle);
        paintOnce(*l);
        QVERIFY(l->width() >= 1 && l->height() >= 1);
        // Sizes stay within what the displacement limit allows.
        QVERIFY(l->width() <= 4 * TGBaseLabel::maxEffectDepth);
        QVERIFY(l->height() <= 4 * TGBaseLabel::maxEffectDepth);
    }
    // Enumerations keep a value of their own type.
    QVERIFY(l->directionShadow() >= TGBaseLabel::sdNone &&
            l->directionShadow() <= TGBaseLabel::sdDown);
    QVERIFY(l->directionHighlight() >= TGBaseLabel::hdNone &&
            l->directionHighlight() <= TGBaseLabel::hdUp);
    QVERIFY(l->alignment() >= Gdi::taLeftJustify && l->alignment() <= Gdi::taCenter);
    QVERIFY(l->borderStyle() == Gdi::bsNone || l->borderStyle() == Gdi::bsSingle);
}

void tst_TextLabel::layoutSettlesOnTheCard_data() {
    brokenValuesStayUsable_data();
    QTest::newRow("font height 0") << QByteArray("Font.Height") << QVariant(0);
}

void tst_TextLabel::layoutSettlesOnTheCard() {
    // Whatever the stored values, the first paint of the card settles the label's layout:
    // painting it asks for no further paint, and the window does not repaint for ever.
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    for (int angle : {0, 90, 180, 270}) {
        SurfaceFixture f;
        TGPLabel* l = labelOn<TGPLabel>(f);
        l->setReading(true);
        l->setDirectionShadow(TGBaseLabel::sdDown);
        l->setDirectionHighlight(TGBaseLabel::hdUp);
        l->setAngle(angle);
        if (property == "Font.Height")
            l->font()->setHeight(value.toInt());
        else
            l->setProperty(property.constData(), value);
        l->setReading(false);
        f.surface->image();
        int repaints = 0;
        f.surface->onRepaint = [&repaints] { ++repaints; };
        f.surface->image();
        QVERIFY2(repaints == 0,
                 qPrintable(QStringLiteral("angle %1: %2 repaints").arg(angle).arg(repaints)));
        QVERIFY(l->width() >= 1 && l->height() >= 1);
    }
}

void tst_TextLabel::hugeCaptionStaysUsable() {
    auto l = label(142, 33);
    l->setCaption(QString(200000, QLatin1Char('W')));
    l->fitToText();
    paintOnce(*l);
    QVERIFY(l->width() > 142);
    QVERIFY(l->height() >= H);
}

QTEST_MAIN(tst_TextLabel)
#include "tst_TextLabel.moc"
