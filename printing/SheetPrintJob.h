#pragma once
// The values one sheet-printing run works with: the card placement from the layout with the
// fine-tuning offsets added, the positions to print, the number of sheets, the background
// art and whether the run prints, previews or prints the outline test page.
#include "TCardLayout.h"
#include "TCardSelection.h"
#include "TFineTuneOffsets.h"

#include <QString>

struct SheetPrintJob {
    enum class Mode {
        Print,   // every selected position of every sheet, on the printer or into a file
        Preview, // the first position only, into a stored report for the preview window
        Outline, // only the rectangle of every selected position (the outline test page)
    };

    int Pages = 1;
    TCardSelection selection;
    bool outlineOnly = false;
    bool printing = true;
    double Height = 2.0;
    double Width = 3.5;
    int Across = 2;
    int Down = 5;
    double TopMargin = 0.5;
    double LeftMargin = 0.75;
    double HPitch = 3.5;
    double VPitch = 2.0;
    QString backgroundFile; // empty: no background art
    QString outputFile;     // the file a print run writes (a PDF export); empty for a printer

    // A job for the layout shifted by the offsets. The selection is grown to the layout's
    // positions (new ones selected); pages below 1 count as 1.
    static SheetPrintJob make(const TCardLayout& layout, const TFineTuneOffsets& offsets,
                              const TCardSelection& selection, Mode mode, int pages,
                              const QString& backgroundFile);
};
