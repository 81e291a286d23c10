#include "PrintCommand.h"

#include "CardFiles.h"
#include "ObjectKinds.h"
#include "TPreferences.h"

#include "document/TGBusinessCardPanel32.h"
#include "document/TGLabelObjectFiler.h"
#include "platform/HomeFolder.h"
#include "platform/PdfReportTarget.h"
#include "platform/PrinterReportTarget.h"
#include "platform/PrintableText.h"
#include "platform/Printers.h"
#include "platform/Report.h"
#include "platform/ScreenMetrics.h"
#include "printing/TPrintCommands.h"
#include "printing/TSheetPrinter.h"

#include <csignal>
#include <exception>
#include <memory>

namespace {
constexpr int MaxSheets = 9999;
}

void PrintCommand::prepareEnvironment()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A closed pipe on the output is a write error to report, not a reason to die silently.
    std::signal(SIGPIPE, SIG_IGN);
}

QString PrintCommand::usage()
{
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

void PrintCommand::say(const QString& message)
{
    messages << message;
    err_ << platform::PrintableText::of(message) << Qt::endl;
}

int PrintCommand::fail(const QString& message, int code)
{
    say(message);
    if (code == 2) err_ << usage();
    return code;
}

int PrintCommand::run(const QStringList& arguments)
{
    QStringList args = platform::HomeFolder::takeHomeArgument(arguments);
    if (!args.isEmpty() && args.constFirst() == QLatin1String("print")) args.removeFirst();

    QString card, output, printerName, positions;
    bool toPrinter = false, outline = false, hasPositions = false;
    int sheets = 1;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        auto value = [&](QString& into) {
            if (i + 1 >= args.size()) return false;
            into = args.at(++i);
            return true;
        };
        if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            if (!value(output)) return fail(QStringLiteral("%1 needs a file name.").arg(a), 2);
        } else if (a == QLatin1String("--printer")) {
            if (!value(printerName)) return fail(QStringLiteral("--printer needs a queue name."), 2);
            toPrinter = true;
        } else if (a == QLatin1String("--sheets")) {
            QString text;
            bool ok = value(text);
            sheets = text.toInt(&ok);
            if (!ok || sheets < 1 || sheets > MaxSheets)
                return fail(QStringLiteral("--sheets needs a number from 1 to %1.").arg(MaxSheets), 2);
        } else if (a == QLatin1String("--positions")) {
            if (!value(positions)) return fail(QStringLiteral("--positions needs a list such as 1,2,8."), 2);
            hasPositions = true;
        } else if (a == QLatin1String("--outline")) {
            outline = true;
        } else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            err_ << usage();
            return 0;
        } else if (a.startsWith(QLatin1Char('-')) || !card.isEmpty()) {
            return fail(QStringLiteral("Unexpected argument: %1").arg(a), 2);
        } else {
            card = a;
        }
    }
    if (card.isEmpty()) return fail(QStringLiteral("No card file given."), 2);
    if (!output.isEmpty() && toPrinter)
        return fail(QStringLiteral("Give either -o or --printer, not both."), 2);
    if (const QString problem = TGLabelObjectFiler::notACardFile(card); !problem.isEmpty())
        return fail(problem + QLatin1Char('.'));

    const TPreferences prefs = TPreferences::LoadPreferences();
    if (prefs.LayoutReplaced) say(TPreferences::layoutReplacedMessage());
    TPrintSettings settings;
    settings.layout = prefs.Layout;
    settings.offsets = {prefs.TopMarginNudge, prefs.LeftMarginNudge, prefs.VerticalSpacing,
                        prefs.HorizontalSpacing};
    settings.backgroundFile = CardFiles::readCompanion(card);

    TCardSelection selection;
    selection.fitLayout(settings.layout.Across, settings.layout.Down);
    if (hasPositions) {
        const int count = settings.layout.Across * settings.layout.Down;
        selection.setFirst(selection.size(), false);
        for (const QString& item : positions.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int n = item.trimmed().toInt(&ok);
            if (!ok || n < 1 || n > count)
                return fail(QStringLiteral("Position %1 is not on the sheet: positions run from 1 "
                                           "to %2.").arg(item.trimmed()).arg(count), 2);
            selection.setSelected(n - 1, true);
        }
        if (!selection.anySelected(count))
            return fail(QStringLiteral("You must select at least one card to print"), 2);
    }

    // Where the sheets go: a PDF file works without any printer.
    std::unique_ptr<platform::ReportTarget> target;
    if (!output.isEmpty()) {
        target = std::make_unique<platform::PdfReportTarget>(output);
    } else {
        const QString problem = TPrintCommands::printerProblem();
        if (!problem.isEmpty()) return fail(problem);
        auto printer = std::make_unique<platform::PrinterReportTarget>();
        if (toPrinter) {
            if (!platform::Printers::names().contains(printerName))
                return fail(QStringLiteral("There is no printer named %1.").arg(printerName));
            printer->setPrinterName(printerName);
        }
        target = std::move(printer);
    }

    TGBusinessCardPanel32 surface;
    surface.setOwnsTemporaryFiles(false);
    ObjectKinds::registerAll(surface);
    const QSize cardPixels = settings.layout.cardPixelSize(platform::ScreenMetrics::pixelsPerInch());
    surface.setSize(cardPixels.width(), cardPixels.height());
    prefs.applyTo(surface);
    try {
        surface.LoadCard(card);
    } catch (const std::exception& e) {
        return fail(QStringLiteral("Unable to open %1. Possibly corrupted, possibly not a ORL file (%2)")
                        .arg(card, QString::fromLocal8Bit(e.what())));
    }

    platform::Report report(*target);
    report.setPaperSize(settings.layout.Papersize);
    const auto mode = outline ? SheetPrintJob::Mode::Outline : SheetPrintJob::Mode::Print;
    TSheetPrinter printer(surface, report,
                          SheetPrintJob::make(settings.layout, settings.offsets, selection, mode,
                                              sheets, settings.backgroundFile));
    const bool ok = printer.run();
    if (!outline && !printer.backgroundProblem().isEmpty())
        say(printer.backgroundProblem());
    if (!ok) return fail(report.errorString().isEmpty() ? QStringLiteral("Printing was cancelled.")
                                                        : report.errorString());
    return 0;
}
