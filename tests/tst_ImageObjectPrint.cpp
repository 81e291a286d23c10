// The picture object printed into a PDF and read back with poppler: bitmaps fill their
// inch rectangle (mirrored as on screen) and are embedded once however often the card is
// printed, metafiles stay vectors with real text, and the border frames the rectangle.
// Relies on poppler-utils (pdftoppm, pdftotext, pdfimages).
#include "support/PdfReadBack.h"
#include "support/SurfaceFixture.h"

#include "objects/shapes/TGImage.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/PdfReportTarget.h"
#include "platform/report/Report.h"

#include <QtTest>

namespace {
constexpr int kDpi = 100; // the render resolution for reading back
constexpr QRgb red = 0xFFFF0000, blue = 0xFF0000FF;
const QString fixtures = QStringLiteral(ORLANTO_FIXTURES "/pictures/");

bool reddish(QRgb p) {
    return qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
}
bool bluish(QRgb p) {
    return qBlue(p) > 200 && qRed(p) < 80 && qGreen(p) < 80;
}
bool dark(QRgb p) {
    return qGray(p) < 100;
}
bool notWhite(QRgb p) {
    return qGray(p) < 240;
}

// The object's inch rectangle at card offset (x0, y0), in render pixels.
QRectF expectedPixels(const TGImage& o, double x0, double y0) {
    const QRectF inches = o.inchRect(x0, y0);
    return QRectF(inches.topLeft() * kDpi, inches.size() * kDpi);
}

bool near(const QRect& ink, const QRectF& expected) {
    return std::abs(ink.left() - expected.left()) <= 1.5 &&
           std::abs(ink.top() - expected.top()) <= 1.5 &&
           std::abs(ink.right() + 1 - expected.right()) <= 1.5 &&
           std::abs(ink.bottom() + 1 - expected.bottom()) <= 1.5;
}

QString describe(const QRect& ink, const QRectF& expected) {
    return QStringLiteral("ink %1,%2 %3x%4, expected %5,%6 %7x%8")
        .arg(ink.x())
        .arg(ink.y())
        .arg(ink.width())
        .arg(ink.height())
        .arg(expected.x())
        .arg(expected.y())
        .arg(expected.width())
        .arg(expected.height());
}

// Prints the object at each card offset onto one PDF page; returns the file name.
QString printPdf(SurfaceFixture& f, TGImage& o, const QList<QPointF>& offsets) {
    const QString pdf = f.home.filePath(QStringLiteral("image.pdf"));
    platform::PdfReportTarget target(pdf);
    platform::Report report(target);
    report.onPrint = [&](platform::Report& r) {
        for (QPointF at : offsets)
            o.print(r, at.x(), at.y());
    };
    return report.run() ? pdf : QString();
}

platform::Graphic metafile(const QString& name) {
    QFile file(fixtures + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return platform::Graphic::fromMetafileData(file.readAll()).value_or(platform::Graphic());
}
} // namespace

class tst_ImageObjectPrint : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void bitmapFillsInchRectangleOnce_data();
    void bitmapFillsInchRectangleOnce();
    void reversedBitmap();
    void metafileStaysVector_data();
    void metafileStaysVector();
    void borderFramesRectangle();
};

void tst_ImageObjectPrint::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    if (!PdfReadBack::available()) QSKIP("poppler-utils are not installed");
}

void tst_ImageObjectPrint::bitmapFillsInchRectangleOnce_data() {
    QTest::addColumn<bool>("mirror");
    QTest::newRow("as loaded") << false;
    QTest::newRow("flipped and reversed") << true;
}

void tst_ImageObjectPrint::bitmapFillsInchRectangleOnce() {
    QFETCH(bool, mirror);
    SurfaceFixture f;
    TGImage o;
    o.setFlip(mirror);
    o.setReverse(mirror);
    QImage art(40, 20, QImage::Format_RGB32);
    art.fill(red);
    o.picture()->setGraphic(platform::Graphic::fromImage(art));
    o.setBounds(48, 24, 96, 48); // 1 x 0.5 inches, stretched from 40 x 20
    const QString pdf = printPdf(f, o, {{1.0, 1.0}, {4.0, 1.0}});
    QVERIFY(!pdf.isEmpty());
    const QImage page = PdfReadBack::render(pdf, kDpi);
    QVERIFY(!page.isNull());
    for (double x0 : {1.0, 4.0}) {
        const QRectF expected = expectedPixels(o, x0, 1.0);
        const QImage part = page.copy(expected.toRect().adjusted(-20, -20, 20, 20));
        QRect ink = PdfReadBack::inkBounds(part, reddish)
                        .translated(expected.toRect().topLeft() - QPoint(20, 20));
        QVERIFY2(near(ink, expected), qPrintable(describe(ink, expected)));
    }
    // Printed twice, embedded once.
    QCOMPARE(PdfReadBack::embeddedImages(pdf).size(), 1);
}

void tst_ImageObjectPrint::reversedBitmap() {
    // Left half red, right half blue; reversed, the page shows blue on the left.
    SurfaceFixture f;
    TGImage o;
    QImage art(40, 20, QImage::Format_RGB32);
    art.fill(blue);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            art.setPixel(x, y, red);
    o.picture()->setGraphic(platform::Graphic::fromImage(art));
    o.setBounds(0, 0, 96, 48);
    o.setReverse(true);
    const QImage page = PdfReadBack::render(printPdf(f, o, {{1.0, 1.0}}), kDpi);
    QVERIFY(!page.isNull());
    const QRect redInk = PdfReadBack::inkBounds(page, reddish),
                blueInk = PdfReadBack::inkBounds(page, bluish);
    QVERIFY2(blueInk.right() < redInk.left(), qPrintable(describe(redInk, blueInk)));
    QVERIFY(std::abs(blueInk.left() - 100) <= 1);
    QVERIFY(std::abs(redInk.right() + 1 - 200) <= 1);
}

void tst_ImageObjectPrint::metafileStaysVector_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("word");
    QTest::newRow("placeable WMF")
        << QStringLiteral("clipart.wmf") << QStringLiteral("OrlantoLogo");
    QTest::newRow("EMF") << QStringLiteral("drawing.emf") << QStringLiteral("VectorText");
}

void tst_ImageObjectPrint::metafileStaysVector() {
    QFETCH(QString, file);
    QFETCH(QString, word);
    SurfaceFixture f;
    TGImage o;
    o.picture()->setGraphic(metafile(file));
    QCOMPARE(o.graphic().kind(), platform::Graphic::Kind::Metafile);
    o.setBounds(48, 48, 192, 96);
    // Flip and Reverse do not apply to metafiles on paper either.
    o.setFlip(true);
    o.setReverse(true);
    const QString pdf = printPdf(f, o, {{1.0, 1.0}});
    QVERIFY(!pdf.isEmpty());
    // Glyphs the metafile places one by one may come out spaced apart.
    const QString text = PdfReadBack::text(pdf).remove(QLatin1Char(' '));
    QVERIFY2(text.contains(word), qPrintable(text));
    // No raster of the whole picture: only the metafile's own small bitmaps, if any.
    for (int width : PdfReadBack::embeddedImages(pdf))
        QVERIFY(width < 64);
    const QRectF expected = expectedPixels(o, 1.0, 1.0);
    const QRect ink = PdfReadBack::inkBounds(PdfReadBack::render(pdf, kDpi), notWhite);
    QVERIFY2(QRectF(expected).adjusted(-1.5, -1.5, 1.5, 1.5).contains(QRectF(ink)) &&
                 ink.width() > 20,
             qPrintable(describe(ink, expected)));
}

void tst_ImageObjectPrint::borderFramesRectangle() {
    SurfaceFixture f;
    TGImage o; // no picture: only the frame prints
    o.setBounds(48, 24, 96, 48);
    o.setBorderStyle(Gdi::bsSingle);
    const QString pdf = printPdf(f, o, {{1.0, 2.0}});
    const QImage page = PdfReadBack::render(pdf, kDpi);
    QVERIFY(!page.isNull());
    const QRectF expected = expectedPixels(o, 1.0, 2.0);
    const QRect ink = PdfReadBack::inkBounds(page, dark);
    QVERIFY2(near(ink, expected), qPrintable(describe(ink, expected)));
    // A frame, not a filled box.
    QCOMPARE(page.pixel(expected.center().toPoint()) | 0xFF000000, 0xFFFFFFFF);
}

QTEST_MAIN(tst_ImageObjectPrint)
#include "tst_ImageObjectPrint.moc"
