// The effect shape printed into a PDF and read back with poppler: the figure lands on its
// inch rectangle, the gradient's bands are drawn on the page with its first and last
// colours at the edges, the outline is its width in hundredths of an inch, the star's
// points are where the screen puts them, and a texture is embedded once for a sheet.
#include "support/PdfReadBack.h"
#include "support/SurfaceFixture.h"

#include "objects/shapes/TSuperShape.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/PdfReportTarget.h"
#include "platform/report/Report.h"

#include <QtTest>

namespace {
constexpr int kDpi = 300;
constexpr TColor cRed = 0x0000FF, cBlue = 0xFF0000;

QString printPdf(SurfaceFixture& f, TGGraphicControl& o, const QList<QPointF>& offsets) {
    const QString pdf = f.home.filePath(QStringLiteral("shape.pdf"));
    platform::PdfReportTarget target(pdf, kDpi);
    platform::Report report(target);
    report.onPrint = [&](platform::Report& r) {
        for (QPointF at : offsets)
            o.print(r, at.x(), at.y());
    };
    return report.run() ? pdf : QString();
}

bool notWhite(QRgb p) {
    return qGray(p) < 245;
}
bool dark(QRgb p) {
    return qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60;
}
bool near(QRgb p, QRgb want) {
    return std::abs(qRed(p) - qRed(want)) < 12 && std::abs(qGreen(p) - qGreen(want)) < 12 &&
           std::abs(qBlue(p) - qBlue(want)) < 12;
}
} // namespace

class tst_SuperShapePrint : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void gradientRectangleOnItsInches();
    void starPointsWhereTheScreenPutsThem();
    void textureEmbeddedOncePerSheet();
};

void tst_SuperShapePrint::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    if (!PdfReadBack::available()) QSKIP("poppler-utils are not installed");
}

void tst_SuperShapePrint::gradientRectangleOnItsInches() {
    SurfaceFixture f;
    TSuperShape s;
    s.setBounds(48, 24, 192, 96); // 2 x 1 inches, half an inch into the card
    s.setShape(TSuperShape::gstRectangle);
    s.setBackColor(cRed);
    s.setGradientToColor(cBlue);
    s.setFillDirection(Effect::gdRight);
    s.setOutlineWidth(5);
    const QString pdf = printPdf(f, s, {{1.0, 1.0}});
    QVERIFY(!pdf.isEmpty());
    const QImage page = PdfReadBack::render(pdf, kDpi);
    QVERIFY(!page.isNull());
    // The figure's box in inches at a one-inch card offset, within a 300-dpi pixel or
    // so; the outline's half width lies outside its edge.
    const QRect ink = PdfReadBack::inkBounds(page, notWhite);
    const TSuperShape::Box b = s.figureBox();
    const double scale = kDpi / 96.0, half = 0.05 * kDpi / 2;
    const QRectF expected(
        QPointF(300 + (48 + b.left) * scale - half, 300 + (24 + b.top) * scale - half),
        QPointF(300 + (48 + b.right) * scale + half, 300 + (24 + b.bottom) * scale + half));
    QVERIFY2(std::abs(ink.left() - expected.left()) <= 1.5 &&
                 std::abs(ink.top() - expected.top()) <= 1.5 &&
                 std::abs(ink.right() + 1 - expected.right()) <= 1.5 &&
                 std::abs(ink.bottom() + 1 - expected.bottom()) <= 1.5,
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(ink.x())
                            .arg(ink.y())
                            .arg(ink.width())
                            .arg(ink.height())));
    // The outline is 5 hundredths of an inch: 15 pixels at 300 dpi.
    const int y = 525;
    int x = ink.left();
    while (x < page.width() && dark(page.pixel(x, y)))
        ++x;
    QVERIFY2(std::abs(x - ink.left() - 15) <= 1, qPrintable(QString::number(x - ink.left())));
    // First band red at the left, last band blue at the right, drawn on the page.
    QVERIFY2(near(page.pixel(x + 2, y), qRgb(255, 0, 0)),
             qPrintable(QString::number(page.pixel(x + 2, y), 16)));
    int r = ink.right();
    while (r > 0 && dark(page.pixel(r, y)))
        --r;
    QVERIFY2(near(page.pixel(r - 2, y), qRgb(0, 0, 255)),
             qPrintable(QString::number(page.pixel(r - 2, y), 16)));
    QVERIFY(PdfReadBack::embeddedImages(pdf).isEmpty());
}

void tst_SuperShapePrint::starPointsWhereTheScreenPutsThem() {
    SurfaceFixture f;
    TSuperShape s;
    s.setBounds(0, 0, 96, 96);
    s.setSurfaceType(TSuperShape::stBrushPattern);
    s.setBackColor(cBlue);
    s.setOutlineStyle(Gdi::psClear);
    const QString pdf = printPdf(f, s, {{1.0, 1.0}});
    const QImage page = PdfReadBack::render(pdf, kDpi);
    QVERIFY(!page.isNull());
    const QPolygon star = s.starPolygon(s.figureBox());
    const QRect ink = PdfReadBack::inkBounds(page, notWhite);
    // The top point and the left-most point, in printer pixels at a one-inch offset.
    const double scale = kDpi / 96.0;
    QVERIFY2(std::abs(ink.top() - (300 + star[0].y() * scale)) <= 2,
             qPrintable(QString::number(ink.top())));
    int minX = star[0].x();
    for (const QPoint& p : star)
        minX = std::min(minX, p.x());
    QVERIFY2(std::abs(ink.left() - (300 + minX * scale)) <= 2,
             qPrintable(QString::number(ink.left())));
}

void tst_SuperShapePrint::textureEmbeddedOncePerSheet() {
    SurfaceFixture f;
    TSuperShape s;
    s.setBounds(0, 0, 96, 96);
    s.setShape(TSuperShape::gstEllipse);
    s.setSurfaceType(TSuperShape::stBrushImage);
    QImage texture(16, 16, QImage::Format_RGB32);
    texture.fill(qRgb(200, 100, 0));
    for (int i = 0; i < 16; ++i)
        texture.setPixel(i, i, qRgb(0, 100, 200));
    s.setTexture(texture);
    const QString pdf = printPdf(f, s, {{0.5, 0.5}, {2.5, 0.5}, {4.5, 0.5}, {0.5, 3.0}});
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(PdfReadBack::embeddedImages(pdf).size(), 1);
    const QImage page = PdfReadBack::render(pdf, 100);
    // Texture inside the ellipse, white outside it.
    QVERIFY(notWhite(page.pixel(300, 100)));
    QVERIFY(!notWhite(page.pixel(252, 52)));
}

QTEST_MAIN(tst_SuperShapePrint)
#include "tst_SuperShapePrint.moc"
