#pragma once
// One sheet-printing run: repeats the card of the design surface at every chosen position
// of every sheet, over the background art, on a report (printer, PDF file or the stored
// report of a preview). It is the report's page-drawing callback; the status dialog
// (TLabelPrinter) and the command line drive it.
//
//     platform::PdfReportTarget pdf(fileName);
//     platform::Report report(pdf);
//     report.setPaperSize(layout.Papersize);
//     TSheetPrinter printer(surface, report, SheetPrintJob::make(layout, offsets, selection,
//                                                                 SheetPrintJob::Mode::Print,
//                                                                 sheets, background));
//     if (!printer.run()) ... report.errorString() ...
#include "SheetPrintJob.h"

#include "platform/pictures/Graphic.h"

#include <QImage>
#include <QString>

#include <functional>

class TGBusinessCardPanel32;
namespace platform {
class Report;
}

class TSheetPrinter {
  public:
    enum class Background { None, Metafile, Bitmap };

    // The report and the surface must outlive the printer.
    TSheetPrinter(TGBusinessCardPanel32& surface, platform::Report& report, SheetPrintJob job);

    const SheetPrintJob& job() const { return job_; }
    platform::Report& report() { return report_; }

    // The whole run: the surface at zoom 1.0 and flagged as printing meanwhile, the
    // background art loaded, the report run with beforePrintLabels and printLabels, and
    // the final status shown. True when the output was written in full; no partial output
    // is left otherwise (see the report's errorString()).
    bool run();

    // Cancel of a print (the user has confirmed it): the report discards its output.
    void cancel();
    // Stop of a preview: no further card is drawn and no preview is shown.
    void stop();
    bool stopped() const { return stopped_; }
    bool aborted() const;
    bool failed() const; // ended by an error rather than by the user
    // The text of the final status for the run that ended.
    QString finalStatus() const;

    // Shows the card being drawn ("Card 3"), or nothing (empty text) when the run ends.
    std::function<void(const QString&)> onExtraLabel;
    // Lets pending window messages run (a click on Cancel or Stop is handled there).
    std::function<void()> processEvents;

    // The report's callbacks.
    void beforePrintLabels(platform::Report& report);
    void printLabels(platform::Report& report);
    // One card with its corner at inch (0, 0): the outline, or background art and objects.
    void printCard(platform::Report& report);

    // The background art: loaded once per run; drawn stretched into the 3.5 x 2.0 inch
    // rectangle at the placed card origin.
    void loadBackGround();
    void printBackGround();
    Background backgroundKind() const { return backgroundKind_; }
    // Why the named background art is not drawn; empty when it is or when none is named.
    QString backgroundProblem() const { return backgroundProblem_; }

  private:
    void pumpEvents();
    void showExtra(const QString& text);

    TGBusinessCardPanel32& surface_;
    platform::Report& report_;
    SheetPrintJob job_;
    bool stopped_ = false;
    Background backgroundKind_ = Background::None;
    QImage backgroundBitmap_; // one object for every card, so a PDF embeds it once
    platform::Graphic backgroundMetafile_;
    QString backgroundProblem_;
};
