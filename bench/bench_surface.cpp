// The design surface's hot paths: a full repaint at zoom 1.5 with 200 objects, all
// selected, one mouse-move step of a frame drag that carries 200 objects (the undo history
// watching), the release that moves them and records the step, and undo and redo of that
// move.
#include "app/ObjectKinds.h"
#include "document/TGBusinessCardPanel32.h"
#include "platform/HomeFolder.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
// A clock on which every reading is 100 ms after the last, so that every press and
// release pair counts as a real drag.
struct SteppingClock : platform::TickClock {
    quint32 tick() const override { return now += 100; }
    mutable quint32 now = 1;
};

// A card of 200 rectangles, ellipses and round rectangles made with the tools.
struct Card {
    Card()
    {
        platform::HomeFolder::set(home.path());
        surface.setClock(&clock);
        surface.setSize(336, 192);
        surface.setShape(TGBasePanel::lsRectangle);
        surface.setDrawOutline(true);
        surface.setShowGrid(true);
        ObjectKinds::registerAll(surface);
        const TGBusinessCardPanel32::TLPanelState tools[] = {
            TGBusinessCardPanel32::psRectangle, TGBusinessCardPanel32::psEllipse,
            TGBusinessCardPanel32::psRoundRectangle};
        for (int i = 0; i < 200; ++i) {
            surface.SetPanelState(tools[i % 3]);
            const int x = (i * 37) % 280, y = (i * 53) % 160;
            surface.mouseDown(Qt::LeftButton, {}, x, y);
            surface.mouseUp(Qt::LeftButton, {}, x + 30, y + 20);
        }
        surface.SetPanelState(TGBusinessCardPanel32::psPointing);
    }
    QTemporaryDir home;
    SteppingClock clock;
    TGBusinessCardPanel32 surface;
};

void BM_RepaintZoomedAllSelected(benchmark::State& state)
{
    Card card;
    card.surface.SetZoom(1.5f);
    card.surface.selectAll();
    for (auto _ : state) {
        card.surface.invalidate();
        benchmark::DoNotOptimize(card.surface.image().constBits());
    }
}
BENCHMARK(BM_RepaintZoomedAllSelected)->Unit(benchmark::kMillisecond);

void BM_FrameDragStep(benchmark::State& state)
{
    Card card;
    card.surface.selectAll();
    card.surface.image();
    const QRect frame = card.surface.handle().geometry();
    const QPoint start = frame.center();
    // Press on the frame: the drag starts at once; each step moves the outline.
    card.surface.mouseDown(Qt::LeftButton, {}, start.x(), start.y());
    int dx = 0;
    for (auto _ : state) {
        dx = (dx + 1) % 20;
        card.surface.mouseMove(Qt::LeftButton, {}, start.x() + dx, start.y() + dx / 2);
    }
    card.surface.mouseUp(Qt::LeftButton, {}, start.x(), start.y());
}
BENCHMARK(BM_FrameDragStep)->Unit(benchmark::kMicrosecond);

void BM_FrameDragRelease(benchmark::State& state)
{
    // The release that moves all 200 objects, with the repaint that follows.
    Card card;
    card.surface.selectAll();
    int step = 0;
    for (auto _ : state) {
        const QPoint p = card.surface.handle().geometry().center();
        const int d = step++ % 2 ? -4 : 4;
        card.surface.mouseDown(Qt::LeftButton, {}, p.x(), p.y());
        card.surface.mouseMove(Qt::LeftButton, {}, p.x() + d, p.y());
        card.surface.mouseUp(Qt::LeftButton, {}, p.x() + d, p.y());
        benchmark::DoNotOptimize(card.surface.image().constBits());
    }
}
BENCHMARK(BM_FrameDragRelease)->Unit(benchmark::kMillisecond);

// Card with all 200 objects moved by one drag: one step in the history.
struct MovedCard : Card {
    MovedCard()
    {
        surface.history().clear();
        surface.selectAll();
        const QPoint p = surface.handle().geometry().center();
        surface.mouseDown(Qt::LeftButton, {}, p.x(), p.y());
        surface.mouseMove(Qt::LeftButton, {}, p.x() + 4, p.y() + 3);
        clock.now += 200; // held long enough to be a drag, not a click
        surface.mouseUp(Qt::LeftButton, {}, p.x() + 4, p.y() + 3);
    }
};

void BM_UndoMoveOf200(benchmark::State& state)
{
    MovedCard card;
    if (card.surface.history().stack().count() != 1) state.SkipWithError("the move is no step");
    for (auto _ : state) {
        card.surface.history().undo();
        state.PauseTiming();
        card.surface.history().redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoMoveOf200)->Unit(benchmark::kMillisecond);

void BM_RedoMoveOf200(benchmark::State& state)
{
    MovedCard card;
    for (auto _ : state) {
        state.PauseTiming();
        card.surface.history().undo();
        state.ResumeTiming();
        card.surface.history().redo();
    }
}
BENCHMARK(BM_RedoMoveOf200)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
