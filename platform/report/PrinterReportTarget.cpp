#include "platform/report/PrinterReportTarget.h"

#include "platform/widgets/DialogHost.h"

#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace platform {

PrinterReportTarget::PrinterReportTarget() : printer_(QPrinter::HighResolution) {
    setPrinterName(QString());
}

void PrinterReportTarget::setPrinterName(const QString& name) {
    printer_.setPrinterName(name.isEmpty() ? QPrinterInfo::defaultPrinterName() : name);
}

void PrinterReportTarget::setOutputFileName(const QString& fileName) {
    printer_.setOutputFileName(fileName);
}

QMarginsF PrinterReportTarget::unprintableBorder(const QPageSize& pageSize) {
    // The printer knows its minimum margins only for the paper it is set to.
    printer_.setPageSize(pageSize);
    return minimumMarginsInches(printer_.pageLayout());
}

QMarginsF PrinterReportTarget::minimumMarginsInches(const QPageLayout& layout) {
    double pointsPerUnit = 1.0;
    switch (layout.units()) {
    case QPageLayout::Millimeter:
        pointsPerUnit = 72.0 / 25.4;
        break;
    case QPageLayout::Point:
        pointsPerUnit = 1.0;
        break;
    case QPageLayout::Inch:
        pointsPerUnit = 72.0;
        break;
    case QPageLayout::Pica:
        pointsPerUnit = 12.0;
        break;
    case QPageLayout::Didot:
        pointsPerUnit = 1.065826771;
        break;
    case QPageLayout::Cicero:
        pointsPerUnit = 12.789921252;
        break;
    }
    return layout.minimumMargins() * (pointsPerUnit / 72.0);
}

bool PrinterReportTarget::showSetupDialog(QWidget* parent) {
    QPrintDialog dialog(&printer_, parent);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return DialogHost::current().exec(dialog) == QDialog::Accepted;
}

std::optional<PrinterReportTarget::PrintChoice>
PrinterReportTarget::showPrintDialog(QWidget* parent) {
    QPrintDialog dialog(&printer_, parent);
    if (DialogHost::current().exec(dialog) != QDialog::Accepted) return std::nullopt;
    PrintChoice choice;
    choice.copies = std::max(1, printer_.copyCount());
    if (printer_.printRange() == QPrinter::PageRange && printer_.fromPage() > 0) {
        choice.firstPage = printer_.fromPage();
        choice.lastPage = printer_.toPage();
    }
    return choice;
}

int PrinterReportTarget::maxCopies() const {
    return printer_.supportsMultipleCopies() ? 9999 : 1;
}

bool PrinterReportTarget::begin(const Job& job, QPainter& painter, QString& error) {
    printer_.setDocName(job.title);
    printer_.setCreator(QStringLiteral("Orlanto"));
    // Full-page mode puts the painter's origin at the sheet's corner rather than at the
    // corner of the printable area.
    printer_.setFullPage(true);
    printer_.setPageOrientation(job.orientation);
    printer_.setPageSize(job.pageSize);
    printer_.setPageMargins(QMarginsF(), QPageLayout::Inch);
    printer_.setCopyCount(printer_.supportsMultipleCopies() ? job.copies : 1);
    if (painter.begin(&printer_)) return true;
    error = QStringLiteral("Cannot print on %1.")
                .arg(printer_.outputFileName().isEmpty() ? printer_.printerName()
                                                         : printer_.outputFileName());
    return false;
}

bool PrinterReportTarget::newPage(QPainter&, QString& error) {
    if (printer_.newPage()) return true;
    error = QStringLiteral("Printing on %1 failed.").arg(printer_.printerName());
    return false;
}

bool PrinterReportTarget::finish(QPainter& painter, QString& error) {
    // The print system takes the job only when it is complete; a queue removed meanwhile
    // would swallow it without a word.
    if (printer_.outputFileName().isEmpty() &&
        QPrinterInfo::printerInfo(printer_.printerName()).isNull()) {
        abort(painter);
        error = QStringLiteral("The printer %1 is no longer available; nothing was printed.")
                    .arg(printer_.printerName());
        return false;
    }
    if (painter.end()) return true;
    error = QStringLiteral("Printing on %1 failed.").arg(printer_.printerName());
    return false;
}

void PrinterReportTarget::abort(QPainter& painter) {
    printer_.abort();
    if (painter.isActive()) painter.end();
    // Printing into a file has no job to cancel: remove what was written.
    if (!printer_.outputFileName().isEmpty()) QFile::remove(printer_.outputFileName());
}

} // namespace platform
