#pragma once
// The printer fine-tuning offsets: corrections of a printer's paper feed, each a count of
// 1/32 inch added to a layout length when printing. The dialog keeps them within -8 to 8.
#include <QtGlobal>

struct TFineTuneOffsets {
    static constexpr double Step = 0.03125; // inches per count
    static constexpr qint32 Limit = 8;

    qint32 TopMarginNudge = 0;    // added to TopMargin
    qint32 LeftMarginNudge = 0;   // added to LeftMargin
    qint32 VerticalSpacing = 0;   // added to VPitch
    qint32 HorizontalSpacing = 0; // added to HPitch

    bool operator==(const TFineTuneOffsets&) const = default;
};
