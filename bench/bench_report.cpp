// Writing Letter pages of ten rectangles and one picture each to PDF: pages per second,
// file size and the process's peak memory, for 100 and 1,000 pages (memory should not grow
// with the page count).
#include "platform/report/PdfReportTarget.h"
#include "platform/report/Report.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {
QImage logo() {
    QImage image(300, 150, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y, (x * y) % 256));
    return image;
}

void BM_PdfPages(benchmark::State& state) {
    const int pages = int(state.range(0));
    const QImage picture = logo();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.pdf"));
    qint64 size = 0;
    for (auto _ : state) {
        platform::PdfReportTarget target(file);
        platform::Report report(target);
        report.onPrint = [&](platform::Report& r) {
            for (int page = 1; page <= pages; ++page) {
                if (page > 1) r.newPage();
                r.pen = {TColor::clBlack, Gdi::psSolid, -1, Gdi::pmCopy};
                r.brush = {TColor::clSilver, Gdi::bsSolid, {}};
                for (int i = 0; i < 10; ++i) {
                    const double x = 0.75 + (i % 2) * 3.5, y = 0.5 + (i / 2) * 2.0;
                    r.rectangle(x, y, x + 3.5, y + 2.0);
                }
                r.stretchDraw(QRectF(1.0, 1.0, 1.0, 0.5), picture);
            }
        };
        if (!report.run()) state.SkipWithError(qPrintable(report.errorString()));
        size = QFileInfo(file).size();
    }
    state.counters["pages"] =
        benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["file_bytes"] = double(size);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_kb"] = double(usage.ru_maxrss);
}
BENCHMARK(BM_PdfPages)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
