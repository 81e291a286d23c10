// The symbol label: its character and size, the snap back after a resize, the room its
// effects take, the Symbol Selector, and symbol faces drawn through their Unicode mapping
// when the face is not installed.
// Relies on fonts-liberation2 and fonts-symbola.
#include "objects/text/TGMultiLineLabel.h"
#include "objects/text/TGSymbolLabel.h"
#include "objects/text/TGetSymbol.h"
#include "objects/text/TextKinds.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Cp1252.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/drawing/SymbolFonts.h"
#include "platform/drawing/TextMetrics.h"
#include "support/CardBytes.h"
#include "support/DialogControl.h"
#include "support/SurfaceFixture.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QListWidget>
#include <QPushButton>
#include <QRawFont>
#include <QSpinBox>
#include <QtTest>

using PS = TGBusinessCardPanel32;

namespace {
TGSymbolLabel* symbolOn(SurfaceFixture& f) {
    auto* s = f.surface->place<TGSymbolLabel>(QRect(QPoint(20, 20), QPoint(120, 90)));
    return s;
}

QSize characterSize(const TGSymbolLabel& s) {
    const platform::TextMetrics tm(s.displayFont().gdiFont(s.zoomFactor()));
    const QSize e = tm.textExtent(s.caption());
    return {int(1.1 * e.width()), int(1.1 * e.height())};
}

QImage render(const std::function<void(platform::Canvas&)>& draw) {
    QImage image(80, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    platform::Canvas canvas(painter);
    draw(canvas);
    return image;
}

// A code of a symbol face drawn through the canvas at 32 pixels, and the drawing face
// itself at that size, for references drawn with Qt alone.
QImage renderCode(const QString& face, const QString& code) {
    platform::GdiFont symbolFace;
    symbolFace.name = face;
    symbolFace.height = -32;
    return render([&](platform::Canvas& c) {
        c.font = symbolFace;
        c.textOut(10, 10, code);
    });
}

QFont drawingFace() {
    QFont symbola(platform::SymbolFonts::drawingFamily());
    symbola.setPixelSize(32);
    return symbola;
}
} // namespace

class tst_SymbolLabel : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void readSymbolKeepsOneSize_data();
    void readSymbolKeepsOneSize();
    void toolMakesBracketInWingDings();
    void resizeSnapsBack();
    void userResizeScalesCharacter_data();
    void userResizeScalesCharacter();
    void selectorKeepsUnmappedFace_data();
    void selectorKeepsUnmappedFace();
    void effectsEnlargeByTheirDepth();
    void surfaceFontCommandLeavesSymbolAlone();
    void popupHasSymbolItems();
    void selectorTakesCharacterAndFont();
    void fontButtonAlwaysShowsListSize();
    void columnsFollowListSize_data();
    void columnsFollowListSize();
    void mapping_data();
    void mapping();
    void everyMappedCodeHasAGlyph_data();
    void everyMappedCodeHasAGlyph();
    void mappedCodeDrawsItsPictogram_data();
    void mappedCodeDrawsItsPictogram();
    void emptyCodeDrawsMissingGlyphBox_data();
    void emptyCodeDrawsMissingGlyphBox();
};

void tst_SymbolLabel::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    if (!QFontDatabase::hasFamily(platform::SymbolFonts::drawingFamily()))
        QSKIP("fonts-symbola is not installed");
}

void tst_SymbolLabel::toolMakesBracketInWingDings() {
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    QString title;
    f.dialogs.dialogs.push_back([&](QDialog& d) {
        title = d.windowTitle();
        return int(QDialog::Rejected);
    });
    f.surface->setPanelState(PS::psSymbolLabel);
    f.drag(QPoint(30, 30), QPoint(200, 150));
    QCOMPARE(title, QStringLiteral("Symbol Selector"));
    QCOMPARE(int(f.surface->objects().size()), 1);
    auto* s = qobject_cast<TGSymbolLabel*>(f.surface->objects().front());
    QVERIFY(s);
    QCOMPARE(s->caption(), QStringLiteral("["));
    QCOMPARE(s->displayFont().name(), QStringLiteral("WingDings"));
    QCOMPARE(s->displayFont().size(), 24);
    QVERIFY(s->isFontStored());
    QCOMPARE(s->bounds(), QRect(QPoint(30, 30), characterSize(*s)));
}

void tst_SymbolLabel::resizeSnapsBack() {
    SurfaceFixture f;
    TGSymbolLabel* s = symbolOn(f);
    const QRect snapped = s->bounds();
    QCOMPARE(snapped.size(), characterSize(*s));
    s->setBounds(20, 20, 300, 150);
    QCOMPARE(s->bounds(), snapped);
    // A move keeps the size.
    s->setBounds(40, 50, 300, 150);
    QCOMPARE(s->bounds(), QRect(QPoint(40, 50), snapped.size()));
}

void tst_SymbolLabel::userResizeScalesCharacter_data() {
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<bool>("larger");
    QTest::newRow("bottom-right grip out") << "grip +30" << true;
    QTest::newRow("bottom-right grip in") << "grip -12" << false;
    QTest::newRow("Shift+Down") << "Shift+Down" << true;
    QTest::newRow("Shift+Up") << "Shift+Up" << false;
}

void tst_SymbolLabel::userResizeScalesCharacter() {
    QFETCH(QString, gesture);
    QFETCH(bool, larger);
    SurfaceFixture f;
    TGSymbolLabel* s = symbolOn(f);
    s->setCaption(QStringLiteral("(")); // the telephone
    f.surface->settleLayout();          // sizes it to the new character
    const QRect before = s->bounds();
    f.click(before.center().x(), before.center().y());
    QCOMPARE(f.surface->handle().count(), 1);
    if (gesture.startsWith(QLatin1String("grip"))) {
        // The frame's client rectangle reaches 2 pixels beyond the object on every side.
        const QPoint grab(before.right() + 2, before.bottom() + 2);
        f.surface->mouseMove(Qt::NoButton, {}, grab.x(), grab.y());
        QCOMPARE(f.surface->handle().grip(), 4);
        const int by = gesture.mid(5).toInt();
        f.drag(grab, grab + QPoint(by, by));
    } else {
        f.key(gesture.endsWith(QLatin1String("Down")) ? Qt::Key_Down : Qt::Key_Up,
              Qt::ShiftModifier);
    }
    QCOMPARE(s->displayFont().name(), QStringLiteral("WingDings"));
    QCOMPARE(s->caption(), QStringLiteral("("));
    QCOMPARE(s->displayFont().size() > 24, larger);
    QCOMPARE(s->displayFont().size() < 24, !larger);
    QCOMPARE(s->bounds(), QRect(before.topLeft(), characterSize(*s)));
}

void tst_SymbolLabel::selectorKeepsUnmappedFace_data() {
    QTest::addColumn<QString>("route");
    QTest::newRow("font dialog left on its face") << "font dialog";
    QTest::newRow("size box") << "size box";
}

void tst_SymbolLabel::selectorKeepsUnmappedFace() {
    QFETCH(QString, route);
    if (!platform::SymbolFonts::isMapped(QStringLiteral("WingDings")))
        QSKIP("WingDings is installed: nothing is mapped");
    SurfaceFixture f;
    TGSymbolLabel* s = symbolOn(f);
    s->setCaption(QStringLiteral("("));
    QStringList faces;
    f.dialogs.dialogs.push_back([&](QDialog& dialog) {
        auto& d = static_cast<TGetSymbol&>(dialog);
        auto* faceCombo = control<QComboBox>(d, "SymbolFaceCombo");
        for (int i = 0; i < faceCombo->count(); ++i)
            faces << faceCombo->itemText(i);
        if (route == QLatin1String("size box")) {
            control<QSpinBox>(d, "SymbolSizeBox")->setValue(36);
        } else {
            // OK in the font dialog on the face it opened on, at another size.
            QFont shown = d.chosenFont().toQFont();
            shown.setFamily(QFontInfo(shown).family());
            shown.setPointSize(36);
            f.dialogs.fonts.push_back(shown);
            d.fontbuttonClick();
        }
        return int(QDialog::Accepted);
    });
    QVERIFY(s->objectMenu()->trigger(QStringLiteral("Symbol Selector")));
    QCOMPARE(faces, platform::SymbolFonts::faces());
    QCOMPARE(s->displayFont().name(), QStringLiteral("WingDings"));
    QCOMPARE(s->caption(), QStringLiteral("("));
    QCOMPARE(s->displayFont().size(), 36);
    QCOMPARE(s->bounds().size(), characterSize(*s));
}

void tst_SymbolLabel::effectsEnlargeByTheirDepth() {
    SurfaceFixture f;
    TGSymbolLabel* s = symbolOn(f);
    const QSize plain = s->bounds().size();
    s->setDirectionShadow(TGBaseLabel::sdDownRight);
    s->setDepthShadow(4);
    s->setDirectionHighlight(TGBaseLabel::hdUpLeft);
    s->setDepthHighlight(4);
    f.surface->settleLayout(); // the command's end lays out and sizes
    QCOMPARE(s->textOrigin(), QPoint(4, 4));
    QCOMPARE(s->bounds().size(), plain + QSize(8, 8));
}

void tst_SymbolLabel::surfaceFontCommandLeavesSymbolAlone() {
    SurfaceFixture f;
    TGSymbolLabel* s = symbolOn(f);
    auto* text = f.surface->place<TGMultiLineLabel>(QRect(QPoint(150, 20), QPoint(250, 60)));
    QVERIFY(f.surface->surfaceMenu().trigger(QStringLiteral("Select All")));
    QFont serif(QStringLiteral("Liberation Serif"));
    serif.setPointSize(14);
    f.dialogs.fonts.push_back(serif);
    QVERIFY(f.surface->surfaceMenu().trigger(QStringLiteral("Font")));
    QCOMPARE(text->displayFont().name(), QStringLiteral("Liberation Serif"));
    QCOMPARE(s->displayFont().name(), QStringLiteral("WingDings"));
    QCOMPARE(s->displayFont().size(), 24);
}

void tst_SymbolLabel::popupHasSymbolItems() {
    SurfaceFixture f;
    TGSymbolLabel* s = symbolOn(f);
    QStringList captions;
    for (const auto& item : s->objectMenu()->items())
        captions << item.caption;
    const QStringList own =
        captions.mid(captions.indexOf(QStringLiteral("Center Horizontally")) + 1);
    QCOMPARE(own, (QStringList{"-", "Text Color...", "3D Effects", "Transparent",
                               "Background Color", "Border", "-", "Symbol Selector"}));
}

void tst_SymbolLabel::selectorTakesCharacterAndFont() {
    SurfaceFixture f;
    TGSymbolLabel* s = symbolOn(f);
    int selectedAtOpen = -1;
    f.dialogs.dialogs.push_back([&](QDialog& dialog) {
        auto& d = static_cast<TGetSymbol&>(dialog);
        selectedAtOpen = control<QListWidget>(d, "SymbolList")->currentRow();
        QFont big(QStringLiteral("WingDings"));
        big.setPointSize(36);
        f.dialogs.fonts.push_back(big);
        d.fontbuttonClick();
        control<QListWidget>(d, "SymbolList")->setCurrentRow(0x28 - 32); // the telephone
        return int(QDialog::Accepted);
    });
    QVERIFY(s->objectMenu()->trigger(QStringLiteral("Symbol Selector")));
    QCOMPARE(selectedAtOpen, '[' - 32);
    QCOMPARE(s->caption(), QStringLiteral("("));
    QCOMPARE(s->displayFont().size(), 36);
    QCOMPARE(s->bounds().size(), characterSize(*s));
}

void tst_SymbolLabel::fontButtonAlwaysShowsListSize() {
    TGetSymbol d;
    TGFont f;
    f.setName(QStringLiteral("WingDings"));
    f.setSize(48);
    d.setChosenFont(f);
    auto* fontButton = control<QPushButton>(d, "Fontbutton");
    QCOMPARE(fontButton->text(), QStringLiteral("WingDings, 20pt "));
    QFont bold(QStringLiteral("Liberation Serif"));
    bold.setPointSize(40);
    bold.setBold(true);
    ScriptedDialogHost host;
    host.fonts.push_back(bold);
    fontButton->click();
    QCOMPARE(fontButton->text(), QStringLiteral("Liberation Serif, 20pt Bold "));
    QCOMPARE(d.chosenFont().size(), 40);
    bold.setItalic(true);
    host.fonts.push_back(bold);
    fontButton->click();
    QCOMPARE(fontButton->text(), QStringLiteral("Liberation Serif, 20pt Italic "));
    QCOMPARE(control<QListWidget>(d, "SymbolList")->count(), 224);
}

void tst_SymbolLabel::columnsFollowListSize_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("columns");
    const int table[][2] = {{5, 1},  {6, 14}, {10, 14}, {11, 10}, {20, 10}, {21, 8},
                            {30, 8}, {31, 6}, {40, 6},  {41, 4},  {50, 4},  {51, 3},
                            {60, 3}, {61, 2}, {72, 2},  {73, 1}};
    for (const auto& row : table)
        QTest::addRow("%d points", row[0]) << row[0] << row[1];
}

void tst_SymbolLabel::columnsFollowListSize() {
    QFETCH(int, points);
    QFETCH(int, columns);
    QCOMPARE(TGetSymbol::columnsFor(points), columns);
}

void tst_SymbolLabel::mapping_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    const auto u = [](char32_t c) { return QString::fromUcs4(&c, 1); };
    QTest::newRow("telephone") << "WingDings"
                               << "(" << u(0x1F57F);
    QTest::newRow("envelope") << "Wingdings"
                              << "*" << u(0x1F582);
    QTest::newRow("scissors") << "WINGDINGS"
                              << "\"" << u(0x2702);
    QTest::newRow("cp1252 byte 0x80") << "WingDings" << QString(QChar(0x20AC)) << u(0x1F10B);
    QTest::newRow("folder") << "WingDings"
                            << "0" << u(0x1F5C0);
    QTest::newRow("ballot box with check") << "Wingdings 2"
                                           << "R" << u(0x2611);
    QTest::newRow("up-pointing triangle") << "WINGDINGS 3"
                                          << "p" << u(0x25B2);
    QTest::newRow("cat") << "webdings" << QString(QChar(0xF6)) << u(0x1F408);
    QTest::newRow("Greek alpha") << "Symbol"
                                 << "a" << u(0x03B1);
    QTest::newRow("Windows logo") << "WingDings" << QString(QChar(0xFF)) << u(0xF0FF);
    QTest::newRow("code without character") << "Symbol"
                                            << "\x7f" << u(0xF07F);
    QTest::newRow("text face") << "Liberation Sans"
                               << "abc"
                               << "abc";
    QTest::newRow("beyond the code page") << "WingDings" << u(0x4E00) << u(0x4E00);
}

void tst_SymbolLabel::mapping() {
    QFETCH(QString, face);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(platform::SymbolFonts::displayText(face, stored), shown);
}

void tst_SymbolLabel::everyMappedCodeHasAGlyph_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QList<int>>("empty"); // the codes the face leaves without a character
    QList<int> symbol{0x60, 0x7F};
    for (int code = 0x80; code <= 0x9F; ++code)
        symbol << code;
    symbol << 0xBD << 0xF0 << 0xFF;
    QTest::newRow("WingDings") << "WingDings" << QList<int>{0xFF};
    QTest::newRow("Wingdings 2") << "Wingdings 2"
                                 << QList<int>{0x7F, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF};
    QList<int> wingdings3{0x7F};
    for (int code = 0xF1; code <= 0xFF; ++code)
        wingdings3 << code;
    QTest::newRow("Wingdings 3") << "Wingdings 3" << wingdings3;
    QTest::newRow("Webdings") << "Webdings" << QList<int>{0x7F};
    QTest::newRow("Symbol") << "Symbol" << symbol;
}

// Each of the face's 224 codes is either one of its few empty codes, shown as the
// missing-glyph box, or a character the drawing face has a glyph for: no code falls back to
// another font's letter, and a table shifted by one shows here.
void tst_SymbolLabel::everyMappedCodeHasAGlyph() {
    QFETCH(QString, face);
    QFETCH(QList<int>, empty);
    const QRawFont drawing = QRawFont::fromFont(QFont(platform::SymbolFonts::drawingFamily()));
    QList<int> none;
    for (int code = 32; code <= 255; ++code) {
        const char byte = char(code);
        const QString stored = platform::Cp1252::decode(QByteArrayView(&byte, 1));
        const QList<uint> shown = platform::SymbolFonts::displayText(face, stored).toUcs4();
        QCOMPARE(shown.size(), 1);
        if (shown.front() == 0xF000u + uint(code))
            none << code;
        else
            QVERIFY2(drawing.supportsCharacter(shown.front()),
                     qPrintable(QString::number(code, 16) + " -> " +
                                QString::number(shown.front(), 16)));
    }
    QCOMPARE(none, empty);
}

void tst_SymbolLabel::mappedCodeDrawsItsPictogram_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("code");
    QTest::addColumn<uint>("unicode");
    QTest::newRow("telephone") << "WingDings"
                               << "(" << 0x1F57Fu;
    QTest::newRow("envelope") << "WingDings"
                              << "*" << 0x1F582u;
    QTest::newRow("scissors") << "WingDings"
                              << "\"" << 0x2702u;
    QTest::newRow("Wingdings 2 pen") << "Wingdings 2"
                                     << "!" << 0x1F58Au;
    QTest::newRow("Wingdings 3 arrow") << "Wingdings 3"
                                       << "!" << 0x2B60u;
    QTest::newRow("Webdings spider") << "Webdings"
                                     << "!" << 0x1F577u;
}

void tst_SymbolLabel::mappedCodeDrawsItsPictogram() {
    QFETCH(QString, face);
    QFETCH(QString, code);
    QFETCH(uint, unicode);
    const QImage drawn = renderCode(face, code);
    // A reference: the Unicode character drawn with Qt alone in the drawing face.
    const QFont symbola = drawingFace();
    const QImage reference = render([&](platform::Canvas& c) {
        c.painter().setFont(symbola);
        c.painter().setPen(Qt::black);
        const char32_t u = char32_t(unicode);
        c.painter().drawText(QPoint(10, 10 + QFontMetrics(symbola).ascent()),
                             QString::fromUcs4(&u, 1));
    });
    QVERIFY(drawn != render([](platform::Canvas&) {}));
    QCOMPARE(drawn, reference);
}

void tst_SymbolLabel::emptyCodeDrawsMissingGlyphBox_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("code");
    QTest::newRow("WingDings Windows logo") << "WingDings" << QString(QChar(0xFF));
    QTest::newRow("Wingdings 2") << "Wingdings 2" << QString(QChar(0x7F));
    QTest::newRow("Wingdings 3") << "Wingdings 3" << QString(QChar(0xF1));
    QTest::newRow("Webdings") << "Webdings" << QString(QChar(0x7F));
}

void tst_SymbolLabel::emptyCodeDrawsMissingGlyphBox() {
    QFETCH(QString, face);
    QFETCH(QString, code);
    const QImage drawn = renderCode(face, code);
    // The reference: the drawing face's glyph 0, the box a font shows for a character it
    // lacks, drawn with Qt alone.
    const QFont symbola = drawingFace();
    QGlyphRun box;
    box.setRawFont(QRawFont::fromFont(symbola));
    box.setGlyphIndexes({0});
    box.setPositions({QPointF(0, 0)});
    const QImage reference = render([&](platform::Canvas& c) {
        c.painter().setPen(Qt::black);
        c.painter().drawGlyphRun(QPointF(10, 10 + QFontMetrics(symbola).ascent()), box);
    });
    QVERIFY(reference != render([](platform::Canvas&) {}));
    QCOMPARE(drawn, reference);
}

void tst_SymbolLabel::readSymbolKeepsOneSize_data() {
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("shadow");
    for (int angle : {0, 90, 180, 270})
        for (int shadow : {0, 4})
            QTest::addRow("turned %d, shadow %d", angle, shadow) << angle << shadow;
}

void tst_SymbolLabel::readSymbolKeepsOneSize() {
    // A symbol read from a card file takes its size once; painting it, settling it again,
    // printing it and reading it again leave that size: screen and paper agree.
    QFETCH(int, angle);
    QFETCH(int, shadow);
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    QFile file(f.home.filePath(QStringLiteral("symbol.ORL")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(oneObjectCard("TGSymbolLabel", {{"Left", TGValue::fromInt(40)},
                                               {"Top", TGValue::fromInt(20)},
                                               {"Width", TGValue::fromInt(36)},
                                               {"Height", TGValue::fromInt(131)},
                                               {"DepthShadow", TGValue::fromInt(shadow)},
                                               {"Angle", TGValue::fromInt(angle)},
                                               {"Caption", TGValue::fromString("(")}}));
    file.close();
    f.surface->loadCard(file.fileName());
    QCOMPARE(f.surface->objects().size(), size_t(1));
    const QRect settled = f.surface->objects().front()->bounds();
    for (int i = 0; i < 5; ++i) {
        f.surface->invalidate();
        f.surface->image();
        f.surface->settleLayout();
        QCOMPARE(f.surface->objects().front()->bounds(), settled);
    }
    QVERIFY(!f.printToPdf(QStringLiteral("symbol.pdf"), 0, 0).isEmpty());
    QCOMPARE(f.surface->objects().front()->bounds(), settled);
    f.surface->clearObjects();
    f.surface->loadCard(file.fileName());
    QCOMPARE(f.surface->objects().front()->bounds(), settled);
}

QTEST_MAIN(tst_SymbolLabel)
#include "tst_SymbolLabel.moc"
