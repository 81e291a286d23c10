// A card holding pictures in today's formats (a PNG with alpha, a .jpeg, a GIF and an SVG
// logo), placed through the picture dialog, saved, reopened, dumped and printed into a PDF
// read back with poppler: every picture at its inch rectangle, the PNG's transparent
// corners showing the shape beneath, the SVG drawn as vectors (no image of it embedded).
#include "support/PdfReadBack.h"
#include "support/SurfaceFixture.h"

#include "objects/shapes/ShapeKinds.h"
#include "objects/shapes/TGImage.h"
#include "objects/shapes/TGImageBrowser.h"
#include "objects/shapes/TGLabelShapes.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/PdfReportTarget.h"
#include "platform/report/Report.h"

#include <QCheckBox>
#include <QProcess>
#include <QtTest>

namespace {
constexpr int kDpi = 300;
const QString fixtures = QStringLiteral(ORLANTO_FIXTURES "/pictures/");

bool notWhite(QRgb p) {
    return qGray(p) < 235;
}
bool lime(QRgb p) {
    return qGreen(p) > 200 && qRed(p) < 60 && qBlue(p) < 60;
}
bool reddish(QRgb p) {
    return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60;
}

// Places a picture object at `at` with the picture dialog, as the picture tool does.
TGImage* place(SurfaceFixture& f, const QString& file, QRect bounds, bool autoSize) {
    auto* image = f.surface->place<TGImage>(bounds);
    f.dialogs.dialogs.push_back([=](QDialog& d) {
        dynamic_cast<TGImageBrowser&>(d).selectFile(file);
        d.findChild<QCheckBox*>("AutoSizeCheckBox")->setChecked(autoSize);
        return int(QDialog::Accepted);
    });
    image->loadImageCommand();
    return image;
}

// An object's inch rectangle on a card printed at (1, 1) inch, in page pixels at kDpi.
QRectF pagePixels(const QRect& bounds) {
    const QRectF inches = TGGraphicControl::inchRect(bounds, 1.0, 1.0);
    return QRectF(inches.topLeft() * kDpi, inches.size() * kDpi);
}
} // namespace

class tst_TodaysPictures : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void savedReopenedDumpedAndPrinted();
};

void tst_TodaysPictures::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    if (!PdfReadBack::available()) QSKIP("poppler-utils are not installed");
}

void tst_TodaysPictures::savedReopenedDumpedAndPrinted() {
    SurfaceFixture f;
    ShapeKinds::registerAll(*f.surface);
    // The shape beneath the PNG: a lime rectangle.
    auto* box = f.surface->place<TGLabelShapes>(QRect(QPoint(0, 0), QPoint(150, 90)));
    box->brush()->setColor(TColor(0x00FF00));

    // An 80 x 48 PNG: opaque red with fully transparent 10 x 6 corners.
    QImage png(80, 48, QImage::Format_ARGB32);
    png.fill(Qt::red);
    for (const QPoint corner : {QPoint(0, 0), QPoint(70, 0), QPoint(0, 42), QPoint(70, 42)})
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 10; ++x)
                png.setPixel(corner + QPoint(x, y), 0);
    QVERIFY(png.save(f.home.filePath("logo.png")));
    QImage jpeg(48, 48, QImage::Format_RGB32);
    jpeg.fill(Qt::blue);
    QVERIFY(jpeg.save(f.home.filePath("photo.jpeg"), "JPEG"));

    place(f, f.home.filePath("logo.png"), QRect(24, 24, 10, 10), true);
    place(f, f.home.filePath("photo.jpeg"), QRect(200, 10, 10, 10), true);
    place(f, fixtures + "flag.gif", QRect(270, 10, 10, 10), true);
    place(f, fixtures + "logo.svg", QRect(QPoint(180, 100), QPoint(324, 172)), false);
    QVERIFY(f.dialogs.errors.isEmpty());

    const QString card = f.home.filePath("pictures.orl");
    f.surface->saveCard(card);

    // Reopened.
    SurfaceFixture g;
    ShapeKinds::registerAll(*g.surface);
    g.surface->loadCard(card);
    QCOMPARE(int(g.surface->objects().size()), 5);
    struct Expected {
        QRect bounds;
        QString className;
        bool alpha;
    };
    const QList<Expected> expected{{QRect(24, 24, 80, 48), "TBitmap", true},
                                   {QRect(200, 10, 48, 48), "TBitmap", false},
                                   {QRect(270, 10, 24, 16), "TBitmap", false},
                                   {QRect(180, 100, 144, 72), "TMetafile", false}};
    for (int i = 0; i < expected.size(); ++i) {
        auto* image = qobject_cast<TGImage*>(g.surface->objects()[size_t(i + 1)]);
        QVERIFY(image);
        QCOMPARE(image->bounds(), expected[i].bounds);
        QCOMPARE(image->graphic().className(), expected[i].className);
        QCOMPARE(image->graphic().image().hasAlphaChannel(), expected[i].alpha);
    }

    // Dumped by the command line.
    QProcess dump;
    dump.start(QStringLiteral(ORLANTO_BINARY_DIR "/orlanto"),
               {"dump", card, "--home", f.home.path()});
    QVERIFY(dump.waitForFinished(30000));
    const QString dumped = QString::fromUtf8(dump.readAllStandardOutput());
    QCOMPARE(dumped.count(QLatin1String("\"class\":\"TGImage\"")), 4);
    QCOMPARE(dumped.count(QLatin1String("\"Picture.Kind\":\"TBitmap\"")), 3);
    QCOMPARE(dumped.count(QLatin1String("\"Picture.Kind\":\"TMetafile\"")), 1);
    QCOMPARE(dumped.count(QLatin1String("\"Picture.Alpha\":true")), 1);

    // Printed.
    const QString pdf = f.home.filePath("pictures.pdf");
    platform::PdfReportTarget target(pdf);
    platform::Report report(target);
    report.onPrint = [&](platform::Report& r) { g.surface->printObjects(r, 1.0, 1.0); };
    QVERIFY(report.run());
    const QImage page = PdfReadBack::render(pdf, kDpi);
    QVERIFY(!page.isNull());
    const std::function<bool(QRgb)> inks[] = {reddish, notWhite, notWhite, notWhite};
    for (int i = 0; i < expected.size(); ++i) {
        const QRectF want = pagePixels(expected[i].bounds);
        const QRect around = want.toAlignedRect().adjusted(-6, -6, 6, 6);
        const QRect ink =
            PdfReadBack::inkBounds(page.copy(around), inks[i]).translated(around.topLeft());
        // Partly covered pixels count as ink: compare with the pixels the rectangle touches.
        const QRect touched = want.toAlignedRect();
        const bool within = std::abs(ink.left() - touched.left()) <= 1 &&
                            std::abs(ink.top() - touched.top()) <= 1 &&
                            std::abs(ink.right() - touched.right()) <= 1 &&
                            std::abs(ink.bottom() - touched.bottom()) <= 1;
        QVERIFY2(within, qPrintable(QStringLiteral("%1: ink %2,%3 %4x%5, expected %6,%7 %8x%9")
                                        .arg(expected[i].className)
                                        .arg(ink.x())
                                        .arg(ink.y())
                                        .arg(ink.width())
                                        .arg(ink.height())
                                        .arg(want.x())
                                        .arg(want.y())
                                        .arg(want.width())
                                        .arg(want.height())));
    }
    // The PNG's transparent corners show the lime rectangle beneath; its middle is red.
    const QRectF logo = pagePixels(expected[0].bounds);
    QVERIFY(lime(page.pixel((logo.topLeft() + QPointF(4, 4)).toPoint())));
    QVERIFY(lime(page.pixel((logo.bottomRight() - QPointF(4, 4)).toPoint())));
    QVERIFY(reddish(page.pixel(logo.center().toPoint())));
    // The three rasters are embedded, the SVG is not: it is drawn as paths (its red circle).
    QCOMPARE(PdfReadBack::embeddedImages(pdf).size(), 3);
    const QRectF svg = pagePixels(expected[3].bounds);
    const QRgb circle =
        page.pixel(QPointF(svg.left() + svg.width() / 4, svg.center().y()).toPoint());
    QCOMPARE(circle, qRgb(0xc0, 0, 0));
}

QTEST_MAIN(tst_TodaysPictures)
#include "tst_TodaysPictures.moc"
