#include "SheetPrintJob.h"

#include <algorithm>

namespace {
// A layout length in inches with an offset of `nudge` fine-tuning steps added.
double nudged(float inches, qint32 nudge)
{
    return double(inches) + nudge * TFineTuneOffsets::Step;
}
} // namespace

QPointF SheetPrintJob::cardCorner(int column, int row) const
{
    return {nudged(layout.LeftMargin, offsets.LeftMarginNudge)
                + column * nudged(layout.HPitch, offsets.HorizontalSpacing),
            nudged(layout.TopMargin, offsets.TopMarginNudge)
                + row * nudged(layout.VPitch, offsets.VerticalSpacing)};
}

SheetPrintJob SheetPrintJob::make(const TCardLayout& layout, const TFineTuneOffsets& offsets,
                                  const TCardSelection& selection, Mode mode, int sheets,
                                  const QString& backgroundFile)
{
    SheetPrintJob job;
    job.layout = layout;
    job.layout.Across = std::clamp(layout.Across, 1, TCardLayout::MaxAcross);
    job.layout.Down = std::clamp(layout.Down, 1, TCardLayout::MaxDown);
    job.offsets = offsets;
    job.mode = mode;
    job.sheets = std::max(1, sheets);
    job.selection = selection;
    job.selection.fitLayout(job.layout.Across, job.layout.Down);
    job.backgroundFile = backgroundFile;
    return job;
}
