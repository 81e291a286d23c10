// A printed text label, read back from the PDF with poppler: the label's picture fills its
// inch rectangle on the page, and its text is real text.
// Relies on fonts-liberation2 and poppler-utils (pdftoppm, pdftotext).
#include "objects/text/TGPLabel.h"
#include "platform/drawing/ScreenMetrics.h"
#include "support/PdfReadBack.h"
#include "support/SurfaceFixture.h"

#include <QtTest>

namespace {
constexpr int kDpi = 100; // the render resolution for reading back
} // namespace

class tst_TextLabelPrint : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void printedLabelFillsItsInchRectangle();
};

void tst_TextLabelPrint::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    if (!PdfReadBack::available()) QSKIP("poppler-utils are not installed");
}

void tst_TextLabelPrint::printedLabelFillsItsInchRectangle() {
    SurfaceFixture f;
    auto* l = f.surface->place<TGPLabel>(QRect(QPoint(48, 24), QPoint(240, 40)));
    l->setCaption(QStringLiteral("Printed Orlanto"));
    l->setBorderStyle(Gdi::bsSingle);
    l->setDepthShadow(2);
    l->layoutPass();
    const QRect bounds = l->bounds(); // 192 wide, 20 high after the layout

    const double x0 = 1.0, y0 = 2.0;
    const QString pdf = f.printToPdf(QStringLiteral("label.pdf"), x0, y0);
    QVERIFY(!pdf.isEmpty());
    // Printing leaves the label as it was.
    QCOMPARE(l->bounds(), bounds);

    // The border marks the picture's edges: (x0 + Left / 96) inches and so on.
    const QImage page = PdfReadBack::render(pdf, kDpi);
    QVERIFY(!page.isNull());
    const QRectF inches = TGGraphicControl::inchRect(bounds, x0, y0);
    const QRect ink = PdfReadBack::inkBounds(page, PdfReadBack::dark);
    const QRectF expected(inches.topLeft() * kDpi, inches.size() * kDpi);
    const QString off = PdfReadBack::edgesOff(ink, expected);
    QVERIFY2(off.isEmpty(), qPrintable(off));

    // The text is text, and it lies inside the label's rectangle (points: 72 per inch).
    QStringList found;
    QRectF box;
    for (const PdfReadBack::Word& w : PdfReadBack::words(pdf)) {
        found << w.text;
        if (w.text == QLatin1String("Orlanto")) box = w.box;
    }
    QVERIFY2(found.contains(QLatin1String("Printed")) && found.contains(QLatin1String("Orlanto")),
             qPrintable(found.join(' ')));
    const QRectF labelPoints(inches.topLeft() * 72, inches.size() * 72);
    QVERIFY(labelPoints.adjusted(-1, -1, 1, 1).contains(box));
}

QTEST_MAIN(tst_TextLabelPrint)
#include "tst_TextLabelPrint.moc"
