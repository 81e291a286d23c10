// Symbols, multi-line texts and circle texts printed into a PDF and read back with poppler:
// each fills its inch rectangle on the page, its text is real text in embedded fonts, circle
// text letters are turned where the arc turns them, and the codes of the symbol faces
// print as the pictograms they stand for.
// Relies on fonts-liberation2, fonts-symbola and poppler-utils.
#include "objects/text/TGMultiLineLabel.h"
#include "objects/text/TGPCircleText.h"
#include "objects/text/TGSymbolLabel.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/drawing/SymbolFonts.h"
#include "support/PdfReadBack.h"
#include "support/SurfaceFixture.h"

#include <QDir>
#include <QtTest>

namespace {
constexpr int kDpi = 100;            // the render resolution for reading back
constexpr double x0 = 1.0, y0 = 2.0; // the card's offset on the page, inches

using PdfReadBack::Word;

QString printToPdf(SurfaceFixture& f) {
    return f.printToPdf(QStringLiteral("card.pdf"), x0, y0);
}

// The object's rectangle on the page, in inches.
QRectF inchesOf(const QRect& bounds) {
    return TGGraphicControl::inchRect(bounds, x0, y0);
}

// The object's border, as printed, lies on its inch rectangle.
void checkBorderAt(const QString& pdf, const QRect& bounds) {
    const QImage page = PdfReadBack::render(pdf, kDpi);
    QVERIFY(!page.isNull());
    const QRectF inches = inchesOf(bounds);
    const QRectF expected(inches.topLeft() * kDpi, inches.size() * kDpi);
    const QString off =
        PdfReadBack::edgesOff(PdfReadBack::inkBounds(page, PdfReadBack::dark), expected);
    QVERIFY2(off.isEmpty(), qPrintable(off));
}

} // namespace

class tst_TextKindsPrint : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void multiLineTextIsRealTextInItsRectangle();
    void circleTextTurnsItsLetters();
    void symbolsPrintTheirPictograms_data();
    void symbolsPrintTheirPictograms();
};

void tst_TextKindsPrint::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    if (!PdfReadBack::available()) QSKIP("poppler-utils are not installed");
}

void tst_TextKindsPrint::multiLineTextIsRealTextInItsRectangle() {
    SurfaceFixture f;
    auto* t = f.surface->place<TGMultiLineLabel>(QRect(QPoint(40, 30), QPoint(200, 100)));
    t->setLines({QStringLiteral("Jane Example"), QStringLiteral("Harbour Road 4")});
    t->setAlignment(Gdi::taRightJustify);
    const QString pdf = printToPdf(f);
    QVERIFY(!pdf.isEmpty());
    const QRectF points(inchesOf(t->bounds()).topLeft() * 72, inchesOf(t->bounds()).size() * 72);
    QStringList found;
    for (const Word& w : PdfReadBack::words(pdf)) {
        found << w.text;
        QVERIFY2(points.adjusted(-1, -1, 1, 1).contains(w.box), qPrintable(w.text));
    }
    QCOMPARE(found, (QStringList{"Jane", "Example", "Harbour", "Road", "4"}));
    // Right-aligned: the lines end at the object's right edge, less the one pixel.
    const double right = points.right() - 72.0 / 96;
    QVERIFY(std::abs(PdfReadBack::words(pdf)[1].box.right() - right) < 1.5);
    QVERIFY(PdfReadBack::fonts(pdf).contains(QLatin1String("Liberation")));
}

void tst_TextKindsPrint::circleTextTurnsItsLetters() {
    SurfaceFixture f(400, 300);
    auto* t = f.surface->place<TGPCircleText>(QRect(QPoint(50, 40), QPoint(250, 240)));
    t->setCaption(QStringLiteral("MNOP"));
    t->setBorderStyle(Gdi::bsSingle);
    const QString pdf = printToPdf(f);
    QVERIFY(!pdf.isEmpty());
    checkBorderAt(pdf, t->bounds());
    std::map<QString, QRectF> boxes;
    for (const Word& w : PdfReadBack::words(pdf))
        boxes[w.text] = w.box;
    QCOMPARE(int(boxes.size()), 4);
    // M at the left reads upwards and P at the bottom upside down: turned letters lie
    // across their line, upright ones along it.
    const auto lying = [&](const char* letter) {
        const QRectF b = boxes[QLatin1String(letter)];
        return b.width() > b.height();
    };
    QVERIFY(lying("M"));
    QVERIFY(!lying("N"));
    QVERIFY(lying("O"));
    QVERIFY(!lying("P"));
    const QRectF points(inchesOf(t->bounds()).topLeft() * 72, inchesOf(t->bounds()).size() * 72);
    QVERIFY(boxes["M"].center().x() < points.center().x() - 30);
    QVERIFY(boxes["N"].center().y() < points.center().y() - 30);
    QVERIFY(boxes["O"].center().x() > points.center().x() + 30);
    QVERIFY(boxes["P"].center().y() > points.center().y() + 30);
}

void tst_TextKindsPrint::symbolsPrintTheirPictograms_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("code");
    QTest::addColumn<uint>("unicode");
    QTest::newRow("telephone") << "WingDings"
                               << "(" << 0x1F57Fu;
    QTest::newRow("envelope") << "WingDings"
                              << "*" << 0x1F582u;
    QTest::newRow("scissors") << "WingDings"
                              << "\"" << 0x2702u;
    QTest::newRow("ballot box with check") << "Wingdings 2"
                                           << "R" << 0x2611u;
    QTest::newRow("reference mark") << "Wingdings 2" << QString(QChar(0xF8)) << 0x203Bu;
    QTest::newRow("up-pointing triangle") << "Wingdings 3"
                                          << "p" << 0x25B2u;
    QTest::newRow("sans-serif arrow") << "Wingdings 3"
                                      << "f" << 0x1F850u;
    QTest::newRow("check mark") << "Webdings"
                                << "a" << 0x2714u;
    QTest::newRow("cat") << "Webdings" << QString(QChar(0xF6)) << 0x1F408u;
}

void tst_TextKindsPrint::symbolsPrintTheirPictograms() {
    QFETCH(QString, face);
    QFETCH(QString, code);
    QFETCH(uint, unicode);
    const char32_t u = char32_t(unicode);
    const QString character = QString::fromUcs4(&u, 1);
    SurfaceFixture f(300, 200);
    auto* s = f.surface->place<TGSymbolLabel>(QRect(QPoint(40, 40), QPoint(80, 80)));
    s->font()->setName(face);
    s->setCaption(code);
    f.surface->settleLayout(); // the symbol sizes itself to its character
    const QString printed = printToPdf(f);
    QVERIFY(!printed.isEmpty());
    QVERIFY(PdfReadBack::fonts(printed).contains(QLatin1String("Symbola")));
    const QRectF points(inchesOf(s->bounds()).topLeft() * 72, inchesOf(s->bounds()).size() * 72);
    if (u < 0x10000) {
        // Extracted as that character, inside the symbol's rectangle. (Poppler reads no
        // text back for glyphs beyond the 16-bit range; the pixels below show those.)
        const std::vector<Word> found = PdfReadBack::words(printed);
        QCOMPARE(int(found.size()), 1);
        QCOMPARE(found.front().text, character);
        QVERIFY(points.adjusted(-1, -1, 1, 1).contains(found.front().box));
    }
    // The reference: the same object showing the Unicode character itself in the drawing
    // face, which is installed and so taken as it is. Both pages must be the same.
    const QRect bounds = s->bounds();
    s->font()->setName(platform::SymbolFonts::drawingFamily());
    s->setCaption(character);
    s->setBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
    QCOMPARE(s->bounds(), bounds);
    QDir().rename(printed, printed + QStringLiteral(".symbol.pdf"));
    const QString reference = printToPdf(f);
    const QImage a = PdfReadBack::render(printed + QStringLiteral(".symbol.pdf"), 150),
                 b = PdfReadBack::render(reference, 150);
    QVERIFY(!a.isNull() && PdfReadBack::inkBounds(a, PdfReadBack::dark).isValid());
    QCOMPARE(a, b);
}

QTEST_MAIN(tst_TextKindsPrint)
#include "tst_TextKindsPrint.moc"
