// The printer back end on the platform's print system: printer list, copies and the
// unprintable border. Runs on a real print queue only where one exists.
#include "platform/PrinterReportTarget.h"
#include "platform/Printers.h"
#include "platform/Report.h"

#include <QtTest>

using platform::PrinterReportTarget;
using platform::Printers;
using platform::Report;

class tst_ReportPrinter : public QObject {
    Q_OBJECT
private slots:
    void printerList();
    void copiesAndBorderOnAQueue();
};

void tst_ReportPrinter::printerList()
{
    const QStringList names = Printers::names();
    QCOMPARE(Printers::anyAvailable(), !names.isEmpty());
    if (!Printers::defaultName().isEmpty()) QVERIFY(names.contains(Printers::defaultName()));
    PrinterReportTarget target;
    QCOMPARE(target.printerName(), Printers::defaultName());
}

void tst_ReportPrinter::copiesAndBorderOnAQueue()
{
    if (!Printers::anyAvailable()) QSKIP("no print queue on this machine");
    PrinterReportTarget target;
    target.setPrinterName(Printers::names().constFirst());
    Report report(target);
    QVERIFY(report.maxCopies() >= 1);
    const QMarginsF border = target.unprintableBorder(Report::pageSizeFor(Report::PaperLetter));
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

QTEST_MAIN(tst_ReportPrinter)
#include "tst_ReportPrinter.moc"
