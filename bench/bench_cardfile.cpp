// Reading and writing a card of 1,000 simple shapes and lines, and the reader's throughput
// on a large card (10,000 objects with long strings) in bytes per second.
#include "app/HeadlessCard.h"
#include "document/TGBusinessCardPanel32.h"
#include "document/TGLabelObjectFiler.h"
#include "objects/shapes/TBCShapes.h"
#include "objects/shapes/TGLineShape.h"
#include "platform/system/HomeFolder.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

namespace {

// A surface holding n objects: shapes of every kind with changed pens and brushes, and lines.
std::unique_ptr<TGBusinessCardPanel32> cardOf(int n, int hintLength = 0) {
    auto surface = std::make_unique<HeadlessCard>();
    for (int i = 0; i < n; ++i) {
        TGGraphicControl* o;
        if (i % 4 == 3) {
            auto* line = new TGLineShape(surface->owner());
            line->setLineStyle(TGLineShape::TLineStyle(i % 4));
            line->pen()->setWidth(i % 10);
            o = line;
        } else {
            auto* shape = new TBCShapes(surface->owner());
            shape->setShape(TGLabelShapes::TShapeType(i % 6));
            shape->brush()->setColor(i * 977);
            shape->pen()->setColor(i % 2 ? TColor::clRed : 0x010203);
            o = shape;
        }
        o->setSurface(surface.get());
        o->setObjectName(QStringLiteral("Special%1").arg(i + 1));
        o->setBounds(i % 300, i % 180, 20 + i % 50, 15 + i % 30);
        if (hintLength) o->setHint(QString(hintLength, QChar('a' + i % 26)));
    }
    return surface;
}

void BM_WriteCard1000(benchmark::State& state) {
    auto surface = cardOf(1000);
    for (auto _ : state) {
        const QByteArray bytes =
            TGLabelObjectFiler(surface->classes()).writeObjects(surface->objects());
        benchmark::DoNotOptimize(bytes.data());
    }
}

// Reads into a fresh surface each time; the surface's clean-up is not timed.
void readBench(benchmark::State& state, const QByteArray& bytes) {
    for (auto _ : state) {
        state.PauseTiming();
        auto target = cardOf(0);
        state.ResumeTiming();
        TGLabelObjectFiler(target->classes()).readObjects(bytes, target->owner(), *target);
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

void BM_ReadCard1000(benchmark::State& state) {
    auto surface = cardOf(1000);
    readBench(state, TGLabelObjectFiler(surface->classes()).writeObjects(surface->objects()));
}

void BM_ReadLargeCard(benchmark::State& state) {
    auto surface = cardOf(10000, 400);
    readBench(state, TGLabelObjectFiler(surface->classes()).writeObjects(surface->objects()));
}

} // namespace

BENCHMARK(BM_WriteCard1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadCard1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadLargeCard)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir home;
    platform::HomeFolder::set(home.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
