#pragma once
// Places one drawing, written once as the page of a PDF of its own, at many points of the
// pages of another PDF: the drawing becomes a form (a PDF drawing that pages refer to), and
// each placement costs a line of the page's content. Both PDFs come from the toolkit's PDF
// writer at the same resolution, which draws in device pixels from the page's top-left
// corner; the result draws each placement exactly where drawing it on the page would.
// The work is done by a module loaded on first use (with qpdf, which the program does not
// load at start).
#include <QByteArray>
#include <QPoint>
#include <QString>

#include <vector>

namespace platform {

class PdfCardPlacer {
  public:
    struct Placement {
        int page = 0;  // from 0
        QPoint corner; // where the card's corner goes on that page, in device pixels
    };

    // Whether the module can be loaded.
    static bool available();
    // Writes into `pdf` the pages with the card placed on them, above what they hold.
    // `drawnOn` tells, page by page, whether anything else was drawn on it: pages that hold
    // only cards are written anew, without reading them. `cardCorner` is the card's corner on
    // the card's page, in device pixels; `resolution` is the device pixels per inch of both.
    // False with the reason when either PDF cannot be read, a placement names no page or
    // the module cannot be loaded.
    static bool place(const QByteArray& pages, const std::vector<bool>& drawnOn,
                      const QByteArray& card, QPoint cardCorner,
                      const std::vector<Placement>& placements, int resolution, QByteArray& pdf,
                      QString& error);
};

} // namespace platform
