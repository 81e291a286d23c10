#pragma once
// What the main window keeps for printing and hands to every print command: the layout,
// the fine-tuning offsets, whether to warn about the bottom margin, and the card's
// background art.
#include "TCardLayout.h"
#include "TFineTuneOffsets.h"

#include <QString>

struct TPrintSettings {
    TCardLayout layout;
    TFineTuneOffsets offsets;
    bool ShowBottomMarginWarning = true;
    QString backgroundFile; // empty: none
};
