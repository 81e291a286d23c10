// The effect objects on the surface: a full repaint at zoom 1.5 of a card holding 20
// effect shapes and 10 effect texts with gradients, textures and shadows, and one
// gradient colour changed on one shape (its bitmap rebuilt) followed by the repaint.
#include "app/HeadlessCard.h"
#include "document/TGBusinessCardPanel32.h"
#include "objects/shapes/TGSuperText.h"
#include "objects/shapes/TSuperShape.h"
#include "platform/system/HomeFolder.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
struct Card {
    Card() {
        platform::HomeFolder::set(home.path());
        surface.setSize(336, 192);
        surface.setDrawOutline(true);
        QImage texture(24, 24, QImage::Format_RGB32);
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                texture.setPixel(x, y, qRgb(x * 10, y * 10, 128));
        for (int i = 0; i < 20; ++i) {
            auto* s =
                surface.place<TSuperShape>(QRect(QPoint((i * 37) % 260, (i * 53) % 130),
                                                 QPoint((i * 37) % 260 + 70, (i * 53) % 130 + 55)));
            s->setShape(TSuperShape::TGPShapeType(i % 10));
            s->setShadowOrient(TSuperShape::TShadowOrient(1 + i % 4));
            if (i % 2) {
                s->setSurfaceType(TSuperShape::stBrushImage);
                s->setTexture(texture);
            }
            shapes.push_back(s);
        }
        for (int i = 0; i < 10; ++i) {
            auto* t = surface.place<TGSuperText>(
                QRect(QPoint((i * 31) % 200, (i * 17) % 140),
                      QPoint((i * 31) % 200 + 142, (i * 17) % 140 + 40)));
            t->setCaption(QStringLiteral("Orlanto"));
            t->setShadowDepth(3);
            if (i % 2) {
                t->setSurfaceType(TGSuperText::stBrushImage);
                t->setTexture(texture);
            }
        }
        surface.setZoom(1.5f);
        surface.image(); // the first paint lays the texts out
    }
    QTemporaryDir home;
    HeadlessCard surface;
    std::vector<TSuperShape*> shapes;
};

void BM_RepaintEffectsZoomed(benchmark::State& state) {
    Card card;
    for (auto _ : state) {
        card.surface.invalidate();
        benchmark::DoNotOptimize(card.surface.image().constBits());
    }
}
BENCHMARK(BM_RepaintEffectsZoomed)->Unit(benchmark::kMillisecond);

void BM_GradientColourChange(benchmark::State& state) {
    Card card;
    TSuperShape* shape = card.shapes.front(); // a gradient rectangle
    int step = 0;
    for (auto _ : state) {
        shape->setGradientToColor(++step % 2 ? 0x00FFFF : 0xFF0000);
        benchmark::DoNotOptimize(card.surface.image().constBits());
    }
}
BENCHMARK(BM_GradientColourChange)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
