// The design surface's hot paths: a full repaint at zoom 1.5 with 200 objects, all
// selected, the same at 400 % on a screen of device-pixel ratio 2, a repaint there after a
// change of the selection only, and a zoom step there, one mouse-move step of a frame drag that
// carries 200 objects (the undo history watching), the release that moves them and records the
// step, and undo and redo of that move; in the main window, a repaint at 400 %, a Ctrl+wheel step
// to 400 % and Zoom to fit with the repaint that follows.
#include "app/HeadlessCard.h"
#include "app/TMainScreen.h"
#include "document/TGBusinessCardPanel32.h"
#include "platform/system/HomeFolder.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

namespace {
// A clock on which every reading is 100 ms after the last, so that every press and
// release pair counts as a real drag.
struct SteppingClock : platform::TickClock {
    quint32 tick() const override { return now += 100; }
    mutable quint32 now = 1;
};

// Draws 200 rectangles, ellipses and round rectangles with the tools.
void drawShapes(TGBusinessCardPanel32& surface) {
    const TGBusinessCardPanel32::TLPanelState tools[] = {TGBusinessCardPanel32::psRectangle,
                                                         TGBusinessCardPanel32::psEllipse,
                                                         TGBusinessCardPanel32::psRoundRectangle};
    for (int i = 0; i < 200; ++i) {
        surface.setPanelState(tools[i % 3]);
        const int x = (i * 37) % 280, y = (i * 53) % 160;
        surface.mouseDown(Qt::LeftButton, {}, x, y);
        surface.mouseUp(Qt::LeftButton, {}, x + 30, y + 20);
    }
    surface.setPanelState(TGBusinessCardPanel32::psPointing);
}

// A card of 200 shapes on a bare surface.
struct Card {
    Card() {
        platform::HomeFolder::set(home.path());
        surface.setClock(&clock);
        surface.setSize(336, 192);
        surface.setShape(TGBasePanel::lsRectangle);
        surface.setDrawOutline(true);
        surface.setShowGrid(true);
        drawShapes(surface);
    }
    QTemporaryDir home;
    SteppingClock clock;
    HeadlessCard surface;
};

void BM_RepaintZoomedAllSelected(benchmark::State& state) {
    Card card;
    card.surface.setZoom(1.5f);
    card.surface.selectAll();
    for (auto _ : state) {
        card.surface.invalidate();
        benchmark::DoNotOptimize(card.surface.image().constBits());
    }
}
BENCHMARK(BM_RepaintZoomedAllSelected)->Unit(benchmark::kMillisecond);

// The card at 400 % on a screen of device-pixel ratio 2: the image holds 2688 x 1536 pixels.
void BM_RepaintAt400Ratio2(benchmark::State& state) {
    Card card;
    card.surface.setDevicePixelRatio(2.0);
    card.surface.setZoom(4.0f);
    card.surface.selectAll();
    for (auto _ : state) {
        card.surface.invalidate();
        benchmark::DoNotOptimize(card.surface.image().constBits());
    }
}
BENCHMARK(BM_RepaintAt400Ratio2)->Unit(benchmark::kMillisecond);

// The same card with the selection changing (all 200 objects selected, then none): the card
// as drawn is kept, and only the grips are put over it anew.
void BM_SelectionRepaintAt400Ratio2(benchmark::State& state) {
    Card card;
    card.surface.setDevicePixelRatio(2.0);
    card.surface.setZoom(4.0f);
    card.surface.image();
    bool all = true;
    for (auto _ : state) {
        if (all)
            card.surface.selectAll();
        else
            card.surface.handle().clear();
        benchmark::DoNotOptimize(card.surface.image().constBits());
        all = !all;
    }
}
BENCHMARK(BM_SelectionRepaintAt400Ratio2)->Unit(benchmark::kMillisecond);

// One zoom step between 390 % and 400 % at ratio 2, with the repaint at the new zoom.
void BM_ZoomStepRatio2(benchmark::State& state) {
    Card card;
    card.surface.setDevicePixelRatio(2.0);
    card.surface.selectAll();
    bool up = true;
    for (auto _ : state) {
        card.surface.setZoom(up ? 4.0f : 3.9f);
        benchmark::DoNotOptimize(card.surface.image().constBits());
        up = !up;
    }
}
BENCHMARK(BM_ZoomStepRatio2)->Unit(benchmark::kMillisecond);

void BM_FrameDragStep(benchmark::State& state) {
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

void BM_FrameDragRelease(benchmark::State& state) {
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
    MovedCard() {
        surface.history().clear();
        surface.selectAll();
        const QPoint p = surface.handle().geometry().center();
        surface.mouseDown(Qt::LeftButton, {}, p.x(), p.y());
        surface.mouseMove(Qt::LeftButton, {}, p.x() + 4, p.y() + 3);
        clock.now += 200; // held long enough to be a drag, not a click
        surface.mouseUp(Qt::LeftButton, {}, p.x() + 4, p.y() + 3);
    }
};

void BM_UndoMoveOf200(benchmark::State& state) {
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

void BM_RedoMoveOf200(benchmark::State& state) {
    MovedCard card;
    for (auto _ : state) {
        state.PauseTiming();
        card.surface.history().undo();
        state.ResumeTiming();
        card.surface.history().redo();
    }
}
BENCHMARK(BM_RedoMoveOf200)->Unit(benchmark::kMillisecond);

// The main window, large enough for the card at 400 %, with 200 shapes on the card.
struct ZoomWindow {
    ZoomWindow() {
        platform::HomeFolder::set(home.path());
        window = std::make_unique<TMainScreen>();
        window->resize(1600, 1100);
        window->firstActivation();
        window->surface().setClock(&clock);
        drawShapes(window->surface());
        window->surface().selectAll();
    }
    TGBusinessCardPanel32& surface() { return window->surface(); }
    void ctrlWheel(int delta) {
        QWidget* view = window->findChild<QWidget*>(QStringLiteral("SurfaceView"));
        QWheelEvent e(QPointF(20, 20), view->mapToGlobal(QPointF(20, 20)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                      false);
        QApplication::sendEvent(view, &e);
    }
    QTemporaryDir home;
    SteppingClock clock;
    std::unique_ptr<TMainScreen> window;
};

void BM_RepaintAt400(benchmark::State& state) {
    ZoomWindow w;
    w.window->zoomToPercent(400);
    for (auto _ : state) {
        w.surface().invalidate();
        benchmark::DoNotOptimize(w.surface().image().constBits());
    }
}
BENCHMARK(BM_RepaintAt400)->Unit(benchmark::kMillisecond);

// One wheel notch with Ctrl, between 390 % and 400 %, and the repaint at the new zoom.
void BM_CtrlWheelStepTo400(benchmark::State& state) {
    ZoomWindow w;
    w.window->zoomToPercent(390);
    int delta = 120;
    for (auto _ : state) {
        w.ctrlWheel(delta);
        benchmark::DoNotOptimize(w.surface().image().constBits());
        delta = -delta;
    }
    state.counters["zoom"] = w.surface().zoomFactor();
}
BENCHMARK(BM_CtrlWheelStepTo400)->Unit(benchmark::kMillisecond);

// Zoom to fit from 100 % (to 400 % in this window) and the repaint at the fitted zoom.
void BM_ZoomToFit(benchmark::State& state) {
    ZoomWindow w;
    for (auto _ : state) {
        state.PauseTiming();
        w.window->zoomToPercent(100);
        w.surface().image();
        state.ResumeTiming();
        w.window->zoomToFitCommand();
        benchmark::DoNotOptimize(w.surface().image().constBits());
    }
    state.counters["zoom"] = w.surface().zoomFactor();
}
BENCHMARK(BM_ZoomToFit)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
