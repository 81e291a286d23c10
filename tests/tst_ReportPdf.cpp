// Report jobs written as PDF (directly, and through the printer back end printing to a
// file), read back with poppler: where shapes land, page sizes, embedded pictures, and
// what an aborted or failed job leaves behind.
#include "support/PdfReadBack.h"

#include "platform/report/PdfReportTarget.h"
#include "platform/report/PrinterReportTarget.h"
#include "platform/report/Report.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QtTest>

#include <memory>
#include <stdexcept>
#include <unistd.h>

using platform::PdfReportTarget;
using platform::PrinterReportTarget;
using platform::Report;

namespace {
// A region of page 1 of a PDF (in pixels at dpi) rendered by poppler. The region is
// taken at the output's own resolution, where a one-pixel pen is a whole pixel: poppler
// would widen a thinner hairline to a whole pixel of its own.
QImage renderRegion(const QString& pdf, int dpi, const QRect& region) {
    const QString prefix = pdf + QStringLiteral(".region");
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {"-r", QString::number(dpi), "-f", "1", "-l", "1", "-x", QString::number(region.x()),
             "-y", QString::number(region.y()), "-W", QString::number(region.width()), "-H",
             QString::number(region.height()), "-singlefile", "-png", pdf, prefix});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QImage(prefix + QStringLiteral(".png"));
}

QString pdfInfo(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Whether a pixel is dark.
bool isDark(QRgb pixel) {
    return qGray(pixel) < 128;
}

// A target writing to fileName: kind "pdf" or "printer to file".
std::unique_ptr<platform::ReportTarget> makeTarget(const QString& kind, const QString& fileName) {
    if (kind == QLatin1String("pdf")) return std::make_unique<PdfReportTarget>(fileName);
    auto printer = std::make_unique<PrinterReportTarget>();
    printer->setOutputFileName(fileName);
    return printer;
}

QImage noise(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    return image;
}
} // namespace

class tst_ReportPdf : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void placement_data();
    void placement();
    void pagesAndPaper_data();
    void pagesAndPaper();
    void imageEmbeddedOncePerJob();
    void cardsOverPageDrawing_data();
    void cardsOverPageDrawing();
    void abortLeavesNoFile_data();
    void abortLeavesNoFile();
    void unwritablePath_data();
    void unwritablePath();
    void errorWhileDrawingLeavesNoFile();
    void fullDiskKeepsOlderFile();

  private:
    QTemporaryDir dir_;
};

void tst_ReportPdf::initTestCase() {
    QVERIFY(dir_.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QFAIL("pdftoppm (poppler-utils) is needed to read the PDF back");
}

void tst_ReportPdf::placement_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("pdf") << "pdf";
    QTest::newRow("printer to file") << "printer to file";
}

void tst_ReportPdf::placement() {
    QFETCH(QString, kind);
    // Inch rectangles from the sheet's top-left, including both corners of the sheet,
    // where a printer's unprintable border would shift a page that is not full-page.
    const QList<QRectF> rects{
        QRectF(QPointF(1.0, 1.0), QPointF(2.0, 1.5)),
        QRectF(QPointF(0.4567, 3.1234), QPointF(1.9, 3.8)),
        QRectF(QPointF(5.25, 7.333), QPointF(8.0, 10.5)),
        QRectF(QPointF(0.0, 0.0), QPointF(0.3, 0.3)),
        QRectF(QPointF(8.2, 10.7), QPointF(8.5, 11.0)),
    };
    // Drawn at (0, 0) with margins, it must land at the margins.
    const QPointF margins(3.3, 0.6);
    const QRectF marginRect(QPointF(0, 0), QPointF(1.0, 0.25));

    const QString file = dir_.filePath(kind + QStringLiteral(".pdf"));
    const auto target = makeTarget(kind, file);
    Report report(*target);
    report.onPrint = [&](Report& r) {
        r.brush = {TColor::clBlack, Gdi::bsSolid, {}};
        for (const QRectF& rect : rects)
            r.rectangle(rect.left(), rect.top(), rect.right(), rect.bottom());
        r.setLeftMargin(margins.x());
        r.setTopMargin(margins.y());
        r.rectangle(marginRect.left(), marginRect.top(), marginRect.right(), marginRect.bottom());
    };
    QVERIFY2(report.run(), qPrintable(report.errorString()));

    const int dpi = target->resolution();
    QVERIFY(dpi >= 300);
    QList<QRectF> expected = rects;
    expected << marginRect.translated(margins);
    for (const QRectF& rect : expected) {
        // Each corner in a small window around where it belongs.
        const QPoint tl = (rect.topLeft() * dpi).toPoint(),
                     br = (rect.bottomRight() * dpi).toPoint();
        const QRect tlWindow(QPoint(std::max(0, tl.x() - 20), std::max(0, tl.y() - 20)),
                             QSize(40, 40));
        const QRect brWindow(br - QPoint(20, 20), QSize(40, 40));
        const QRect tlInk = PdfReadBack::inkBounds(renderRegion(file, dpi, tlWindow), isDark)
                                .translated(tlWindow.topLeft());
        const QRect brInk = PdfReadBack::inkBounds(renderRegion(file, dpi, brWindow), isDark)
                                .translated(brWindow.topLeft());
        const QString where =
            QStringLiteral("inch rect %1,%2 %3,%4 at %5 dpi: ink from %6,%7 to %8,%9")
                .arg(rect.left())
                .arg(rect.top())
                .arg(rect.right())
                .arg(rect.bottom())
                .arg(dpi)
                .arg(tlInk.left())
                .arg(tlInk.top())
                .arg(brInk.right() + 1)
                .arg(brInk.bottom() + 1);
        QVERIFY2(qAbs(tlInk.left() - rect.left() * dpi) <= 0.5, qPrintable(where));
        QVERIFY2(qAbs(tlInk.top() - rect.top() * dpi) <= 0.5, qPrintable(where));
        QVERIFY2(qAbs(brInk.right() + 1 - rect.right() * dpi) <= 0.5, qPrintable(where));
        QVERIFY2(qAbs(brInk.bottom() + 1 - rect.bottom() * dpi) <= 0.5, qPrintable(where));
    }
}

void tst_ReportPdf::pagesAndPaper_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QSizeF>("points");
    QTest::newRow("letter, 1 page") << 1 << 1 << QSizeF(612, 792);
    QTest::newRow("letter, 3 pages") << 1 << 3 << QSizeF(612, 792);
    QTest::newRow("A4, 2 pages") << 9 << 2 << QSizeF(595.28, 841.89);
}

void tst_ReportPdf::pagesAndPaper() {
    QFETCH(int, paper);
    QFETCH(int, pages);
    QFETCH(QSizeF, points);
    const QString file = dir_.filePath(QStringLiteral("pages.pdf"));
    PdfReportTarget target(file);
    Report report(target);
    QCOMPARE(report.maxCopies(), 1); // a PDF has every sheet drawn
    report.setPaperSize(paper);
    report.onPrint = [pages](Report& r) {
        while (r.currentPage() < pages)
            QVERIFY(r.newPage());
    };
    QVERIFY(report.run());
    const QString info = pdfInfo(file);
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))),
             qPrintable(info));
    const auto m =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    QVERIFY2(m.hasMatch(), qPrintable(info));
    QVERIFY(qAbs(m.captured(1).toDouble() - points.width()) < 0.5);
    QVERIFY(qAbs(m.captured(2).toDouble() - points.height()) < 0.5);
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Orlanto\\n"))));
}

void tst_ReportPdf::imageEmbeddedOncePerJob() {
    // A logo that does not compress, drawn ten times on each of 100 sheets.
    const QImage logo = noise(256);
    auto write = [&](const QString& name, int pages, int perPage) {
        const QString file = dir_.filePath(name);
        PdfReportTarget target(file);
        Report report(target);
        report.onPrint = [&](Report& r) {
            for (int page = 1; page <= pages; ++page) {
                if (page > 1) r.newPage();
                for (int i = 0; i < perPage; ++i)
                    r.stretchDraw(QRectF(0.5 + i * 0.7, 1.0, 0.6, 0.6), logo);
            }
        };
        return report.run() ? QFileInfo(file).size() : -1;
    };
    const qint64 once = write(QStringLiteral("once.pdf"), 1, 1);
    const qint64 thousand = write(QStringLiteral("thousand.pdf"), 100, 10);
    QVERIFY(once > 30000); // the picture itself is in the file
    QVERIFY2(thousand < once + 200000,
             qPrintable(
                 QStringLiteral("1 draw: %1 bytes, 1000 draws: %2 bytes").arg(once).arg(thousand)));
}

void tst_ReportPdf::cardsOverPageDrawing_data() {
    QTest::addColumn<int>("expectedCards");
    QTest::addColumn<int>("cardsPainted");
    QTest::newRow("many cards: the card is drawn once") << 4 << 1;
    QTest::newRow("one card expected: every card is drawn") << 1 << 4;
}

void tst_ReportPdf::cardsOverPageDrawing() {
    // Three pages: cards over a black band drawn on the page, cards alone, and the page's
    // own drawing alone. A card is a white inch with a black quarter-inch square in it.
    QFETCH(int, expectedCards);
    QFETCH(int, cardsPainted);
    const QString file = dir_.filePath(QStringLiteral("cards.pdf"));
    PdfReportTarget target(file);
    Report report(target);
    report.setExpectedCards(expectedCards);
    int painted = 0;
    const auto card = [&report, &painted] {
        ++painted;
        report.brush = {TColor::clWhite, Gdi::bsSolid, {}};
        report.pen = {TColor::clWhite, Gdi::psSolid, 1, Gdi::pmCopy};
        report.rectangle(0, 0, 1, 1);
        report.brush = {TColor::clBlack, Gdi::bsSolid, {}};
        report.rectangle(0.25, 0.25, 0.5, 0.5);
    };
    const auto band = [&report] {
        report.brush = {TColor::clBlack, Gdi::bsSolid, {}};
        report.rectangle(1, 1, 3, 3);
    };
    report.onPrint = [&](Report& r) {
        band();
        r.drawCard(2, 2, card);
        r.drawCard(5, 5, card);
        r.newPage();
        r.drawCard(2, 2, card);
        r.drawCard(5, 5, card);
        r.newPage();
        band();
    };
    QVERIFY2(report.run(), qPrintable(report.errorString()));
    QCOMPARE(painted, cardsPainted);
    // The version the drawing needs (transparency states are PDF 1.4).
    QVERIFY(
        pdfInfo(file).contains(QRegularExpression(QStringLiteral("PDF version:\\s+1\\.[4-7]\\n"))));

    const auto black = [](const QImage& page, double x, double y) {
        return qGray(page.pixel(qRound(x * 100), qRound(y * 100))) < 128;
    };
    const QImage first = PdfReadBack::render(file, 100, {}, 1),
                 second = PdfReadBack::render(file, 100, {}, 2),
                 third = PdfReadBack::render(file, 100, {}, 3);
    QVERIFY(!first.isNull() && !second.isNull() && !third.isNull());
    for (const QImage* page : {&first, &second}) {
        for (double corner : {2.0, 5.0}) {
            QVERIFY(black(*page, corner + 0.37, corner + 0.37));  // the square
            QVERIFY(!black(*page, corner + 0.15, corner + 0.15)); // the white of the card
            QVERIFY(!black(*page, corner + 0.6, corner + 0.37));
        }
    }
    QVERIFY(black(first, 1.5, 1.5));
    QVERIFY(!black(second, 1.5, 1.5));
    QVERIFY(black(third, 1.5, 1.5));
    QVERIFY(!black(third, 5.37, 5.37));
}

void tst_ReportPdf::abortLeavesNoFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("olderFile");
    QTest::newRow("pdf, new file") << "pdf" << false;
    QTest::newRow("pdf, older file kept") << "pdf" << true;
    QTest::newRow("printer to file") << "printer to file" << false;
}

void tst_ReportPdf::abortLeavesNoFile() {
    QFETCH(QString, kind);
    QFETCH(bool, olderFile);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cards.pdf"));
    if (olderFile) {
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older cards");
    }
    const auto target = makeTarget(kind, file);
    Report report(*target);
    report.onPrint = [](Report& r) {
        r.rectangle(1, 1, 2, 2);
        QVERIFY(r.newPage());
        r.rectangle(1, 1, 2, 2);
        r.abort();
        QVERIFY(!r.newPage());
        r.rectangle(1, 1, 2, 2); // ignored
    };
    QVERIFY(!report.run());
    QVERIFY(report.aborted());
    QVERIFY(report.errorString().isEmpty());

    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    if (olderFile) {
        QCOMPARE(left, QStringList{QStringLiteral("cards.pdf")});
        QFile old(file);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("older cards"));
    } else {
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
    }

    // The next run clears the aborted flag and writes the file.
    report.onPrint = [](Report& r) { r.rectangle(1, 1, 2, 2); };
    QVERIFY(report.run());
    QVERIFY(!report.aborted());
    QVERIFY(pdfInfo(file).contains(QStringLiteral("Pages:")));
}

void tst_ReportPdf::unwritablePath_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("missing folder") << "missing/folder/cards.pdf";
    QTest::newRow("a folder's name") << "folder";
}

void tst_ReportPdf::unwritablePath() {
    QFETCH(QString, path);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString file = dir.filePath(path);
    PdfReportTarget target(file);
    Report report(target);
    bool drawn = false;
    report.onPrint = [&drawn](Report&) { drawn = true; };
    QVERIFY(!report.run());
    QVERIFY(!drawn);
    QVERIFY(!report.aborted());
    QVERIFY2(report.errorString().startsWith(QStringLiteral("Cannot write the file ") + file),
             qPrintable(report.errorString()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("folder")});
    QVERIFY(QDir(dir.filePath(QStringLiteral("folder"))).isEmpty());
}

void tst_ReportPdf::errorWhileDrawingLeavesNoFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cards.pdf"));
    PdfReportTarget target(file);
    Report report(target);
    report.onPrint = [](Report& r) {
        r.rectangle(1, 1, 2, 2);
        throw std::runtime_error("The picture could not be drawn.");
    };
    QVERIFY(!report.run());
    QVERIFY(!report.running());
    QCOMPARE(report.errorString(), QStringLiteral("The picture could not be drawn."));
    QVERIFY(QDir(dir.path()).isEmpty());
}

void tst_ReportPdf::fullDiskKeepsOlderFile() {
    // A PDF that runs out of space as it is written fails with the system's reason and
    // leaves the older file whole, with no part of the new one beside it. Needs a small
    // tmpfs, which only root may mount.
    if (geteuid() != 0) QSKIP("mounting a small tmpfs needs root");
    QTemporaryDir dir;
    const QString mnt = dir.filePath(QStringLiteral("full"));
    QVERIFY(QDir().mkdir(mnt));
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", mnt}) != 0)
        QSKIP("tmpfs could not be mounted");
    const auto unmount = qScopeGuard([&mnt] { QProcess::execute("umount", {mnt}); });
    const QString file = mnt + QStringLiteral("/cards.pdf");
    QFile old(file);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("older cards");
    old.close();
    PdfReportTarget target(file);
    Report report(target);
    report.onPrint = [](Report& r) { r.stretchDraw(QRectF(1, 1, 2, 2), noise(300)); };
    QVERIFY(!report.run());
    QVERIFY2(report.errorString().contains(QStringLiteral("No space left on device")),
             qPrintable(report.errorString()));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("older cards"));
    QCOMPARE(QDir(mnt).entryList(QDir::Files | QDir::Hidden), QStringList{"cards.pdf"});
}

QTEST_MAIN(tst_ReportPdf)
#include "tst_ReportPdf.moc"
