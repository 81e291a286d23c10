#pragma once
// The print settings the preferences file keeps and every print command works with: the
// layout, the fine-tuning offsets and whether to warn about the bottom margin.
#include "TCardLayout.h"
#include "TFineTuneOffsets.h"

struct TPrintSettings {
    TCardLayout layout;
    TFineTuneOffsets offsets;
    bool showBottomMarginWarning = true;

    bool operator==(const TPrintSettings&) const = default;
};
