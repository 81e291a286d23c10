#pragma once
// A report job: pages drawn in inches and sent to a target (PDF file, stored report for the
// preview, or printer). Every printed or previewed page goes through it.
//
// Coordinates are inches from the top-left corner of the physical sheet, plus the left and
// top margins (0 unless set). Device pixels, used by objects that draw pixel by pixel, also
// count from the sheet's top-left corner, at resolution() pixels per inch.
//
// A run: run() clears the aborted flag, calls onBeforePrint (which may still change the
// copies, paper and orientation), starts the target on page 1, refreshes the status, calls
// onPrint (which draws and calls newPage() between pages) and commits the output. Pages
// are handed to the target as they are finished; the report keeps none of them. abort() from inside
// onPrint (for instance from a Cancel button handled while the page loop lets events run) makes the
// run discard its output.
//
// A design object prints a rectangle at inch coordinates like this:
//     report.pen = {TColor(TColor::clBlack), Gdi::psSolid, -1, Gdi::pmCopy}; // 0.01"
//     report.brush = {TColor(TColor::clWhite), Gdi::bsClear, {}};
//     const QRectF in = object.inchRect(x0, y0); // x0 + left / ppi, ... in inches
//     report.rectangle(in.left(), in.top(), in.right(), in.bottom());
// and a recorded picture with report.stretchDraw(in, picture).
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/TColor.h"
#include "platform/report/ReportStatus.h"
#include "platform/report/ReportTarget.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRectF>

#include <algorithm>
#include <functional>
#include <optional>

class QPicture;

namespace platform {

class Report {
  public:
    // A pen: width > 0 is in device pixels; width < 0 is in hundredths of an inch and never
    // thinner than one device pixel; width 0 is one device pixel. Dashes and dots show on
    // pens one device pixel or one hundredth of an inch wide (their pattern scaled to the
    // width), as on a screen's one-pixel pen; wider pens draw solid.
    struct Pen {
        TColor color = TColor::clBlack;
        Gdi::TPenStyle style = Gdi::psSolid;
        int width = 1;
        Gdi::TPenMode mode = Gdi::pmCopy;
    };
    // A brush; a non-null bitmap tiles the figure instead of the colour and style.
    struct Brush {
        TColor color = TColor::clWhite;
        Gdi::TBrushStyle style = Gdi::bsSolid;
        QImage bitmap;
    };

    // Paper-size codes of the layout.
    static constexpr int paperLetter = 1;
    static constexpr int paperA4 = 9;

    explicit Report(ReportTarget& target); // the target must outlive the report

    // ---- Job settings, read when a run starts.
    QString title = QStringLiteral("Orlanto");
    // 1 = Letter; any other code is A4 (9), as the card layout draws its sheets.
    void setPaperSize(int code) { paperSize_ = code; }
    int paperSize() const { return paperSize_; }
    static QPageSize pageSizeFor(int code);
    QSizeF pageSizeInches() const; // of the physical sheet, in the current orientation
    void setOrientation(QPageLayout::Orientation o) { orientation_ = o; }
    QPageLayout::Orientation orientation() const { return orientation_; }
    // Copies the output makes of every page; only honoured by a target with maxCopies() > 1.
    void setCopies(int n) { copies_ = std::max(1, n); }
    int copies() const { return copies_; }
    // The cards the job is expected to draw with drawCard, on all its pages: a target may
    // keep one drawing of the card for many.
    void setExpectedCards(int n) { expectedCards_ = std::max(1, n); }
    int maxCopies() const { return target_.maxCopies(); }

    // Where inch (0, 0) lies on the sheet, in inches from its top-left corner.
    void setLeftMargin(double inches) { leftMargin_ = inches; }
    void setTopMargin(double inches) { topMargin_ = inches; }
    double leftMargin() const { return leftMargin_; }
    double topMargin() const { return topMargin_; }

    // ---- The run.
    std::function<void(Report&)> onBeforePrint;
    std::function<void(Report&)> onPrint;
    // True when the output was written in full. False when the job was aborted, failed to
    // start or to be written, or onPrint threw; errorString() then says why (empty when
    // aborted). Whatever fails, no partial output is left.
    bool run();
    bool running() const { return running_; }
    int currentPage() const { return page_; }
    // Starts the next page; false (and no page) once the run is aborted or has failed.
    bool newPage();
    // Makes the running job discard its output; the next run() clears the flag.
    void abort();
    bool aborted() const { return aborted_; }
    QString errorString() const { return error_; }

    // ---- Status line: status.format is StatusFormat, status.text StatusText, status.sink
    // the label. The report refreshes it when the run starts and at every new page.
    ReportStatus status;
    void refreshStatus() const { status.refresh(page_); }

    // ---- Drawing state, reset when a run starts: pen black, solid, 1 device pixel, copy
    // mode; brush clear; the application font in black.
    Pen pen;
    Brush brush;
    QFont font; // in points; a font set in pixels is taken in device pixels
    TColor fontColor = TColor::clBlack;

    // ---- Drawing in inches, with the pixel rules of the Canvas: rectangles and ellipses
    // cover their bounds (right and bottom exclusive) with the pen inside them.
    void rectangle(double x1, double y1, double x2, double y2);
    void roundRect(double x1, double y1, double x2, double y2, double cornerW, double cornerH);
    void ellipse(double x1, double y1, double x2, double y2);
    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void polygon(const QPolygonF& inches);
    // Text with the top-left of its first character cell at (x, y), transparent background.
    void textOut(double x, double y, const QString& text);
    // Width and line height of a text in the report font, in inches.
    QSizeF textExtent(const QString& text) const;
    // The report font sized in device pixels (for text paths drawn in device pixels).
    QFont deviceFont() const;
    // Stretches an image into an inch rectangle. Pass the same QImage object (or copies of
    // it, untouched) for a picture drawn many times: a PDF then holds it once per job.
    void stretchDraw(const QRectF& inches, const QImage& image);
    // Replays a recorded picture stretched into an inch rectangle; the picture's
    // boundingRect() is the part that fills it. Images recorded inside a picture are
    // embedded again at every replay: draw a repeated bitmap with the QImage overload.
    void stretchDraw(const QRectF& inches, const QPicture& picture);
    // Lets `paint` draw a source of size `source` (in its own pixels, from (0, 0)) stretched
    // into an inch rectangle and clipped to the source, straight onto the page: how an object
    // that paints itself in screen pixels prints. It draws what a picture recorded by `paint`
    // and replayed with stretchDraw would draw, without the recording.
    void drawStretched(const QRectF& inches, const QSize& source,
                       const std::function<void(Canvas&)>& paint);

    // Draws a card: `paint` draws with inch (0, 0) at the sheet point (x, y), moved to the
    // nearest device pixel, so that every card covers the same device pixels from its own
    // corner. Every card of a run must draw the same: a target that can place one drawing
    // many times (a PDF file) keeps the first card's drawing and places it at the other
    // points, above anything else drawn on their pages.
    void drawCard(double x, double y, const std::function<void()>& paint);

    // ---- Device pixels.
    int resolution() const { return dpi_; }
    QPoint toDevice(const QPointF& inches) const;
    // The device rectangle covering the inch rectangle (right and bottom exclusive).
    QRect toDevice(const QRectF& inches) const;
    void polygonDevice(const QPolygon& points);
    void stretchDrawDevice(const QRect& device, const QPicture& picture);
    // A canvas on the current page in device pixels, for objects that draw themselves
    // (clipping, paths, fills); valid until the next newPage() or the end of the run.
    Canvas canvas();
    QPainter& painter() { return surface(); }

  private:
    bool drawing() const { return running_ && !aborted_ && painter_->isActive(); }
    // What is drawn on: the current page (which the target is then told of) or the card.
    QPainter& surface();
    // From placeOrigin(x, y) on, inch coordinates count from the sheet point (x, y), moved to
    // the nearest device pixel; clearOrigin() counts from the sheet's corner again.
    void placeOrigin(double x, double y);
    void clearOrigin();
    // Draws the run's first card once on the target's own card device; false when the
    // target keeps no card drawing (or failed: error_ then says why).
    bool keepCard(const std::function<void()>& paint);
    // A canvas with the report's pen (in device pixels) and brush colour and style.
    Canvas styledCanvas();
    int devicePenWidth() const;
    // Fills a device-pixel figure with the brush bitmap, when there is one.
    void fillWithBitmap(const QPainterPath& figure);
    double xToDevice(double x) const { return origin_ ? x * dpi_ : (x + leftMargin_) * dpi_; }
    double yToDevice(double y) const { return origin_ ? y * dpi_ : (y + topMargin_) * dpi_; }

    ReportTarget& target_;
    QPainter sheetPainter_;              // on the target's pages
    QPainter* painter_ = &sheetPainter_; // what is drawn on: the pages, or a card drawn once
    int paperSize_ = paperLetter;
    QPageLayout::Orientation orientation_ = QPageLayout::Portrait;
    int copies_ = 1;
    int expectedCards_ = 1;
    double leftMargin_ = 0;
    double topMargin_ = 0;
    int page_ = 1;
    int dpi_ = 300;
    bool running_ = false;
    bool aborted_ = false;
    QString error_;
    QPoint penPos_;                // in device pixels
    std::optional<QPoint> origin_; // the placed origin in device pixels, while one is placed
    enum class CardDrawing { NotYet, Kept, EachTime } card_ = CardDrawing::NotYet;
    bool pageDrawnOn_ = false; // whether the target was told of drawing on the current page
};

} // namespace platform
