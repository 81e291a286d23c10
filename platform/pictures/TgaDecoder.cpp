#include "platform/pictures/TgaDecoder.h"

#include "platform/pictures/RasterDecoder.h"
#include "platform/system/ByteReader.h"

namespace platform {

namespace {
// One pixel or colour-map entry of `depth` bits, stored little-endian (BGR order).
QRgb colourOf(const uchar* p, int depth, bool alpha) {
    switch (depth) {
    case 15:
    case 16: {
        const int v = p[0] | (p[1] << 8);
        const int r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        const int a = depth == 16 && alpha && !(v & 0x8000) ? 0 : 255;
        return qRgba((r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2), a);
    }
    case 24:
        return qRgb(p[2], p[1], p[0]);
    case 32:
        return qRgba(p[2], p[1], p[0], alpha ? p[3] : 255);
    default:
        return qRgb(p[0], p[0], p[0]);
    }
}
} // namespace

QImage TgaDecoder::decode(QByteArrayView data) {
    ByteReader r(data);
    const int idLength = r.u8();
    const int mapType = r.u8();
    const int type = r.u8();
    const int mapFirst = r.u16();
    const int mapLength = r.u16();
    const int mapDepth = r.u8();
    r.skip(4); // origin
    const int width = r.u16();
    const int height = r.u16();
    const int depth = r.u8();
    const int descriptor = r.u8();
    r.skip(idLength);
    if (!r.ok() || width == 0 || height == 0 || mapType > 1) return {};
    const int kind = type & 7; // 1 colour-mapped, 2 true-colour, 3 grey
    const bool rle = type & 8;
    if (kind < 1 || kind > 3 || (type & ~11) != 0) return {};
    if (kind == 1 && (mapType != 1 || (depth != 8 && depth != 16))) return {};
    if (kind == 2 && depth != 15 && depth != 16 && depth != 24 && depth != 32) return {};
    if (kind == 3 && depth != 8 && depth != 16) return {};
    if (qint64(width) * height > RasterDecoder::maxPixels) return {};
    const bool alpha = (descriptor & 15) != 0;

    QList<QRgb> map;
    if (mapType == 1) {
        if (mapDepth != 15 && mapDepth != 16 && mapDepth != 24 && mapDepth != 32) return {};
        const int entryBytes = (mapDepth + 7) / 8;
        const QByteArrayView entries = r.bytes(qsizetype(mapLength) * entryBytes);
        if (!r.ok()) return {};
        map.resize(mapFirst + mapLength, qRgb(0, 0, 0));
        for (int i = 0; i < mapLength; ++i)
            map[mapFirst + i] = colourOf(
                reinterpret_cast<const uchar*>(entries.data()) + i * entryBytes, mapDepth, alpha);
    }

    const int pixelBytes = (depth + 7) / 8;
    const bool hasAlpha = alpha && (depth == 32 || depth == 16 || kind == 1);
    // The bytes left must be able to describe every pixel (a run packet gives at most 128)
    // before a picture of the size the header claims is allocated.
    const qint64 pixelCount = qint64(width) * height, left = r.remaining();
    if (rle ? pixelCount > left / (1 + pixelBytes) * 128 : pixelCount * pixelBytes > left)
        return {};
    QImage image(width, height, hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) return {};
    const bool rightToLeft = descriptor & 0x10, topDown = descriptor & 0x20;
    const qint64 count = pixelCount;
    auto put = [&](qint64 i, const uchar* p) {
        QRgb c;
        if (kind == 1) {
            const int index = depth == 8 ? p[0] : (p[0] | (p[1] << 8));
            c = index < map.size() ? map[index] : qRgb(0, 0, 0);
        } else if (kind == 3) {
            c = depth == 16 ? qRgba(p[0], p[0], p[0], alpha ? p[1] : 255) : qRgb(p[0], p[0], p[0]);
        } else {
            c = colourOf(p, depth, alpha);
        }
        int x = int(i % width), y = int(i / width);
        if (rightToLeft) x = width - 1 - x;
        if (!topDown) y = height - 1 - y;
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = c;
    };

    qint64 i = 0;
    if (!rle) {
        const QByteArrayView pixels = r.bytes(count * pixelBytes);
        if (!r.ok()) return {};
        const auto* p = reinterpret_cast<const uchar*>(pixels.data());
        for (; i < count; ++i)
            put(i, p + i * pixelBytes);
        return image;
    }
    // Packets may run across scan lines; a packet that runs past the picture is cut.
    while (i < count) {
        const int header = r.u8();
        const int n = (header & 0x7F) + 1;
        if (header & 0x80) {
            const QByteArrayView p = r.bytes(pixelBytes);
            if (!r.ok()) return {};
            for (int k = 0; k < n && i < count; ++k)
                put(i++, reinterpret_cast<const uchar*>(p.data()));
        } else {
            const QByteArrayView p = r.bytes(qsizetype(n) * pixelBytes);
            if (!r.ok()) return {};
            for (int k = 0; k < n && i < count; ++k)
                put(i++, reinterpret_cast<const uchar*>(p.data()) + k * pixelBytes);
        }
    }
    return image;
}

} // namespace platform
