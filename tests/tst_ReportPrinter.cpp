// The printer back end on the platform's print system: printer list, copies and the
// unprintable border. Runs on a real print queue only where one exists.
#include "platform/report/PrinterReportTarget.h"
#include "platform/report/Printers.h"
#include "platform/report/Report.h"

#include "support/ScriptedDialogHost.h"

#include <QPrintDialog>
#include <QtTest>

using platform::PrinterReportTarget;
using platform::Printers;
using platform::Report;

class tst_ReportPrinter : public QObject {
    Q_OBJECT
  private slots:
    void printerList();
    void copiesAndBorderOnAQueue();
    void printDialog_data();
    void printDialog();
    void setupDialogCancelled();
};

void tst_ReportPrinter::printerList() {
    const QStringList names = Printers::names();
    QCOMPARE(Printers::anyAvailable(), !names.isEmpty());
    if (!Printers::defaultName().isEmpty()) QVERIFY(names.contains(Printers::defaultName()));
    PrinterReportTarget target;
    QCOMPARE(target.printerName(), Printers::defaultName());
}

void tst_ReportPrinter::copiesAndBorderOnAQueue() {
    if (!Printers::anyAvailable()) QSKIP("no print queue on this machine");
    PrinterReportTarget target;
    target.setPrinterName(Printers::names().constFirst());
    Report report(target);
    QVERIFY(report.maxCopies() >= 1);
    const QMarginsF border = target.unprintableBorder(Report::pageSizeFor(Report::paperLetter));
    QVERIFY(border.left() >= 0 && border.left() < 1.0);
    QVERIFY(border.bottom() >= 0 && border.bottom() < 1.0);
    // Aborting before anything reaches the queue sends nothing.
    report.onPrint = [](Report& r) {
        r.rectangle(1, 1, 2, 2);
        r.abort();
    };
    QVERIFY(!report.run());
    QVERIFY(report.aborted());
}

void tst_ReportPrinter::printDialog_data() {
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("from"); // 0: all pages
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("firstPage");
    QTest::addColumn<int>("lastPage");
    QTest::newRow("cancelled") << false << 1 << 0 << 0 << 0 << 0;
    QTest::newRow("all pages") << true << 1 << 0 << 0 << 1 << 9999;
    QTest::newRow("three copies of pages 2 to 4") << true << 3 << 2 << 4 << 2 << 4;
}

// What the user picks in the print dialog ends up in the printer; the report takes its
// copies and page range from there.
void tst_ReportPrinter::printDialog() {
    QFETCH(bool, accept);
    QFETCH(int, copies);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, firstPage);
    QFETCH(int, lastPage);
    ScriptedDialogHost host;
    host.dialogs.push_back([=](QDialog& dialog) {
        auto& print = dynamic_cast<QPrintDialog&>(dialog);
        print.printer()->setCopyCount(copies);
        if (from > 0) {
            print.printer()->setPrintRange(QPrinter::PageRange);
            print.printer()->setFromTo(from, to);
        }
        return accept ? QDialog::Accepted : QDialog::Rejected;
    });
    PrinterReportTarget target;
    const auto choice = target.showPrintDialog();
    QCOMPARE(host.dialogTitles.size(), 1);
    QCOMPARE(choice.has_value(), accept);
    if (!accept) return;
    QCOMPARE(choice->copies, copies);
    QCOMPARE(choice->firstPage, firstPage);
    QCOMPARE(choice->lastPage, lastPage);
}

void tst_ReportPrinter::setupDialogCancelled() {
    ScriptedDialogHost host;
    PrinterReportTarget target;
    const QString before = target.printerName();
    QVERIFY(!target.showSetupDialog());
    QCOMPARE(host.dialogTitles, QStringList{QStringLiteral("Print Setup")});
    QCOMPARE(target.printerName(), before);
}

QTEST_MAIN(tst_ReportPrinter)
#include "tst_ReportPrinter.moc"
