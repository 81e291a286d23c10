#pragma once
// Report output on a printer through the platform's print system (CUPS). The page is
// mapped in full-page mode, so inch (x, y) from the sheet's top-left lands at that place
// on paper whatever the printer's unprintable border. The object keeps the printer choice
// between jobs.
#include "platform/report/ReportTarget.h"

#include <QMarginsF>
#include <QPrinter>

#include <optional>

class QWidget;

namespace platform {

class PrinterReportTarget : public ReportTarget {
  public:
    PrinterReportTarget(); // on the default printer

    // The printer's queue name; an empty name selects the default printer.
    void setPrinterName(const QString& name);
    QString printerName() const { return printer_.printerName(); }
    // Prints into this PDF file instead of a queue (the print dialog's "print to file");
    // an empty name goes back to the queue.
    void setOutputFileName(const QString& fileName);
    // The border the printer cannot print on, in inches, with this paper (which the printer
    // is set to).
    QMarginsF unprintableBorder(const QPageSize& pageSize);
    // A layout's minimum margins in inches, unrounded (QPageLayout's own change of units
    // rounds to 1/100 inch, which turns a 0.5035 inch border into 0.5).
    static QMarginsF minimumMarginsInches(const QPageLayout& layout);

    // The printer set-up dialog (printer and its options); true on OK.
    bool showSetupDialog(QWidget* parent = nullptr);
    // The print dialog; on OK, the copy count and page range chosen (1 to 9999 for all).
    struct PrintChoice {
        int copies = 1;
        int firstPage = 1;
        int lastPage = 9999;
    };
    std::optional<PrintChoice> showPrintDialog(QWidget* parent = nullptr);

    bool begin(const Job& job, QPainter& painter, QString& error) override;
    bool newPage(QPainter& painter, QString& error) override;
    bool finish(QPainter& painter, QString& error) override;
    void abort(QPainter& painter) override;
    int resolution() const override { return printer_.resolution(); }
    // The print system makes any number of copies when the driver supports it.
    int maxCopies() const override;

  private:
    QPrinter printer_;
};

} // namespace platform
