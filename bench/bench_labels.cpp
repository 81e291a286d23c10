// Text labels: the layout pass plus paint of one label, and the repaint of a card of 50
// labels at zoom 1.5 (the largest zoom, so the most pixels), which must stay well under
// 4 ms to keep dragging smooth.
#include "objects/text/TGBusinessCardLabel.h"
#include "platform/drawing/Canvas.h"
#include "support/BenchCard.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {
void BM_LabelLayoutAndPaint(benchmark::State& state) {
    TGPLabel label;
    label.setBounds(0, 0, 142, 33);
    label.setCaption(QStringLiteral("Jane Q. Example, Sales"));
    label.setDepthShadow(2);
    label.setDepthHighlight(1);
    QImage image(200, 60, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        platform::Canvas canvas(painter);
        label.markLayoutStale();
        label.paint(canvas);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LabelLayoutAndPaint)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_CardOf50LabelsAtZoom15(benchmark::State& state) {
    BenchCard card;
    for (int i = 0; i < 50; ++i) {
        auto* l = card.surface().place<TGBusinessCardLabel>(QRect(
            QPoint((i % 5) * 64, (i / 5) * 18), QPoint((i % 5) * 64 + 64, (i / 5) * 18 + 18)));
        l->setCaption(QStringLiteral("Label number %1").arg(i));
        l->setDepthShadow(i % 3);
        l->setDepthHighlight(i % 2);
        if (i % 7 == 0) l->setAngle(i % 2 ? 90 : 270);
        l->setTransparent(i % 4 != 0);
        l->setBorderStyle(i % 5 == 0 ? Gdi::bsSingle : Gdi::bsNone);
    }
    card.repaintAtZoom15(state);
}
BENCHMARK(BM_CardOf50LabelsAtZoom15)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv) {
    return BenchCard::run(argc, argv);
}
