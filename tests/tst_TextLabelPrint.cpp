// A printed text label, read back from the PDF with poppler: the label's picture fills its
// inch rectangle on the page, and its text is real text.
// Relies on fonts-liberation2 and poppler-utils (pdftoppm, pdftotext).
#include "objects/text/TGPLabel.h"
#include "platform/PdfReportTarget.h"
#include "platform/Report.h"
#include "platform/ScreenMetrics.h"
#include "support/SurfaceFixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {
constexpr int kDpi = 100; // the render resolution for reading back

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QRect darkBounds(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100) ink |= QRect(x, y, 1, 1);
    return ink;
}
} // namespace

class tst_TextLabelPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void printedLabelFillsItsInchRectangle();
};

void tst_TextLabelPrint::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler-utils are not installed");
}

void tst_TextLabelPrint::printedLabelFillsItsInchRectangle() {
    SurfaceFixture f;
    auto* l = new TGPLabel(f.surface->owner());
    l->setSurface(f.surface.get());
    l->buildPopup();
    f.surface->AddObject(l, QRect(QPoint(48, 24), QPoint(240, 40)));
    l->setCaption(QStringLiteral("Printed Orlanto"));
    l->setBorderStyle(Gdi::bsSingle);
    l->setDepthShadow(2);
    l->layoutPass();
    const QRect bounds = l->bounds(); // 192 wide, 20 high after the layout

    const QString pdf = f.home.filePath(QStringLiteral("label.pdf"));
    platform::PdfReportTarget target(pdf);
    platform::Report report(target);
    const double x0 = 1.0, y0 = 2.0;
    report.onPrint = [&](platform::Report& r) {
        f.surface->setPrinting(true);
        f.surface->PrintObjects(r, x0, y0);
        f.surface->setPrinting(false);
    };
    QVERIFY2(report.run(), qPrintable(report.errorString()));
    // Printing leaves the label as it was.
    QCOMPARE(l->bounds(), bounds);

    // The border marks the picture's edges: (x0 + Left / 96) inches and so on.
    const QString prefix = pdf + QStringLiteral(".page");
    run(QStringLiteral("pdftoppm"),
        {"-r", QString::number(kDpi), "-f", "1", "-l", "1", "-singlefile", "-png", pdf, prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    const QRectF inches(
        QPointF(x0 + bounds.left() / 96.0, y0 + bounds.top() / 96.0),
        QPointF(x0 + (bounds.right() + 1) / 96.0, y0 + (bounds.bottom() + 1) / 96.0));
    const QRect ink = darkBounds(page);
    const QRectF expected(inches.topLeft() * kDpi, inches.size() * kDpi);
    QVERIFY2(std::abs(ink.left() - expected.left()) <= 1.5 &&
                 std::abs(ink.top() - expected.top()) <= 1.5 &&
                 std::abs(ink.right() + 1 - expected.right()) <= 1.5 &&
                 std::abs(ink.bottom() + 1 - expected.bottom()) <= 1.5,
             qPrintable(QStringLiteral("ink at %1,%2 %3x%4")
                            .arg(ink.x())
                            .arg(ink.y())
                            .arg(ink.width())
                            .arg(ink.height())));

    // The text is text, and it lies inside the label's rectangle (points: 72 per inch).
    const QString words = run(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    QVERIFY2(words.contains(QLatin1String(">Printed<")) &&
                 words.contains(QLatin1String(">Orlanto<")),
             qPrintable(words));
    static const QRegularExpression word(QStringLiteral(
        "xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">Orlanto<"));
    const QRegularExpressionMatch m = word.match(words);
    QVERIFY(m.hasMatch());
    const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                     QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
    const QRectF labelPoints(inches.topLeft() * 72, inches.size() * 72);
    QVERIFY(labelPoints.adjusted(-1, -1, 1, 1).contains(box));
}

QTEST_MAIN(tst_TextLabelPrint)
#include "tst_TextLabelPrint.moc"
