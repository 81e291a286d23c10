// Opening a card whose objects have extreme stored sizes (any 32-bit value is a valid
// width), as the window does: read the card file, then paint the surface once. Every kind
// and style comes at the largest sizes and at the most negative positions.
#include "app/HeadlessCard.h"
#include "document/TGBusinessCardPanel32.h"
#include "objects/shapes/TBCShapes.h"
#include "objects/shapes/TGImage.h"
#include "objects/shapes/TGLineShape.h"
#include "objects/text/TGBusinessCardLabel.h"
#include "platform/system/HomeFolder.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <limits>

namespace {
constexpr int maxInt = std::numeric_limits<int>::max();
constexpr int minInt = std::numeric_limits<int>::min();

const QRect extremes[] = {QRect(0, 0, maxInt, maxInt), QRect(minInt, minInt, maxInt, maxInt),
                          QRect(minInt + 100, 10, maxInt, 50), QRect(10, 10, 1000000000, 3),
                          QRect(5, 5, 3, maxInt)};

// A card file with every kind at every extreme size, and its home.
struct ExtremeCard {
    ExtremeCard() {
        platform::HomeFolder::set(home.path());
        HeadlessCard surface;
        const auto add = [&surface](TGGraphicControl* o, QRect r) {
            o->buildPopup();
            surface.addObject(o, QRect(0, 0, 20, 20));
            o->setBounds(r.left(), r.top(), r.width(), r.height());
        };
        for (const QRect r : extremes) {
            for (int style = TGLineShape::stHorizontal; style <= TGLineShape::stAngleSlopingDown;
                 ++style) {
                auto* l = new TGLineShape(surface.owner());
                l->setLineStyle(TGLineShape::TLineStyle(style));
                add(l, r);
            }
            for (int shape = TGLabelShapes::stRectangle; shape <= TGLabelShapes::stCircle;
                 ++shape) {
                auto* s = new TBCShapes(surface.owner());
                s->setShape(TGLabelShapes::TShapeType(shape));
                add(s, r);
            }
            auto* label = new TGBusinessCardLabel(surface.owner());
            label->setCaption(QStringLiteral("Extreme"));
            add(label, r);
            add(new TGImage(surface.owner()), r);
        }
        file = home.filePath(QStringLiteral("extreme.ORL"));
        surface.saveCard(file);
    }
    QTemporaryDir home;
    QString file;
};

void BM_OpenExtremeCard(benchmark::State& state) {
    ExtremeCard card;
    for (auto _ : state) {
        HeadlessCard surface;
        surface.loadCard(card.file);
        benchmark::DoNotOptimize(surface.image().constBits());
        state.counters["objects"] = double(surface.objects().size());
    }
}
BENCHMARK(BM_OpenExtremeCard)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
