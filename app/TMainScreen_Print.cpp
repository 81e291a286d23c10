// The main window's print commands: print, preview, printer set-up, fine-tuning, the
// outline test page, and the export of the sheets into a PDF file.
#include "TMainScreen.h"

#include "document/TGBusinessCardPanel32.h"
#include "platform/DialogHost.h"
#include "platform/ElidedLabel.h"
#include "platform/HelpViewer.h"
#include "platform/PdfReportTarget.h"
#include "platform/Report.h"
#include "printing/TCardSelection.h"
#include "printing/TLabelPrinter.h"
#include "printing/TPrintCommands.h"
#include "printing/TPrintSettings.h"
#include "printing/TSelectSpecificLabels.h"

#include <QDir>
#include <QFileInfo>

void TMainScreen::createPrintCommands() {
    // Told once, where it does not stand in the way: the status bar, in a place of its own
    // beside the pointer and selection figures.
    printerProblem_ = TPrintCommands::printerProblem();
    if (!printerProblem_.isEmpty())
        printerNotice_->setText(printerProblem_.section(QStringLiteral("\r\n"), 0, 0) +
                                QStringLiteral(" Preview and Export as PDF... work without one."));
    printCommands_ = std::make_unique<TPrintCommands>(*surface_, this);
    // The commands change the print settings of the preferences in place.
    printCommands_->SavePreferences = [this](const TPrintSettings&) {
        storeFontPreferences();
        prefs_.SavePreferences();
    };
    printCommands_->ShowHelpTopic = [](int topic) { platform::HelpViewer::showTopic(topic); };
}

void TMainScreen::printCommand() {
    if (!printCommands_) return;
    if (!printersAvailable()) {
        if (platform::AskYesNo(printerProblem_ +
                                   QStringLiteral("\r\n\r\nExport as PDF... instead?"),
                               QStringLiteral("Print")))
            exportPdfCommand();
        return;
    }
    printCommands_->Print(prefs_.print, backgroundFile_);
}

void TMainScreen::previewCommand() {
    if (printCommands_) printCommands_->Preview(prefs_.print, backgroundFile_);
}

void TMainScreen::printerSetupCommand() {
    if (printCommands_) printCommands_->PrinterSetup();
}

void TMainScreen::fineTuningCommand() {
    if (printCommands_) printCommands_->PrinterFineTuning(prefs_.print);
}

void TMainScreen::outlineTestPageCommand() {
    if (printCommands_) printCommands_->PrintOutlineTestPage(prefs_.print);
}

void TMainScreen::exportPdfCommand() {
    // The sheets go into a PDF file: the same run as printing, without a printer.
    const TPrintSettings& s = prefs_.print;
    TCardSelection selection = printCommands_ ? printCommands_->CardSelection() : TCardSelection();
    TSelectSpecificLabels chooser(s.layout, selection, this);
    if (platform::DialogHost::current().exec(chooser) != QDialog::Accepted) return;
    const int pages = chooser.pages();
    selection = chooser.selection();
    if (printCommands_) printCommands_->CardSelection() = selection;

    const QString proposed =
        currentFileName_.isEmpty()
            ? QStringLiteral("cards.pdf")
            : QFileInfo(currentFileName_).completeBaseName() + QStringLiteral(".pdf");
    QString name = platform::DialogHost::current().saveFileName(
        QStringLiteral("Export as PDF"), QDir(savedFolder()).filePath(proposed),
        QStringLiteral("PDF File (*.pdf)"));
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".pdf");

    platform::PdfReportTarget target(name);
    platform::Report report(target);
    report.setPaperSize(s.layout.Papersize);
    SheetPrintJob job = SheetPrintJob::make(s.layout, s.offsets, selection,
                                            SheetPrintJob::Mode::Print, pages, backgroundFile_);
    job.outputFile = name;
    TLabelPrinter::DoPrint(*surface_, job, report, this);
}
