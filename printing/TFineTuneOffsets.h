#pragma once
// The printer fine-tuning offsets: corrections of a printer's paper feed, each a count of
// 1/32 inch added to a layout length when printing. The dialog keeps them within -8 to 8.
#include <QtGlobal>

struct TFineTuneOffsets {
    static constexpr double step = 0.03125; // inches per count
    static constexpr qint32 limit = 8;

    qint32 topMarginNudge = 0;    // added to topMargin
    qint32 leftMarginNudge = 0;   // added to leftMargin
    qint32 verticalSpacing = 0;   // added to vPitch
    qint32 horizontalSpacing = 0; // added to hPitch

    bool operator==(const TFineTuneOffsets&) const = default;
};
