#include "TPrintCommands.h"

#include "TLabelPrinter.h"
#include "TPrintFineTune.h"
#include "TSelectSpecificLabels.h"
#include "TWarnBottomMargin.h"

#include "platform/DialogHost.h"
#include "platform/Printers.h"

#include <QCoreApplication>

TPrintCommands::TPrintCommands(TGBusinessCardPanel32& surface, QWidget* window)
    : surface_(surface), window_(window)
{
    unprintableBottom = [this](int papersize) {
        return printer_.unprintableBorder(platform::Report::pageSizeFor(papersize)).bottom();
    };
}

QString TPrintCommands::printerProblem()
{
    if (platform::Printers::names().isEmpty())
        return QStringLiteral("There are no installed printers.\r\nUnable to perform printer "
                              "related operations");
    if (!DefaultPrinterSet())
        return QStringLiteral("There is no default printer selected.\r\nUnable to perform "
                              "printer related operations");
    return QString();
}

bool TPrintCommands::DefaultPrinterSet()
{
    return !platform::Printers::defaultName().isEmpty();
}

template <typename Dialog> void TPrintCommands::connectHelp(Dialog& dialog)
{
    QObject::connect(&dialog, &Dialog::helpRequested, &dialog, [this](int topic) {
        if (ShowHelpTopic) ShowHelpTopic(topic);
    });
}

bool TPrintCommands::Print(TPrintSettings& settings, const QString& backgroundFile)
{
    mainReport_.setPaperSize(settings.layout.Papersize);
    if (!DoPageSetup(settings)) return false;
    QCoreApplication::processEvents();
    if (!CheckBottomMargin(settings)) return false;
    return DoPrint(settings, SheetPrintJob::Mode::Print, sheets_, backgroundFile);
}

bool TPrintCommands::Preview(const TPrintSettings& settings, const QString& backgroundFile)
{
    mainReport_.setPaperSize(settings.layout.Papersize);
    return DoPrint(settings, SheetPrintJob::Mode::Preview, 1, backgroundFile);
}

void TPrintCommands::PrinterSetup()
{
    printer_.showSetupDialog(window_);
}

bool TPrintCommands::PrinterFineTuning(TPrintSettings& settings)
{
    TPrintFineTune dialog(settings.offsets, window_);
    connectHelp(dialog);
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted) return false;
    settings.offsets = dialog.offsets();
    if (SavePreferences) SavePreferences(settings);
    return true;
}

bool TPrintCommands::PrintOutlineTestPage(const TPrintSettings& settings)
{
    const auto choice = printer_.showPrintDialog(window_);
    if (!choice) return false;
    return DoPrint(settings, SheetPrintJob::Mode::Outline, choice->copies, QString());
}

bool TPrintCommands::DoPageSetup(const TPrintSettings& settings)
{
    TSelectSpecificLabels dialog(settings.layout, selection_, window_);
    dialog.setPrinter(&printer_);
    connectHelp(dialog);
    // The dialog refuses OK without a selected position, whoever asks for it.
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted
        || dialog.result() != QDialog::Accepted)
        return false;
    mainReport_.setOrientation(QPageLayout::Portrait);
    sheets_ = dialog.pages();
    selection_ = dialog.selection();
    return true;
}

bool TPrintCommands::CheckBottomMargin(TPrintSettings& settings)
{
    const double border = unprintableBottom ? unprintableBottom(settings.layout.Papersize) : 0.0;
    if (!TWarnBottomMargin::needed(border, selection_, settings.layout.Across,
                                   settings.layout.Down, settings.ShowBottomMarginWarning))
        return true;
    TWarnBottomMargin warning(border, window_);
    connectHelp(warning);
    const bool goOn = platform::DialogHost::current().exec(warning) == QDialog::Accepted;
    if (warning.dontShowAgain()) {
        settings.ShowBottomMarginWarning = false;
        if (SavePreferences) SavePreferences(settings);
    }
    return goOn;
}

bool TPrintCommands::DoPrint(const TPrintSettings& settings, SheetPrintJob::Mode mode,
                             int sheets, const QString& backgroundFile)
{
    const SheetPrintJob job = SheetPrintJob::make(settings.layout, settings.offsets, selection_,
                                                  mode, sheets, backgroundFile);
    return TLabelPrinter::DoPrint(surface_, job, mainReport_, window_);
}
