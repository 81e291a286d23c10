// Picture speed: decoding a 2000 x 2000 JPEG logo and drawing it into a card-sized
// rectangle, and playing a metafile of 10,000 records (target: under 20 ms).
#include "platform/Graphic.h"
#include "platform/MetafilePlayer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <benchmark/benchmark.h>

namespace {
QByteArray jpegLogo()
{
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
QByteArray bigMetafile()
{
    QByteArray body;
    auto record = [&](quint16 function, std::initializer_list<qint16> words) {
        QByteArray r(6, '\0');
        qToLittleEndian<quint32>(quint32(3 + words.size()), r.data());
        qToLittleEndian<quint16>(function, r.data() + 4);
        for (qint16 w : words) r.append(reinterpret_cast<const char*>(&w), 2);
        body += r;
    };
    record(0x02FC, {0, 0x00FF, 0x0000, 0}); // a red brush
    record(0x012D, {0});
    for (int i = 0; i < 10000; ++i) {
        const qint16 x = qint16((i * 37) % 3400), y = qint16((i * 53) % 1900);
        switch (i % 4) {
        case 0: record(0x041B, {qint16(y + 80), qint16(x + 90), y, x}); break;
        case 1: record(0x0418, {qint16(y + 60), qint16(x + 60), y, x}); break;
        case 2: record(0x0213, {y, x}); break;
        default: record(0x0324, {3, x, y, qint16(x + 50), y, qint16(x + 25), qint16(y + 40)}); break;
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

void decodeAndDrawJpeg(benchmark::State& state)
{
    const QByteArray jpeg = jpegLogo();
    QImage card(336, 192, QImage::Format_RGB32); // 3.5 x 2 inches at 96 pixels per inch
    for (auto _ : state) {
        const std::optional<platform::Graphic> g = platform::Graphic::fromFileData(jpeg, ".JPG");
        QPainter p(&card);
        g->draw(p, QRectF(card.rect()));
        benchmark::DoNotOptimize(card.bits());
    }
}
BENCHMARK(decodeAndDrawJpeg)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void playMetafile(benchmark::State& state)
{
    const QByteArray wmf = bigMetafile();
    QImage card(336, 192, QImage::Format_RGB32);
    for (auto _ : state) {
        card.fill(Qt::white);
        QPainter p(&card);
        platform::MetafilePlayer::play(p, QRectF(card.rect()), wmf);
    }
}
BENCHMARK(playMetafile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
