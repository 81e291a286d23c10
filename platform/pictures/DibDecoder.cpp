#include "platform/pictures/DibDecoder.h"

#include "platform/pictures/RasterDecoder.h"
#include "platform/system/ByteReader.h"

#include <QCache>
#include <QMutex>

namespace platform {

namespace {
constexpr quint32 biBitfields = 3;
constexpr quint32 biAlphaBitfields = 6;

// Bitmaps decoded lately, by their bytes. A metafile replayed for every card on a sheet then
// draws the very same QImage each time, which a PDF page embeds once per job (it knows an
// image by its cache key); decoding again would embed a copy per card. Bounded in bytes.
constexpr qsizetype CacheBytes = 64 * 1024 * 1024;
QMutex cacheLock;
QCache<QByteArray, QImage>& cache() {
    static QCache<QByteArray, QImage> images(CacheBytes);
    return images;
}
} // namespace

qsizetype DibDecoder::infoSize(QByteArrayView info) {
    ByteReader r(info);
    const quint32 headerSize = r.u32();
    if (!r.ok()) return -1;
    if (headerSize == 12) { // the old core header: 16-bit sizes and 3-byte colour entries
        r.skip(6);
        const quint16 bpp = r.u16();
        if (!r.ok()) return -1;
        return 12 + (bpp <= 8 ? 3 * (1 << bpp) : 0);
    }
    if (headerSize < 40 || headerSize > 1024) return -1;
    r.skip(10);
    const quint16 bpp = r.u16();
    const quint32 compression = r.u32();
    r.skip(12);
    const quint32 clrUsed = r.u32();
    if (!r.ok()) return -1;
    qint64 colours = clrUsed;
    if (bpp <= 8) {
        if (colours == 0 || colours > (1 << bpp)) colours = 1 << bpp;
    } else if (colours > 65536) {
        return -1;
    }
    qint64 size = headerSize + 4 * colours;
    if (headerSize == 40 && compression == biBitfields) size += 12;
    if (headerSize == 40 && compression == biAlphaBitfields) size += 16;
    return qsizetype(size);
}

QImage DibDecoder::decode(QByteArrayView info, QByteArrayView bits) {
    const qsizetype headerAndColours = infoSize(info);
    if (headerAndColours < 0) return {};
    // Short colour tables occur in the wild; pad them instead of reading past the block.
    QByteArray file;
    const qsizetype offset = 14 + qMax<qsizetype>(headerAndColours, info.size());
    file.reserve(offset + bits.size());
    file.append("BM", 2);
    const quint32 total = quint32(offset + bits.size());
    const quint32 off = quint32(offset);
    const char fields[12] = {
        char(total), char(total >> 8), char(total >> 16), char(total >> 24), 0, 0, 0, 0,
        char(off),   char(off >> 8),   char(off >> 16),   char(off >> 24)};
    file.append(fields, 12);
    file.append(info.data(), info.size());
    file.append(QByteArray(offset - file.size(), '\0'));
    file.append(bits.data(), bits.size());
    const QMutexLocker locker(&cacheLock);
    if (const QImage* known = cache().object(file)) return *known;
    const QImage image = RasterDecoder::readWithQt(file, "bmp");
    if (!image.isNull()) cache().insert(file, new QImage(image), image.sizeInBytes() + file.size());
    return image;
}

QImage DibDecoder::decodePacked(QByteArrayView packed) {
    const qsizetype n = infoSize(packed);
    if (n < 0 || n > packed.size()) return {};
    return decode(packed.first(n), packed.sliced(n));
}

} // namespace platform
