// Printing sheets of one card into PDF through the sheet printer: sheets per second for 1,
// 10 and 100 sheets. With --make-card DIR it instead writes the benchmark card into DIR
// (CARD.ORL, its companion CARD.ORX and the logo bitmap), for print_bench.sh to time
// `orlanto print` on it: four labels, two rectangles, an ellipse and two lines (each
// where its kind exists), and the logo as background art on every card.
#include "app/CardFiles.h"
#include "app/HeadlessCard.h"
#include "document/TGBusinessCardPanel32.h"
#include "document/TGGraphicControl.h"
#include "platform/report/PdfReportTarget.h"
#include "platform/report/Report.h"
#include "printing/TSheetPrinter.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

namespace {
struct Item {
    const char* kind;
    QRect bounds;
    std::vector<std::pair<const char*, QVariant>> properties;
};

const std::vector<Item>& items() {
    static const std::vector<Item> list{
        {"TGBusinessCardLabel",
         {12, 10, 200, 24},
         {{"Caption", QStringLiteral("Jane Q. Example")}}},
        {"TGBusinessCardLabel",
         {12, 40, 200, 18},
         {{"Caption", QStringLiteral("Example Trading Company")}}},
        {"TGBusinessCardLabel", {12, 140, 200, 16}, {{"Caption", QStringLiteral("+1 555 0100")}}},
        {"TGBusinessCardLabel",
         {12, 160, 220, 16},
         {{"Caption", QStringLiteral("jane@example.com")}}},
        {"TBCShapes", {240, 10, 80, 40}, {{"Shape", QStringLiteral("stRectangle")}}},
        {"TBCShapes", {5, 5, 326, 182}, {{"Shape", QStringLiteral("stRectangle")}}},
        {"TBCShapes", {250, 120, 60, 50}, {{"Shape", QStringLiteral("stEllipse")}}},
        {"TGLineShape", {12, 66, 300, 4}, {}},
        {"TGLineShape", {12, 132, 300, 4}, {}},
    };
    return list;
}

QImage logo() {
    QImage image(240, 140, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(255 - (x * y) % 64, 255 - x % 48, 240));
    return image;
}

// Builds the card on the surface; returns the kinds that do not exist yet.
QStringList buildCard(TGBusinessCardPanel32& surface) {
    QStringList missing;
    for (const Item& item : items()) {
        TGGraphicControl* o = surface.classes().create(QLatin1String(item.kind), surface.owner());
        if (!o) {
            missing << QLatin1String(item.kind);
            continue;
        }
        for (const auto& [name, value] : item.properties)
            o->setProperty(name, value);
        surface.addObject(o, item.bounds);
    }
    missing.removeDuplicates();
    return missing;
}

int makeCard(const QString& dir) {
    HeadlessCard surface;
    const QStringList missing = buildCard(surface);
    QDir().mkpath(dir);
    const QString card = QDir(dir).filePath(QStringLiteral("CARD.ORL"));
    const QString art = QDir(dir).filePath(QStringLiteral("logo.bmp"));
    surface.saveCard(card);
    if (!logo().save(art, "BMP") || !CardFiles::writeCompanion(card, art).isEmpty()) return 1;
    QTextStream out(stdout);
    out << card << Qt::endl;
    if (!missing.isEmpty())
        out << "kinds not built yet, left out: " << missing.join(QLatin1String(", ")) << Qt::endl;
    return 0;
}

void BM_PrintSheets(benchmark::State& state) {
    const int sheets = int(state.range(0));
    HeadlessCard surface;
    buildCard(surface);
    QTemporaryDir dir;
    const QString art = dir.filePath(QStringLiteral("logo.bmp"));
    logo().save(art, "BMP");
    const QString file = dir.filePath(QStringLiteral("sheets.pdf"));
    for (auto _ : state) {
        platform::PdfReportTarget target(file);
        platform::Report report(target);
        TSheetPrinter printer(
            surface, report,
            SheetPrintJob::make({}, {}, TCardSelection(), SheetPrintJob::Mode::Print, sheets, art));
        if (!printer.run()) state.SkipWithError("printing failed");
    }
    state.counters["sheets/s"] =
        benchmark::Counter(double(sheets) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["bytes"] = double(QFileInfo(file).size());
}
BENCHMARK(BM_PrintSheets)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--make-card")
        return makeCard(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
