#include "BenchCard.h"

#include "app/HeadlessCard.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/system/HomeFolder.h"

#include <QApplication>
#include <QImage>

BenchCard::BenchCard() {
    platform::HomeFolder::set(home_.path());
    surface_ = std::make_unique<HeadlessCard>();
    surface_->setSize(336, 192);
    surface_->setDrawOutline(true);
}

void BenchCard::repaintAtZoom15(benchmark::State& state) {
    surface_->setZoom(1.5f);
    surface_->settleLayout();
    surface_->image();
    for (auto _ : state) {
        surface_->invalidate();
        benchmark::DoNotOptimize(surface_->image().constBits());
    }
}

int BenchCard::run(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::ScreenMetrics::setPixelsPerInch(96);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
