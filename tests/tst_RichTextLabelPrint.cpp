// A printed rich text label, read back from the PDF with poppler: it fills its inch
// rectangle, its words are real text in bold and italic fonts as formatted, in their colours.
// Relies on fonts-liberation2 and poppler-utils (pdftoppm, pdftotext, pdffonts).
#include "objects/text/TGPRichBaseLabel.h"
#include "objects/text/TextKinds.h"
#include "platform/drawing/ScreenMetrics.h"
#include "support/PdfReadBack.h"
#include "support/SurfaceFixture.h"

#include <QRegularExpression>
#include <QtTest>

namespace {
constexpr int kDpi = 100; // the render resolution for reading back
} // namespace

class tst_RichTextLabelPrint : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void printedLabelIsFormattedText();
};

void tst_RichTextLabelPrint::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    if (!PdfReadBack::available()) QSKIP("poppler-utils are not installed");
}

void tst_RichTextLabelPrint::printedLabelIsFormattedText() {
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    auto* label = f.surface->place<TGPRichBaseLabel>(QRect(QPoint(48, 24), QPoint(288, 72)));
    label->setRtf("{\\rtf1{\\fonttbl{\\f0 Liberation Sans;}}{\\colortbl;\\red255\\green0\\blue0;}"
                  "\\f0\\fs24 Plain {\\b Bold} {\\i Italic} {\\cf1 Red}\\par}");
    const QRect bounds = label->bounds();

    const double x0 = 1.0, y0 = 2.0;
    const QString pdf = f.printToPdf(QStringLiteral("rich.pdf"), x0, y0);
    QVERIFY(!pdf.isEmpty());

    const QRectF inches = TGGraphicControl::inchRect(bounds, x0, y0);
    // The border marks the label's inch rectangle.
    const QImage page = PdfReadBack::render(pdf, kDpi);
    QVERIFY(!page.isNull());
    const QRect ink = PdfReadBack::inkBounds(page, PdfReadBack::dark);
    const QRectF expected(inches.topLeft() * kDpi, inches.size() * kDpi);
    const QString off = PdfReadBack::edgesOff(ink, expected);
    QVERIFY2(off.isEmpty(), qPrintable(off));
    // The red word is red, inside the label.
    const QRect red = PdfReadBack::inkBounds(
        page, [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80; });
    QVERIFY(!red.isEmpty());
    QVERIFY(expected.contains(red));

    // The words are text, inside the label's rectangle (points: 72 per inch).
    std::map<QString, QRectF> boxes;
    for (const PdfReadBack::Word& w : PdfReadBack::words(pdf))
        boxes[w.text] = w.box;
    const QRectF labelPoints(inches.topLeft() * 72, inches.size() * 72);
    for (const char* w : {"Plain", "Bold", "Italic", "Red"}) {
        QVERIFY2(boxes.count(QLatin1String(w)), w);
        QVERIFY2(labelPoints.adjusted(-1, -1, 1, 1).contains(boxes[QLatin1String(w)]), w);
    }
    // Bold and italic runs are set in the bold and italic faces.
    const QString fonts = PdfReadBack::fonts(pdf);
    QVERIFY2(fonts.contains(QLatin1String("LiberationSans-Bold ")) ||
                 fonts.contains(QLatin1String("LiberationSans-Bold\n")),
             qPrintable(fonts));
    QVERIFY2(fonts.contains(QLatin1String("LiberationSans-Italic")), qPrintable(fonts));
    QVERIFY2(fonts.contains(QRegularExpression(QStringLiteral("LiberationSans(-Regular)?\\s"))),
             qPrintable(fonts));
}

QTEST_MAIN(tst_RichTextLabelPrint)
#include "tst_RichTextLabelPrint.moc"
