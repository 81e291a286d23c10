#include "SheetPrintJob.h"

#include <algorithm>

namespace {
// A layout length in inches with an offset of `nudge` fine-tuning steps added.
double nudged(float inches, qint32 nudge) {
    return double(inches) + nudge * TFineTuneOffsets::step;
}
} // namespace

QPointF SheetPrintJob::cardCorner(int column, int row) const {
    return {nudged(layout.leftMargin, offsets.leftMarginNudge) +
                column * nudged(layout.hPitch, offsets.horizontalSpacing),
            nudged(layout.topMargin, offsets.topMarginNudge) +
                row * nudged(layout.vPitch, offsets.verticalSpacing)};
}

SheetPrintJob SheetPrintJob::make(const TCardLayout& layout, const TFineTuneOffsets& offsets,
                                  const TCardSelection& selection, Mode mode, int sheets,
                                  const QString& backgroundFile) {
    SheetPrintJob job;
    job.layout = layout;
    job.layout.across = std::clamp(layout.across, 1, TCardLayout::maxAcross);
    job.layout.down = std::clamp(layout.down, 1, TCardLayout::maxDown);
    job.offsets = offsets;
    job.mode = mode;
    job.sheets = std::max(1, sheets);
    job.selection = selection;
    job.selection.fitLayout(job.layout.across, job.layout.down);
    job.backgroundFile = backgroundFile;
    return job;
}
