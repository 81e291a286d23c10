// Memory of the card's undo history and of reading large cards. In process: the memory the
// window's surface gains over the opened card by 100 arrow-key moves of a picture of 20 MB
// (each move is one undo step). With --make-cards DIR it instead writes three cards for
// memory_bench.sh to run `orlanto` on: lines.ORL, 20 MB, whose multi-line label lists
// 20 million False as its lines (refused), rects.ORL, 100,000 rectangles, and rich.ORL, a
// rich text label holding a 10 MB document of format runs (both printed).
#include "app/HeadlessCard.h"
#include "document/TGBusinessCardPanel32.h"
#include "document/TGStreamWriter.h"
#include "objects/shapes/TGImage.h"
#include "objects/text/TGPRichBaseLabel.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/system/HomeFolder.h"
#include "support/RunsDocument.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {
// The process's resident memory in MB.
double residentMb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1 << 20) : 0;
}

// A card holding one picture object with a 2600 x 2600 noise bitmap (a 20 MB .BMP).
struct PictureCard {
    PictureCard() {
        platform::HomeFolder::set(home.path());
        QImage noise(2600, 2600, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < noise.height(); ++y)
            random.fillRange(reinterpret_cast<quint32*>(noise.scanLine(y)), noise.width());
        const QString picture = home.filePath(QStringLiteral("noise.bmp"));
        noise.save(picture);
        HeadlessCard surface;
        auto* image = surface.place<TGImage>(QRect(20, 20, 120, 120));
        platform::Graphic g;
        g.loadFromFile(picture);
        image->picture()->setGraphic(g);
        card = home.filePath(QStringLiteral("picture.ORL"));
        surface.saveCard(card);
    }
    QTemporaryDir home;
    QString card;
};

void BM_UndoMemoryOf100PictureMoves(benchmark::State& state) {
    PictureCard card;
    for (auto _ : state) {
        state.PauseTiming();
        HeadlessCard surface;
        surface.loadCard(card.card);
        surface.settleLayout();
        surface.history().clear();
        surface.selectAll();
        surface.handle().setFocused(true);
        const double opened = residentMb();
        state.ResumeTiming();
        for (int i = 0; i < 100; ++i) {
            surface.keyDown(Qt::Key_Right, {});
            surface.keyUp(Qt::Key_Right, {});
        }
        state.PauseTiming();
        state.counters["steps"] = surface.history().stack().count();
        state.counters["MB_above_card"] = residentMb() - opened;
        state.counters["MB_history"] = double(surface.history().storedBytes()) / (1 << 20);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoMemoryOf100PictureMoves)->Unit(benchmark::kMillisecond)->Iterations(3);

bool writeCard(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// One object record's head: signature, class and name (names must differ: past
// Component1000 an object keeps the name it was written with).
void beginRecord(TGStreamWriter& out, const QByteArray& className, int number) {
    out.writeBytes("TPF0");
    out.writeShortString(className);
    out.writeShortString("S" + QByteArray::number(number));
}

int makeCards(const QString& folder) {
    QDir().mkpath(folder);
    TGStreamWriter lines;
    lines.writeByte(TGValue::List);
    beginRecord(lines, "TGMultiLineLabel", 1);
    lines.writeShortString("Items.Strings");
    lines.writeByte(TGValue::List);
    lines.writeBytes(QByteArray(20'000'000, char(TGValue::False)));
    lines.writeBytes(QByteArray(4, char(TGValue::Null))); // list, properties, children, card

    TGStreamWriter rects;
    rects.writeByte(TGValue::List);
    for (int i = 0; i < 100'000; ++i) {
        beginRecord(rects, "TBCShapes", i);
        const std::pair<const char*, int> bounds[] = {
            {"Left", i % 300}, {"Top", (i / 300) % 170}, {"Width", 20}, {"Height", 15}};
        for (const auto& [name, value] : bounds) {
            rects.writeShortString(name);
            rects.writeValue(TGValue::fromInt(value));
        }
        rects.writeBytes(QByteArray(2, char(TGValue::Null))); // properties, children
    }
    rects.writeByte(TGValue::Null);
    const bool ok = writeCard(folder + QStringLiteral("/lines.ORL"), lines.bytes()) &&
                    writeCard(folder + QStringLiteral("/rects.ORL"), rects.bytes());
    HeadlessCard surface;
    auto* rich = new TGPRichBaseLabel(surface.owner());
    surface.addObject(rich, QRect(10, 10, 300, 160));
    int runs = 0;
    rich->setRtf(runsDocument(10 * 1024 * 1024, &runs));
    try {
        surface.saveCard(folder + QStringLiteral("/rich.ORL"));
    } catch (const std::exception&) {
        return 1;
    }
    return ok ? 0 : 1;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::ScreenMetrics::setPixelsPerInch(96);
    if (argc == 3 && QByteArray(argv[1]) == "--make-cards")
        return makeCards(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
