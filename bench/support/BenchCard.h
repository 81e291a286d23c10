#pragma once
// A card for the repaint benchmarks: a surface without a window (every kind registered) the
// size of a business card, with its outline drawn, in a temporary home; objects placed on it as the
// tools place them; and the timed repaint at zoom 1.5 once every layout is settled.
#include "document/TGBusinessCardPanel32.h"

#include <QRect>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

class BenchCard {
  public:
    BenchCard();

    TGBusinessCardPanel32& surface() { return *surface_; }
    // Zooms to 1.5, settles the layouts, then repaints the whole card once per iteration.
    void repaintAtZoom15(benchmark::State& state);

    // The benchmarks' main: the offscreen platform unless another is set, 96 pixels per
    // inch, then every benchmark the command line selects.
    static int run(int argc, char** argv);

  private:
    QTemporaryDir home_;
    std::unique_ptr<TGBusinessCardPanel32> surface_;
};
