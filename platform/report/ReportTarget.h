#pragma once
// Where a report job's pages go: a PDF file, a stored report for the preview, or a printer.
// The report drives one of these through begin, newPage and finish (or abort); the target
// puts the painter on its page device so that device pixel (0, 0) is the top-left corner
// of the physical sheet.
#include <QPageLayout>
#include <QPageSize>
#include <QPoint>
#include <QString>

class QPainter;

namespace platform {

class ReportTarget {
  public:
    // What a job asks of its output, fixed when the job starts.
    struct Job {
        QString title;
        QPageSize pageSize;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        int copies = 1;
        int expectedCards = 1; // drawn by Report::drawCard in the whole job
    };

    virtual ~ReportTarget() = default;

    // Opens the output and begins the painter on page 1. False with a message on failure,
    // leaving nothing behind.
    virtual bool begin(const Job& job, QPainter& painter, QString& error) = 0;
    // Closes the current page and begins the painter on a fresh one (its state is reset).
    virtual bool newPage(QPainter& painter, QString& error) = 0;
    // Ends the painter and commits the output. False with a message when it cannot be
    // written, in which case nothing is left under the output's name.
    virtual bool finish(QPainter& painter, QString& error) = 0;
    // Ends the painter and throws away everything this job produced.
    virtual void abort(QPainter& painter) = 0;

    // A card drawn once and placed many times. A target that can place one drawing at many
    // points of its pages (a PDF file) returns from beginCard a painter on a device of its own,
    // with the pages' resolution, and sets `origin` to the card's corner on it; the report
    // draws the card there once and calls endCard. placeCard then puts that drawing with its
    // corner at a device point of the current page, above everything else the page holds.
    // Without this (the default: nullptr) the report draws every card on the pages.
    virtual QPainter* beginCard(QPoint& origin, QString& error);
    virtual bool endCard(QString& error);
    virtual void placeCard(QPoint origin);
    // Called before the report first draws on the current page other than by placing cards.
    virtual void drawingOnPage();

    // Device pixels per inch of the pages, valid from begin on.
    virtual int resolution() const = 0;
    // The most copies the output makes of each page by itself; 1 when it cannot.
    virtual int maxCopies() const { return 1; }
};

} // namespace platform
