#include "PrintCommand.h"

#include "CardFiles.h"
#include "HeadlessCard.h"
#include "PrintArguments.h"
#include "TPreferences.h"

#include "document/TGLabelObjectFiler.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/PdfReportTarget.h"
#include "platform/report/PrinterReportTarget.h"
#include "platform/report/Printers.h"
#include "platform/report/Report.h"
#include "platform/system/HomeFolder.h"
#include "platform/widgets/PrintableText.h"
#include "printing/TPrintCommands.h"
#include "printing/TSheetPrinter.h"

#include <csignal>
#include <exception>
#include <memory>

void PrintCommand::prepareEnvironment() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A closed pipe on the output is a write error to report, not a reason to die silently.
    std::signal(SIGPIPE, SIG_IGN);
}

QString PrintCommand::usage() {
    return QStringLiteral(
        "Usage: orlanto print CARD.ORL [-o OUT.pdf | --printer NAME] [--sheets N]\n"
        "                      [--positions 1,2,8] [--outline] [--home DIR]\n"
        "  -o OUT.pdf         write the sheets into a PDF file\n"
        "  --printer NAME     print on this queue (default: the default printer)\n"
        "  --sheets N         number of sheets, 1 to 9999 (default 1)\n"
        "  --positions LIST   card positions to print, counted from 1 row by row\n"
        "                     (default: all)\n"
        "  --outline          print only the card rectangles (outline test page)\n"
        "  --home DIR         the folder holding ORL.INI\n");
}

void PrintCommand::say(const QString& message) {
    messages << message;
    err_ << platform::PrintableText::of(message) << Qt::endl;
}

int PrintCommand::fail(const QString& message, int code) {
    say(message);
    if (code == 2) err_ << usage();
    return code;
}

int PrintCommand::run(const QStringList& arguments) {
    QStringList args = platform::HomeFolder::takeHomeArgument(arguments);
    if (!args.isEmpty() && args.constFirst() == QLatin1String("print")) args.removeFirst();
    PrintArguments request;
    if (!request.read(args)) return fail(request.problem(), 2);
    if (request.help) {
        err_ << usage();
        return 0;
    }
    if (const QString problem = TGLabelObjectFiler::notACardFile(request.card); !problem.isEmpty())
        return fail(problem + QLatin1Char('.'));

    const TPreferences prefs = TPreferences::loadPreferences();
    if (prefs.layoutReplaced) say(TPreferences::layoutReplacedMessage());
    const TCardLayout& layout = prefs.print.layout;
    TCardSelection selection;
    selection.fitLayout(layout.across, layout.down);
    if (request.positions && !choosePositions(*request.positions, layout, selection)) return 2;

    // Where the sheets go: a PDF file works without any printer.
    const std::unique_ptr<platform::ReportTarget> target = reportTarget(request);
    if (!target) return 1;

    HeadlessCard surface;
    const QSize cardPixels = layout.cardPixelSize(platform::ScreenMetrics::pixelsPerInch());
    surface.setSize(cardPixels.width(), cardPixels.height());
    prefs.applyTo(surface);
    try {
        surface.loadCard(request.card);
    } catch (const std::exception& e) {
        return fail(
            QStringLiteral("Unable to open %1. Possibly corrupted, possibly not a ORL file (%2)")
                .arg(request.card, QString::fromLocal8Bit(e.what())));
    }

    platform::Report report(*target);
    report.setPaperSize(layout.papersize);
    const auto mode = request.outline ? SheetPrintJob::Mode::Outline : SheetPrintJob::Mode::Print;
    TSheetPrinter printer(surface, report,
                          SheetPrintJob::make(layout, prefs.print.offsets, selection, mode,
                                              request.sheets,
                                              CardFiles::readCompanion(request.card)));
    const bool ok = printer.run();
    if (!request.outline && !printer.backgroundProblem().isEmpty())
        say(printer.backgroundProblem());
    if (!ok)
        return fail(report.errorString().isEmpty() ? QStringLiteral("Printing was cancelled.")
                                                   : report.errorString());
    return 0;
}

bool PrintCommand::choosePositions(const QString& list, const TCardLayout& layout,
                                   TCardSelection& selection) {
    const int count = layout.across * layout.down;
    selection.setFirst(selection.size(), false);
    for (const QString& item : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = item.trimmed().toInt(&ok);
        if (!ok || n < 1 || n > count) {
            fail(QStringLiteral("Position %1 is not on the sheet: positions run from 1 to %2.")
                     .arg(item.trimmed())
                     .arg(count),
                 2);
            return false;
        }
        selection.setSelected(n - 1, true);
    }
    if (selection.anySelected(count)) return true;
    fail(QStringLiteral("You must select at least one card to print"), 2);
    return false;
}

std::unique_ptr<platform::ReportTarget> PrintCommand::reportTarget(const PrintArguments& request) {
    if (!request.output.isEmpty())
        return std::make_unique<platform::PdfReportTarget>(request.output);
    if (const QString problem = TPrintCommands::printerProblem(); !problem.isEmpty()) {
        fail(problem);
        return nullptr;
    }
    auto printer = std::make_unique<platform::PrinterReportTarget>();
    if (request.toPrinter) {
        if (!platform::Printers::names().contains(request.printerName)) {
            fail(QStringLiteral("There is no printer named %1.").arg(request.printerName));
            return nullptr;
        }
        printer->setPrinterName(request.printerName);
    }
    return printer;
}
