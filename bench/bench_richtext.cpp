// Rich text: reading and writing a 50 KB RTF document, and the repaint at zoom 1.5 of a card
// holding 10 rich text labels of a paragraph each (their layouts are kept between paints).
#include "objects/text/TGPRichBaseLabel.h"
#include "platform/richtext/RichTextDocument.h"
#include "platform/richtext/RichTextMaster.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"
#include "support/BenchCard.h"
#include "support/RunsDocument.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {
// Paragraphs of mixed runs as a word processor writes them, to about 50 KB.
QByteArray document50k() {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                     "{\\f1\\froman\\fcharset0 Times New Roman;}}{\\colortbl ;\\red255\\green0"
                     "\\blue0;\\red0\\green0\\blue255;}\\viewkind4\\uc1\n";
    for (int i = 0; rtf.size() < 50 * 1024; ++i)
        rtf += "\\pard\\q" + QByteArray(i % 2 ? "c" : "l") + "\\f" + QByteArray::number(i % 2) +
               "\\fs" + QByteArray::number(20 + i % 8) + " Paragraph " + QByteArray::number(i) +
               ": plain text, \\b bold\\b0 , \\i italic\\i0 , \\cf1 red\\cf0  and caf\\'e9 "
               "\\u8364? prices, written by a word processor.\\par\n";
    return rtf + "}\n";
}

void BM_ReadRtf50k(benchmark::State& state) {
    const QByteArray rtf = document50k();
    for (auto _ : state) {
        QTextDocument doc;
        platform::RtfReader::read(rtf, doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_ReadRtf50k)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WriteRtf50k(benchmark::State& state) {
    const QByteArray rtf = document50k();
    QTextDocument doc;
    platform::RtfReader::read(rtf, doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::RtfWriter::write(doc).size());
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_WriteRtf50k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_CardOf10RichLabelsAtZoom15(benchmark::State& state) {
    BenchCard card;
    for (int i = 0; i < 10; ++i) {
        auto* l = card.surface().place<TGPRichBaseLabel>(QRect(
            QPoint((i % 2) * 168, (i / 2) * 38), QPoint((i % 2) * 168 + 164, (i / 2) * 38 + 36)));
        l->setRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue255;}\\f0\\fs16 "
                  "Label " +
                  QByteArray::number(i) +
                  ": a paragraph with {\\b bold}, {\\i italic} and {\\cf1 blue} words that wraps "
                  "onto a second line.\\par}");
    }
    card.repaintAtZoom15(state);
}
BENCHMARK(BM_CardOf10RichLabelsAtZoom15)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
} // namespace

// A label's paint through the engine, the way a card surface paints it.
void paintLabel(const platform::RichTextDocument& doc, QPaintDevice& target) {
    platform::RichTextMaster master;
    master.setDocument(&doc);
    master.setZoom(100);
    master.setPage(QSize(190 * 15, 120 * 15));
    QPainter painter(&target);
    master.paint(painter, QRect(0, 0, 190, 120));
}

void BM_FirstPaint1MbOfRuns(benchmark::State& state) {
    int runs = 0;
    const QByteArray rtf = runsDocument(1024 * 1024, &runs);
    QImage target(190, 120, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        platform::RichTextDocument doc;
        doc.setRtf(rtf);
        paintLabel(doc, target);
    }
    state.counters["runs"] = runs;
}
BENCHMARK(BM_FirstPaint1MbOfRuns)->Unit(benchmark::kMillisecond)->Iterations(3);

// A 10 MB document painted as printing paints a label: onto a picture that is then
// placed on the sheet.
void BM_Print10MbLabel(benchmark::State& state) {
    int runs = 0;
    const QByteArray rtf = runsDocument(10 * 1024 * 1024, &runs);
    for (auto _ : state) {
        platform::RichTextDocument doc;
        doc.setRtf(rtf);
        QPicture picture;
        paintLabel(doc, picture);
    }
    state.counters["runs"] = runs;
}
BENCHMARK(BM_Print10MbLabel)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Read1MbOfRuns(benchmark::State& state) {
    int runs = 0;
    const QByteArray rtf = runsDocument(1024 * 1024, &runs);
    for (auto _ : state) {
        QTextDocument doc;
        platform::RtfReader::read(rtf, doc);
    }
}
BENCHMARK(BM_Read1MbOfRuns)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Repaint1MbOfRuns(benchmark::State& state) {
    int runs = 0;
    platform::RichTextDocument doc;
    doc.setRtf(runsDocument(1024 * 1024, &runs));
    QImage target(190, 120, QImage::Format_ARGB32_Premultiplied);
    paintLabel(doc, target);
    for (auto _ : state)
        paintLabel(doc, target);
}
BENCHMARK(BM_Repaint1MbOfRuns)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return BenchCard::run(argc, argv);
}
