#include "TPrintCommands.h"

#include "TLabelPrinter.h"
#include "TPrintFineTune.h"
#include "TSelectSpecificLabels.h"
#include "TWarnBottomMargin.h"

#include "platform/report/Printers.h"
#include "platform/widgets/DialogHost.h"

#include <QCoreApplication>

TPrintCommands::TPrintCommands(TGBusinessCardPanel32& surface, QWidget* window)
    : surface_(surface), window_(window) {
    unprintableBottom = [this](int papersize) {
        return printer_.unprintableBorder(platform::Report::pageSizeFor(papersize)).bottom();
    };
}

QString TPrintCommands::printerProblem() {
    if (platform::Printers::names().isEmpty())
        return QStringLiteral("There are no installed printers.\r\nUnable to perform printer "
                              "related operations");
    if (!defaultPrinterSet())
        return QStringLiteral("There is no default printer selected.\r\nUnable to perform "
                              "printer related operations");
    return QString();
}

bool TPrintCommands::defaultPrinterSet() {
    return !platform::Printers::defaultName().isEmpty();
}

template <typename Dialog> void TPrintCommands::connectHelp(Dialog& dialog) {
    QObject::connect(&dialog, &Dialog::helpRequested, &dialog, [this](int topic) {
        if (showHelpTopic) showHelpTopic(topic);
    });
}

bool TPrintCommands::print(TPrintSettings& settings, const QString& backgroundFile) {
    mainReport_.setPaperSize(settings.layout.papersize);
    if (!doPageSetup(settings)) return false;
    QCoreApplication::processEvents();
    if (!checkBottomMargin(settings)) return false;
    return doPrint(settings, SheetPrintJob::Mode::Print, sheets_, backgroundFile);
}

bool TPrintCommands::preview(const TPrintSettings& settings, const QString& backgroundFile) {
    mainReport_.setPaperSize(settings.layout.papersize);
    return doPrint(settings, SheetPrintJob::Mode::Preview, 1, backgroundFile);
}

void TPrintCommands::printerSetup() {
    printer_.showSetupDialog(window_);
}

bool TPrintCommands::printerFineTuning(TPrintSettings& settings) {
    TPrintFineTune dialog(settings.offsets, window_);
    connectHelp(dialog);
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted) return false;
    settings.offsets = dialog.offsets();
    if (savePreferences) savePreferences(settings);
    return true;
}

bool TPrintCommands::printOutlineTestPage(const TPrintSettings& settings) {
    const auto choice = printer_.showPrintDialog(window_);
    if (!choice) return false;
    return doPrint(settings, SheetPrintJob::Mode::Outline, choice->copies, QString());
}

bool TPrintCommands::doPageSetup(const TPrintSettings& settings) {
    TSelectSpecificLabels dialog(settings.layout, selection_, window_);
    dialog.setPrinter(&printer_);
    connectHelp(dialog);
    // The dialog refuses OK without a selected position, whoever asks for it.
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted ||
        dialog.result() != QDialog::Accepted)
        return false;
    mainReport_.setOrientation(QPageLayout::Portrait);
    sheets_ = dialog.pages();
    selection_ = dialog.selection();
    return true;
}

bool TPrintCommands::checkBottomMargin(TPrintSettings& settings) {
    const double border = unprintableBottom ? unprintableBottom(settings.layout.papersize) : 0.0;
    if (!TWarnBottomMargin::needed(border, selection_, settings.layout.across, settings.layout.down,
                                   settings.showBottomMarginWarning))
        return true;
    TWarnBottomMargin warning(border, window_);
    connectHelp(warning);
    const bool goOn = platform::DialogHost::current().exec(warning) == QDialog::Accepted;
    if (warning.dontShowAgain()) {
        settings.showBottomMarginWarning = false;
        if (savePreferences) savePreferences(settings);
    }
    return goOn;
}

bool TPrintCommands::doPrint(const TPrintSettings& settings, SheetPrintJob::Mode mode, int sheets,
                             const QString& backgroundFile) {
    const SheetPrintJob job = SheetPrintJob::make(settings.layout, settings.offsets, selection_,
                                                  mode, sheets, backgroundFile);
    return TLabelPrinter::doPrint(surface_, job, mainReport_, window_);
}
