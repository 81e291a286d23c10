#include "platform/pictures/PcxDecoder.h"

#include "platform/pictures/RasterDecoder.h"
#include "platform/system/ByteReader.h"

#include <vector>

namespace platform {

QImage PcxDecoder::decode(QByteArrayView data) {
    ByteReader r(data);
    const quint8 manufacturer = r.u8();
    r.skip(1); // version
    const quint8 encoding = r.u8();
    const int bpp = r.u8();
    const int xMin = r.u16(), yMin = r.u16(), xMax = r.u16(), yMax = r.u16();
    r.skip(4); // resolution
    const QByteArrayView headerPalette = r.bytes(48);
    r.skip(1);
    const int planes = r.u8();
    const int bytesPerLine = r.u16();
    if (!r.ok() || manufacturer != 0x0A || encoding > 1 || xMax < xMin || yMax < yMin) return {};
    const int width = xMax - xMin + 1, height = yMax - yMin + 1;
    const bool planar8 = bpp == 8 && (planes == 3 || planes == 4);
    const bool indexed = (bpp == 1 && planes >= 1 && planes <= 4) || (bpp == 2 && planes == 1) ||
                         (bpp == 4 && planes == 1) || (bpp == 8 && planes == 1);
    if (!indexed && !planar8) return {};
    if (qint64(width) * height > RasterDecoder::maxPixels ||
        qint64(bytesPerLine) * 8 < qint64(width) * bpp)
        return {};

    // Runs may cross scan lines and planes, so the whole picture is unpacked as one stream.
    const qsizetype lineBytes = qsizetype(bytesPerLine) * planes;
    const qsizetype total = lineBytes * height;
    // A run of two bytes unpacks to at most 63: a body that cannot fill the picture is
    // refused before anything is allocated (a padded line length could ask for gigabytes).
    const qsizetype body = data.size() - 128;
    if (total > (encoding == 1 ? body / 2 * 63 : body) || total > RasterDecoder::maxPixels * 4)
        return {};
    std::vector<quint8> bits(size_t(total), 0);
    ByteReader in(data.sliced(128));
    qsizetype n = 0;
    while (n < total && !in.atEnd()) {
        const quint8 c = in.u8();
        if (encoding == 1 && (c & 0xC0) == 0xC0) {
            const quint8 v = in.u8();
            for (int k = c & 0x3F; k > 0 && n < total; --k)
                bits[size_t(n++)] = v;
        } else {
            bits[size_t(n++)] = c;
        }
    }
    if (n < total) return {};

    if (planar8) {
        QImage image(width, height, planes == 4 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        if (image.isNull()) return {};
        for (int y = 0; y < height; ++y) {
            const quint8* line = bits.data() + y * lineBytes;
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const int a = planes == 4 ? line[3 * bytesPerLine + x] : 255;
                out[x] = qRgba(line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x], a);
            }
        }
        return image;
    }

    QList<QRgb> palette;
    const int colours = 1 << (bpp * planes);
    if (bpp == 8) {
        // The 256-colour palette follows a 0x0C marker at the very end of the file.
        const qsizetype at = data.size() - 769;
        if (at >= 128 && quint8(data[at]) == 0x0C) {
            for (int i = 0; i < 256; ++i)
                palette << qRgb(quint8(data[at + 1 + 3 * i]), quint8(data[at + 2 + 3 * i]),
                                quint8(data[at + 3 + 3 * i]));
        } else {
            for (int i = 0; i < 256; ++i)
                palette << qRgb(i, i, i);
        }
    } else if (colours == 2) {
        palette << qRgb(0, 0, 0) << qRgb(255, 255, 255);
    } else {
        for (int i = 0; i < colours; ++i)
            palette << qRgb(quint8(headerPalette[3 * i]), quint8(headerPalette[3 * i + 1]),
                            quint8(headerPalette[3 * i + 2]));
    }
    QImage image(width, height, QImage::Format_Indexed8);
    if (image.isNull()) return {};
    image.setColorTable(palette);
    for (int y = 0; y < height; ++y) {
        const quint8* line = bits.data() + y * lineBytes;
        uchar* out = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            int index = 0;
            for (int p = 0; p < planes; ++p) {
                const int bit = x * bpp;
                const int v =
                    (line[p * bytesPerLine + bit / 8] >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1);
                index |= v << (p * bpp);
            }
            out[x] = uchar(index);
        }
    }
    return image;
}

} // namespace platform
