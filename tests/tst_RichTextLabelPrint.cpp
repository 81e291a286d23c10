// A printed rich text label, read back from the PDF with poppler: it fills its inch
// rectangle, its words are real text in bold and italic fonts as formatted, in their colours.
// Relies on fonts-liberation2 and poppler-utils (pdftoppm, pdftotext, pdffonts).
#include "objects/text/TGPRichBaseLabel.h"
#include "objects/text/TextKinds.h"
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

// The bounds of the pixels matching a test.
template <class Test> QRect inkBounds(const QImage& image, Test test) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y))) ink |= QRect(x, y, 1, 1);
    return ink;
}
} // namespace

class tst_RichTextLabelPrint : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void printedLabelIsFormattedText();
};

void tst_RichTextLabelPrint::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    for (const char* tool : {"pdftoppm", "pdftotext", "pdffonts"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QSKIP("poppler-utils are not installed");
}

void tst_RichTextLabelPrint::printedLabelIsFormattedText() {
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    auto* label = new TGPRichBaseLabel(f.surface->owner());
    label->setSurface(f.surface.get());
    label->buildPopup();
    f.surface->AddObject(label, QRect(QPoint(48, 24), QPoint(288, 72)));
    label->setRtf("{\\rtf1{\\fonttbl{\\f0 Liberation Sans;}}{\\colortbl;\\red255\\green0\\blue0;}"
                  "\\f0\\fs24 Plain {\\b Bold} {\\i Italic} {\\cf1 Red}\\par}");
    const QRect bounds = label->bounds();

    const QString pdf = f.home.filePath(QStringLiteral("rich.pdf"));
    platform::PdfReportTarget target(pdf);
    platform::Report report(target);
    const double x0 = 1.0, y0 = 2.0;
    report.onPrint = [&](platform::Report& r) {
        f.surface->setPrinting(true);
        f.surface->PrintObjects(r, x0, y0);
        f.surface->setPrinting(false);
    };
    QVERIFY2(report.run(), qPrintable(report.errorString()));

    const QRectF inches(QPointF(x0 + bounds.left() / 96.0, y0 + bounds.top() / 96.0),
                        QPointF(x0 + (bounds.left() + bounds.width()) / 96.0,
                                y0 + (bounds.top() + bounds.height()) / 96.0));
    // The border marks the label's inch rectangle.
    const QString prefix = pdf + QStringLiteral(".page");
    run(QStringLiteral("pdftoppm"),
        {"-r", QString::number(kDpi), "-f", "1", "-l", "1", "-singlefile", "-png", pdf, prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    const QRect ink = inkBounds(page, [](QRgb p) { return qGray(p) < 100; });
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
    // The red word is red, inside the label.
    const QRect red =
        inkBounds(page, [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80; });
    QVERIFY(!red.isEmpty());
    QVERIFY(expected.contains(red));

    // The words are text, inside the label's rectangle (points: 72 per inch).
    const QString words = run(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    const QRectF labelPoints(inches.topLeft() * 72, inches.size() * 72);
    for (const char* w : {"Plain", "Bold", "Italic", "Red"}) {
        const QRegularExpression word(
            QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                           "yMax=\"([\\d.]+)\">%1<")
                .arg(QLatin1String(w)));
        const QRegularExpressionMatch m = word.match(words);
        QVERIFY2(m.hasMatch(), qPrintable(words));
        const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                         QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        QVERIFY2(labelPoints.adjusted(-1, -1, 1, 1).contains(box), w);
    }
    // Bold and italic runs are set in the bold and italic faces.
    const QString fonts = run(QStringLiteral("pdffonts"), {pdf});
    QVERIFY2(fonts.contains(QLatin1String("LiberationSans-Bold ")) ||
                 fonts.contains(QLatin1String("LiberationSans-Bold\n")),
             qPrintable(fonts));
    QVERIFY2(fonts.contains(QLatin1String("LiberationSans-Italic")), qPrintable(fonts));
    QVERIFY2(fonts.contains(QRegularExpression(QStringLiteral("LiberationSans(-Regular)?\\s"))),
             qPrintable(fonts));
}

QTEST_MAIN(tst_RichTextLabelPrint)
#include "tst_RichTextLabelPrint.moc"
