#pragma once
// The main window's print commands: Print (position chooser, bottom-margin check, run),
// Preview, Printer Setup, Printer Fine Tuning and the outline test page, with the main
// report that keeps the printer choice and paper size between runs, and the positions and
// number of sheets chosen for this session. The main window creates it once and hands every
// command the print settings of its preferences and the card's background art:
//
//     commands_ = std::make_unique<TPrintCommands>(surface(), this);
//     commands_->savePreferences = [this](const TPrintSettings&) { ...save preferences... };
//     connect print action -> [this] { commands_->print(prefs_.print, backgroundFile_); }
#include "SheetPrintJob.h"
#include "TCardSelection.h"
#include "TPrintSettings.h"

#include "platform/report/PrinterReportTarget.h"
#include "platform/report/Report.h"

#include <functional>

class QWidget;
class TGBusinessCardPanel32;

class TPrintCommands {
  public:
    TPrintCommands(TGBusinessCardPanel32& surface, QWidget* window = nullptr);

    // The reason no printing is possible ("There are no installed printers.\r\n..."), or
    // empty when a default printer is set.
    static QString printerProblem();
    static bool defaultPrinterSet();

    platform::PrinterReportTarget& printer() { return printer_; }
    platform::Report& mainReport() { return mainReport_; }
    // The positions to print; all selected at first.
    TCardSelection& cardSelection() { return selection_; }
    // The sheets to print, as the position chooser last took them.
    int sheets() const { return sheets_; }

    // Called with the changed settings when the fine-tuning offsets or the bottom-margin
    // warning choice must be written to the preferences file.
    std::function<void(const TPrintSettings&)> savePreferences;
    // Opens a help topic (the dialogs' Help buttons).
    std::function<void(int)> showHelpTopic;
    // The printer's unprintable bottom border in inches for a paper code; by default
    // asked of the printer.
    std::function<double(int papersize)> unprintableBottom;

    // File "&Print": chooser, bottom-margin warning, run. True when sheets were printed.
    // backgroundFile: the card's background art, empty for none.
    bool print(TPrintSettings& settings, const QString& backgroundFile);
    // File "Pre&view": a single card into the preview window.
    bool preview(const TPrintSettings& settings, const QString& backgroundFile);
    // File "Printer S&etup".
    void printerSetup();
    // File "Printer Fine &Tuning": true (and settings changed and saved) on OK.
    bool printerFineTuning(TPrintSettings& settings);
    // File "Print O&utline Test Page": the print dialog, then only the card rectangles.
    bool printOutlineTestPage(const TPrintSettings& settings);

    // The position chooser: true on OK, with cardSelection and sheets taken from it.
    bool doPageSetup(const TPrintSettings& settings);
    // The bottom-margin warning: true to go on printing.
    bool checkBottomMargin(TPrintSettings& settings);

  private:
    bool doPrint(const TPrintSettings& settings, SheetPrintJob::Mode mode, int sheets,
                 const QString& backgroundFile);
    template <typename Dialog> void connectHelp(Dialog& dialog);

    TGBusinessCardPanel32& surface_;
    QWidget* window_;
    platform::PrinterReportTarget printer_;
    platform::Report mainReport_{printer_};
    TCardSelection selection_;
    int sheets_ = 1;
};
