#include "SheetPrintJob.h"

#include <algorithm>

SheetPrintJob SheetPrintJob::make(const TCardLayout& layout, const TFineTuneOffsets& offsets,
                                  const TCardSelection& selection, Mode mode, int pages,
                                  const QString& backgroundFile)
{
    SheetPrintJob job;
    job.Pages = std::max(1, pages);
    job.selection = selection;
    job.outlineOnly = mode == Mode::Outline;
    job.printing = mode != Mode::Preview;
    job.Height = layout.Height;
    job.Width = layout.Width;
    job.Across = std::clamp(int(layout.Across), 1, int(TCardLayout::MaxAcross));
    job.Down = std::clamp(int(layout.Down), 1, int(TCardLayout::MaxDown));
    job.selection.fitLayout(job.Across, job.Down);
    job.TopMargin = double(layout.TopMargin) + offsets.TopMarginNudge * TFineTuneOffsets::Step;
    job.LeftMargin = double(layout.LeftMargin) + offsets.LeftMarginNudge * TFineTuneOffsets::Step;
    job.VPitch = double(layout.VPitch) + offsets.VerticalSpacing * TFineTuneOffsets::Step;
    job.HPitch = double(layout.HPitch) + offsets.HorizontalSpacing * TFineTuneOffsets::Step;
    job.backgroundFile = backgroundFile;
    return job;
}
