// Picture speed: decoding a 2000 x 2000 JPEG logo and drawing it into a card-sized
// rectangle, playing a metafile of 10,000 records (target: under 20 ms), and importing a
// 2 MB SVG logo as a metafile (target: under 300 ms).
#include "platform/metafiles/MetafilePlayer.h"
#include "platform/pictures/Graphic.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <benchmark/benchmark.h>

namespace {
QByteArray jpegLogo() {
    QImage image(2000, 2000, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), Qt::white);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor::fromHsv(i * 9, 200, 220));
        p.drawEllipse(QPoint(1000, 1000), 1000 - i * 25, 1000 - i * 25);
    }
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpeg").write(image);
    return bytes;
}

// A placeable WMF of 10,000 drawing records: rectangles, ellipses, lines and polygons.
QByteArray bigMetafile() {
    QByteArray body;
    auto record = [&](quint16 function, std::initializer_list<qint16> words) {
        QByteArray r(6, '\0');
        qToLittleEndian<quint32>(quint32(3 + words.size()), r.data());
        qToLittleEndian<quint16>(function, r.data() + 4);
        for (qint16 w : words)
            r.append(reinterpret_cast<const char*>(&w), 2);
        body += r;
    };
    record(0x02FC, {0, 0x00FF, 0x0000, 0}); // a red brush
    record(0x012D, {0});
    for (int i = 0; i < 10000; ++i) {
        const qint16 x = qint16((i * 37) % 3400), y = qint16((i * 53) % 1900);
        switch (i % 4) {
        case 0:
            record(0x041B, {qint16(y + 80), qint16(x + 90), y, x});
            break;
        case 1:
            record(0x0418, {qint16(y + 60), qint16(x + 60), y, x});
            break;
        case 2:
            record(0x0213, {y, x});
            break;
        default:
            record(0x0324, {3, x, y, qint16(x + 50), y, qint16(x + 25), qint16(y + 40)});
            break;
        }
    }
    body += QByteArray("\x03\x00\x00\x00\x00\x00", 6);
    QByteArray out(40, '\0');
    qToLittleEndian<quint32>(0x9AC6CDD7, out.data());
    qToLittleEndian<qint16>(3500, out.data() + 10);
    qToLittleEndian<qint16>(2000, out.data() + 12);
    qToLittleEndian<quint16>(1000, out.data() + 14);
    qToLittleEndian<quint16>(1, out.data() + 22);
    qToLittleEndian<quint16>(9, out.data() + 24);
    return out + body;
}

void decodeAndDrawJpeg(benchmark::State& state) {
    const QByteArray jpeg = jpegLogo();
    QImage card(336, 192, QImage::Format_RGB32); // 3.5 x 2 inches at 96 pixels per inch
    for (auto _ : state) {
        const std::optional<platform::Graphic> g = platform::Graphic::fromFileData(jpeg, ".JPG");
        QPainter p(&card);
        g->draw(p, QRectF(card.rect()));
        benchmark::DoNotOptimize(card.bits());
    }
}
BENCHMARK(decodeAndDrawJpeg)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void playMetafile(benchmark::State& state) {
    const QByteArray wmf = bigMetafile();
    QImage card(336, 192, QImage::Format_RGB32);
    for (auto _ : state) {
        card.fill(Qt::white);
        QPainter p(&card);
        platform::MetafilePlayer::play(p, QRectF(card.rect()), wmf);
    }
}
BENCHMARK(playMetafile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
// An SVG logo of about 2 MB as drawing programs write them: groups of curved paths with
// solid and gradient fills, strokes and a few words of text.
QByteArray svgLogo() {
    QByteArray svg = "<?xml version='1.0'?>\n<svg xmlns='http://www.w3.org/2000/svg' "
                     "width='600' height='300' viewBox='0 0 600 300'><defs>"
                     "<linearGradient id='g'><stop offset='0' stop-color='#036'/>"
                     "<stop offset='1' stop-color='#6cf'/></linearGradient></defs>\n";
    for (int i = 0; svg.size() < 2 * 1024 * 1024; ++i) {
        const int x = i * 37 % 560, y = i * 53 % 260;
        svg += QStringLiteral("<g transform='translate(%1 %2) rotate(%3)'><path d='M0 0 "
                              "C%4.5 3.25 12.75 %5.5 20 20 S 31.5 28.25 40 %6 Q 22 41.5 8.25 "
                              "36 L 2.5 18.75 Z' fill='%7' stroke='#123456' "
                              "stroke-width='0.75'/></g>\n")
                   .arg(x)
                   .arg(y)
                   .arg(i % 360)
                   .arg(i % 17)
                   .arg(i % 23)
                   .arg(10 + i % 30)
                   .arg(i % 3 ? QStringLiteral("#%1").arg(i * 2654435761u % 0xFFFFFF, 6, 16,
                                                          QLatin1Char('0'))
                              : QStringLiteral("url(#g)"))
                   .toUtf8();
    }
    svg += "<text x='20' y='280' font-family='Liberation Sans' font-size='30'>Orlanto</text>"
           "</svg>\n";
    return svg;
}

void importSvgLogo(benchmark::State& state) {
    const QByteArray svg = svgLogo();
    state.counters["bytes"] = double(svg.size());
    for (auto _ : state) {
        const std::optional<platform::Graphic> g = platform::Graphic::fromFileData(svg, ".SVG");
        if (!g) state.SkipWithError("the SVG did not import");
        benchmark::DoNotOptimize(g);
    }
}
BENCHMARK(importSvgLogo)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
