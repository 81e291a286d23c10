// The main window's print commands: print, preview, printer set-up, fine-tuning, the
// outline test page, and the export of the sheets into a PDF file.
#include "TMainScreen.h"

#include "document/TGBusinessCardPanel32.h"
#include "platform/report/PdfReportTarget.h"
#include "platform/report/Report.h"
#include "platform/widgets/DialogHost.h"
#include "platform/widgets/ElidedLabel.h"
#include "platform/widgets/HelpViewer.h"
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
    printCommands_->savePreferences = [this](const TPrintSettings&) {
        storeFontPreferences();
        prefs_.savePreferences();
    };
    printCommands_->showHelpTopic = [](int topic) { platform::HelpViewer::showTopic(topic); };
}

void TMainScreen::printCommand() {
    if (!printCommands_) return;
    if (!printersAvailable()) {
        if (platform::askYesNo(printerProblem_ +
                                   QStringLiteral("\r\n\r\nExport as PDF... instead?"),
                               QStringLiteral("Print")))
            exportPdfCommand();
        return;
    }
    printCommands_->print(prefs_.print, backgroundFile_);
}

void TMainScreen::previewCommand() {
    if (printCommands_) printCommands_->preview(prefs_.print, backgroundFile_);
}

void TMainScreen::printerSetupCommand() {
    if (printCommands_) printCommands_->printerSetup();
}

void TMainScreen::fineTuningCommand() {
    if (printCommands_) printCommands_->printerFineTuning(prefs_.print);
}

void TMainScreen::outlineTestPageCommand() {
    if (printCommands_) printCommands_->printOutlineTestPage(prefs_.print);
}

void TMainScreen::exportPdfCommand() {
    // The sheets go into a PDF file: the same run as printing, without a printer.
    const TPrintSettings& s = prefs_.print;
    TCardSelection selection = printCommands_ ? printCommands_->cardSelection() : TCardSelection();
    TSelectSpecificLabels chooser(s.layout, selection, this);
    if (platform::DialogHost::current().exec(chooser) != QDialog::Accepted) return;
    const int pages = chooser.pages();
    selection = chooser.selection();
    if (printCommands_) printCommands_->cardSelection() = selection;

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
    report.setPaperSize(s.layout.papersize);
    SheetPrintJob job = SheetPrintJob::make(s.layout, s.offsets, selection,
                                            SheetPrintJob::Mode::Print, pages, backgroundFile_);
    job.outputFile = name;
    TLabelPrinter::doPrint(*surface_, job, report, this);
}
