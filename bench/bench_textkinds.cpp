// Symbols, multi-line texts and circle texts: the repaint at zoom 1.5 of a card holding 10
// circle texts of 40 letters, 10 multi-line texts of 8 wrapped lines and 20 symbols, which
// must stay under 4 ms to keep dragging smooth.
#include "objects/text/TGMultiLineLabel.h"
#include "objects/text/TGPCircleText.h"
#include "objects/text/TGSymbolLabel.h"
#include "support/BenchCard.h"

#include <benchmark/benchmark.h>

namespace {
void BM_CardOfTextKindsAtZoom15(benchmark::State& state) {
    BenchCard card;
    for (int i = 0; i < 10; ++i) {
        auto* c = card.surface().place<TGPCircleText>(QRect(i * 30, 0, 120, 120));
        c->setCaption(QStringLiteral("Orlanto Business Cards Printing Works %1").arg(i, 2));
        c->setDegrees(i % 2 ? TGPCircleText::dg180 : TGPCircleText::dg360);
        c->setMirror(i % 3 == 0);
    }
    for (int i = 0; i < 10; ++i) {
        auto* m = card.surface().place<TGMultiLineLabel>(QRect(i * 30, 60, 90, 130));
        m->setLines({QStringLiteral("Jane Q. Example, Sales Director"),
                     QStringLiteral("Unit 4, Harbour Road Estate"),
                     QStringLiteral("Phone 0123 456 789 and fax")});
        m->setAlignment(Gdi::TAlignment(i % 3));
        m->setWordWrap(true);
    }
    for (int i = 0; i < 20; ++i) {
        auto* s =
            card.surface().place<TGSymbolLabel>(QRect((i % 10) * 33, 140 + (i / 10) * 25, 30, 30));
        s->setCaption(QString(QChar(0x21 + i)));
        s->setDepthShadow(i % 3);
    }
    card.repaintAtZoom15(state);
    int wrapped = 0;
    for (TGGraphicControl* o : card.surface().objects())
        if (auto* m = qobject_cast<TGMultiLineLabel*>(o)) wrapped += m->wrappedLines().size();
    state.counters["wrapped lines per text"] = wrapped / 10.0;
}
BENCHMARK(BM_CardOfTextKindsAtZoom15)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv) {
    return BenchCard::run(argc, argv);
}
