#pragma once
// What one sheet-printing run prints: the layout and the fine-tuning offsets added to it,
// the positions to print, the number of sheets, the background art and whether the run
// prints, previews or prints the outline test page.
#include "TCardLayout.h"
#include "TCardSelection.h"
#include "TFineTuneOffsets.h"

#include <QPointF>
#include <QString>

struct SheetPrintJob {
    enum class Mode {
        Print,   // every selected position of every sheet, on the printer or into a file
        Preview, // the first position only, into a stored report for the preview window
        Outline, // only the rectangle of every selected position (the outline test page)
    };

    TCardLayout layout; // Across and Down within 1 and the layout's maximum
    TFineTuneOffsets offsets;
    Mode mode = Mode::Print;
    int sheets = 1;
    TCardSelection selection;
    QString backgroundFile; // empty: no background art
    QString outputFile;     // the file a print run writes (a PDF export); empty for a printer

    // Print and outline runs go to the printer or file; a preview does not.
    bool printing() const { return mode != Mode::Preview; }
    int positions() const { return layout.across * layout.down; }
    // The card's corner at a column and row, in inches, with the offsets added.
    QPointF cardCorner(int column, int row) const;

    // A job for the layout shifted by the offsets. The selection is grown to the layout's
    // positions (new ones selected); sheets below 1 count as 1.
    static SheetPrintJob make(const TCardLayout& layout, const TFineTuneOffsets& offsets,
                              const TCardSelection& selection, Mode mode, int sheets,
                              const QString& backgroundFile);
};
