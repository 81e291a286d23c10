// A whole print or preview run through the status dialog: final texts, Cancel with its
// question, Stop, and the preview window with its zoom, caption and placement.
#include "support/SurfaceFixture.h"

#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/PdfReportTarget.h"
#include "platform/report/Report.h"
#include "platform/report/StoredReportTarget.h"
#include "platform/system/IniFile.h"
#include "platform/system/PreferencesFile.h"
#include "printing/TLabelPrinter.h"
#include "printing/TPreviewForm.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {
// Shows the status dialog, lets the run go (pressing its button once the first card is
// being drawn when `press` is set), waits for the end and returns with its final status.
int runStatusDialog(QDialog& d, bool press, QString* status) {
    auto& dialog = static_cast<TLabelPrinter&>(d);
    auto* button = d.findChild<QPushButton*>(QStringLiteral("CancelButton"));
    d.show();
    if (press) QTimer::singleShot(0, button, &QPushButton::click);
    QElapsedTimer timer;
    timer.start();
    while (!dialog.finished() && timer.elapsed() < 30000)
        QCoreApplication::processEvents();
    *status = d.findChild<QLabel*>(QStringLiteral("RStatusLabel"))->text();
    if (button->text() != QLatin1String("OK")) return QDialog::Rejected;
    button->click();
    return d.result();
}
} // namespace

class tst_PrintRun : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void init();
    void cleanup() { fx_.reset(); }
    void printAndCancel_data();
    void printAndCancel();
    void previewOpensTheWindow();
    void stoppedPreviewOpensNothing();
    void previewZoom();
    void previewKeepsThinLines_data();
    void previewKeepsThinLines();

  private:
    std::unique_ptr<SurfaceFixture> fx_;
};

void tst_PrintRun::init() {
    fx_ = std::make_unique<SurfaceFixture>();
    fx_->addBox(10, 10, 100, 40);
}

void tst_PrintRun::printAndCancel_data() {
    QTest::addColumn<bool>("press");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("written");
    QTest::newRow("completed") << false << false << "Print job completed and sent to printer!"
                               << true;
    QTest::newRow("cancel, answered No")
        << true << false << "Print job completed and sent to printer!" << true;
    QTest::newRow("cancel, answered Yes")
        << true << true << "\nBusiness Card Print Canceled!" << false;
}

void tst_PrintRun::printAndCancel() {
    QFETCH(bool, press);
    QFETCH(bool, yes);
    QFETCH(QString, status);
    QFETCH(bool, written);
    const QString pdf = fx_->home.filePath(QStringLiteral("sheets.pdf"));
    platform::PdfReportTarget target(pdf);
    platform::Report mainReport(target);
    mainReport.setCopies(2); // left from an earlier run
    fx_->dialogs.yesNoAnswers.push_back(yes);
    QString shown;
    fx_->dialogs.dialogs.push_back([&](QDialog& d) { return runStatusDialog(d, press, &shown); });
    const bool ok = TLabelPrinter::doPrint(
        *fx_->surface,
        SheetPrintJob::make({}, {}, TCardSelection(), SheetPrintJob::Mode::Print, 2, {}),
        mainReport);
    QCOMPARE(ok, written);
    QCOMPARE(shown, status);
    QCOMPARE(QFile::exists(pdf), written);
    QCOMPARE(fx_->dialogs.dialogTitles, QStringList{QStringLiteral("Print Status")});
    QCOMPARE(fx_->dialogs.questions,
             press ? QStringList{QStringLiteral("Cancel Business Card Printing?")} : QStringList());
    QCOMPARE(mainReport.copies(), 1); // the sheets are drawn, not left to copies
}

void tst_PrintRun::previewOpensTheWindow() {
    platform::PdfReportTarget target(fx_->home.filePath(QStringLiteral("never.pdf")));
    platform::Report mainReport(target);
    QString shown;
    fx_->dialogs.dialogs.push_back([&](QDialog& d) { return runStatusDialog(d, false, &shown); });
    QString caption, shownCaption;
    int pages = 0;
    fx_->dialogs.dialogs.push_back([&](QDialog& d) {
        caption = d.windowTitle();
        d.show();
        shownCaption = d.windowTitle();
        pages = static_cast<TPreviewForm&>(d).report().pageCount();
        return int(QDialog::Accepted);
    });
    QVERIFY(TLabelPrinter::doPrint(
        *fx_->surface,
        SheetPrintJob::make({}, {}, TCardSelection(), SheetPrintJob::Mode::Preview, 1, {}),
        mainReport));
    QCOMPARE(shown, QStringLiteral("\nBusiness Card preview ready!\n\nNote: To save time, only a "
                                   "single card is previewed"));
    QCOMPARE(fx_->dialogs.dialogTitles, (QStringList{QStringLiteral("Preview Status"),
                                                     QStringLiteral("Preview Business Cards")}));
    QCOMPARE(caption, QStringLiteral("Preview Business Cards"));
    QCOMPARE(shownCaption, QStringLiteral("Preview Page 1 of 1"));
    QCOMPARE(pages, 1);
    // The window's placement is stored from its first showing on.
    const platform::IniFile ini = platform::PreferencesFile::read();
    QVERIFY(ini.readInteger(QStringLiteral("TPreviewForm_Placement"), QStringLiteral("Bottom"),
                            0) != 0);
    QVERIFY(!QFile::exists(fx_->home.filePath(QStringLiteral("never.pdf"))));
}

void tst_PrintRun::stoppedPreviewOpensNothing() {
    platform::PdfReportTarget target(fx_->home.filePath(QStringLiteral("never.pdf")));
    platform::Report mainReport(target);
    QString shown;
    fx_->dialogs.dialogs.push_back([&](QDialog& d) { return runStatusDialog(d, true, &shown); });
    fx_->dialogs.dialogs.push_back([](QDialog&) { return int(QDialog::Accepted); });
    QVERIFY(!TLabelPrinter::doPrint(
        *fx_->surface,
        SheetPrintJob::make({}, {}, TCardSelection(), SheetPrintJob::Mode::Preview, 1, {}),
        mainReport));
    QCOMPARE(shown, QStringLiteral("\nBusiness Card Preview Canceled!"));
    QCOMPARE(fx_->dialogs.dialogTitles, QStringList{QStringLiteral("Preview Status")});
    QVERIFY(fx_->dialogs.questions.isEmpty());
    QVERIFY(!fx_->surface->printing());
}

void tst_PrintRun::previewZoom() {
    // A one-page stored report of a single card.
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    {
        platform::StoredReportTarget target(stream);
        platform::Report report(target);
        report.onPrint = [](platform::Report& r) { r.rectangle(0.75, 0.5, 4.25, 2.5); };
        QVERIFY(report.run());
    }
    stream.seek(0);
    TPreviewForm form;
    QString error;
    QVERIFY2(form.setReport(stream, error), qPrintable(error));
    form.show();
    QCOMPARE(form.zoomFactor(), 100);
    auto* zoomIn = form.findChild<QToolButton*>(QStringLiteral("sbZoomIn"));
    auto* zoomOut = form.findChild<QToolButton*>(QStringLiteral("sbZoomOut"));
    for (int i = 0; i < 11; ++i)
        zoomIn->click();
    QCOMPARE(form.zoomFactor(), 200);
    form.setZoomFactor(100);
    for (int i = 0; i < 10; ++i)
        zoomOut->click();
    QCOMPARE(form.zoomFactor(), 10);
    form.setZoomFactor(5);
    QCOMPARE(form.zoomFactor(), 10);
    form.setZoomFactor(500);
    QCOMPARE(form.zoomFactor(), 200);

    // Clicks on the page: left zooms in, right zooms out.
    form.setZoomFactor(50);
    QWidget* page = form.findChild<QWidget*>(QStringLiteral("PreviewPage"));
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(form.zoomFactor(), 60);
    QTest::mouseClick(page, Qt::RightButton, {}, QPoint(20, 20));
    QCOMPARE(form.zoomFactor(), 50);

    // Fitted factors: the page's width, then the whole page, inside the page area.
    auto* area = form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    form.findChild<QToolButton*>(QStringLiteral("sbZoomPageWidth"))->click();
    QVERIFY(page->width() <= area->viewport()->width());
    QVERIFY(page->width() > area->viewport()->width() - 20);
    form.findChild<QToolButton*>(QStringLiteral("sbZoomPage"))->click();
    QVERIFY(page->height() <= area->viewport()->height());
    QVERIFY(form.zoomFactor() >= 10);
}

void tst_PrintRun::previewKeepsThinLines_data() {
    QTest::addColumn<int>("zoom");
    QTest::newRow("10 %") << 10;
    QTest::newRow("50 %") << 50;
    QTest::newRow("70 %") << 70;
    QTest::newRow("100 %") << 100;
    QTest::newRow("200 %") << 200;
    QTest::newRow("whole page") << int(TPreviewForm::zoomPage);
}

// The card's silver outline, one hundredth of an inch wide, shows on all four sides at every
// zoom: a line through the card crosses it twice across and twice down.
void tst_PrintRun::previewKeepsThinLines() {
    QFETCH(int, zoom);
    platform::PdfReportTarget target(fx_->home.filePath(QStringLiteral("never.pdf")));
    platform::Report mainReport(target);
    QString shown;
    fx_->dialogs.dialogs.push_back([&](QDialog& d) { return runStatusDialog(d, false, &shown); });
    int across = 0, down = 0;
    fx_->dialogs.dialogs.push_back([&](QDialog& d) {
        auto& form = static_cast<TPreviewForm&>(d);
        form.show();
        form.setZoomFactor(zoom);
        const QImage page =
            form.findChild<QWidget*>(QStringLiteral("PreviewPage"))->grab().toImage();
        const double ppi = form.zoomFactor() / 100.0 * 96;
        const int m = int(std::lround(form.report().pageSizeInches().width() * ppi * 0.025));
        // Runs of non-white pixels along a line of the page, in inches from its corner.
        auto runs = [&](QPointF from, QPointF to) {
            int count = 0;
            bool inRun = false;
            const int steps = int((to - from).manhattanLength() * ppi);
            for (int i = 0; i <= steps; ++i) {
                const QPointF at = (from + (to - from) * i / steps) * ppi + QPointF(m, m);
                const bool ink = page.pixel(at.toPoint()) != qRgb(255, 255, 255);
                if (ink && !inRun) ++count;
                inRun = ink;
            }
            return count;
        };
        across = runs({0.2, 2.0}, {5.0, 2.0}); // below the box, through both side edges
        down = runs({3.5, 0.2}, {3.5, 3.0});   // right of the box, through top and bottom
        return int(QDialog::Accepted);
    });
    QVERIFY(TLabelPrinter::doPrint(
        *fx_->surface,
        SheetPrintJob::make({}, {}, TCardSelection(), SheetPrintJob::Mode::Preview, 1, {}),
        mainReport));
    QCOMPARE(across, 2);
    QCOMPARE(down, 2);
}

QTEST_MAIN(tst_PrintRun)
#include "tst_PrintRun.moc"
