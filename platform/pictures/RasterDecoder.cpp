#include "platform/pictures/RasterDecoder.h"

#include "platform/pictures/DibDecoder.h"
#include "platform/pictures/PcxDecoder.h"
#include "platform/pictures/TgaDecoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <memory>

namespace platform {

namespace {
bool readHere(const QString& extension) {
    static const QStringList known = {".BMP", ".DIB", ".RLE", ".ICO",
                                      ".JPG", ".JIF", ".PCX", ".TGA"};
    return known.contains(extension);
}

// Whether every chunk of PNG data lies within the data. libpng allocates (and clears) a
// chunk's stated length before it reads the chunk, so one damaged length in a small file
// would ask for up to 2 GB. Such a file is truncated or damaged, and Qt could not read it
// anyway.
bool pngChunksFit(QByteArrayView png) {
    qint64 at = 8; // after the signature
    while (at + 8 <= png.size()) {
        const quint32 length = qFromBigEndian<quint32>(png.data() + at);
        if (qint64(length) > png.size() - at - 12) return false; // data, type and CRC
        if (png.sliced(at + 4, 4) == "IEND") return true;
        at += 12 + qint64(length);
    }
    return true;
}

bool isPng(QByteArrayView data) {
    return data.startsWith("\x89PNG\r\n\x1a\n");
}

// Whether the PNG pictures an icon file holds (as its entries may) have whole chunks.
bool icoPngEntriesFit(QByteArrayView ico) {
    if (ico.size() < 6) return true;
    const int count = qFromLittleEndian<quint16>(ico.data() + 4);
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= ico.size(); ++i) {
        const char* entry = ico.data() + 6 + 16 * i;
        const qint64 size = qFromLittleEndian<quint32>(entry + 8);
        const qint64 offset = qFromLittleEndian<quint32>(entry + 12);
        if (offset >= ico.size()) continue;
        const QByteArrayView image = ico.sliced(offset, std::min(size, ico.size() - offset));
        if (isPng(image) && !pngChunksFit(image)) return false;
    }
    return true;
}

// Whether Qt's readers may be given the data: damaged PNG chunk lengths, on their own or
// inside an icon, are refused here.
bool safeForQt(QByteArrayView data, QByteArrayView format) {
    if (isPng(data)) return pngChunksFit(data);
    if (format == "ico" || format == "cur") return icoPngEntriesFit(data);
    return true;
}

std::unique_ptr<QImageReader> reader(QBuffer& buffer, const char* format) {
    buffer.open(QIODevice::ReadOnly);
    auto r = std::make_unique<QImageReader>(&buffer, format);
    r->setDecideFormatFromContent(false);
    return r;
}
} // namespace

QByteArray RasterDecoder::qtFormat(const QString& extension) {
    if (readHere(extension) || extension.size() < 2) return {};
    const QByteArray format = extension.mid(1).toLower().toLatin1();
    // Vector formats Qt can rasterise are imported as vectors elsewhere.
    if (format.startsWith("svg") || format == "pdf") return {};
    static const QList<QByteArray> supported = QImageReader::supportedImageFormats();
    return supported.contains(format) ? format : QByteArray();
}

bool RasterDecoder::handles(const QString& extension) {
    return readHere(extension) || !qtFormat(extension).isEmpty();
}

bool RasterDecoder::tooLarge(QSize size) {
    return size.isValid() && qint64(size.width()) * size.height() > maxPixels;
}

QSize RasterDecoder::statedSize(QByteArrayView data, const QString& extension) {
    QByteArray format = qtFormat(extension);
    if (extension == ".JPG" || extension == ".JIF")
        format = "jpeg";
    else if (extension == ".ICO")
        format = "ico";
    else if (data.startsWith("BM"))
        format = "bmp";
    if (format.isEmpty() || !safeForQt(data, format)) return {};
    QByteArray bytes = QByteArray::fromRawData(data.data(), data.size());
    QBuffer buffer(&bytes);
    const auto r = reader(buffer, format.constData());
    return r->size();
}

QImage RasterDecoder::readWithQt(QByteArrayView data, const char* format) {
    if (!safeForQt(data, QByteArrayView(format))) return {};
    QByteArray bytes = QByteArray::fromRawData(data.data(), data.size());
    QBuffer buffer(&bytes);
    const auto r = reader(buffer, format);
    if (tooLarge(r->size())) return {};
    QImage image = r->read();
    // A colour-mapped picture may use indices beyond its colour table, which Qt would
    // then read past the table's end when drawing; the missing entries become black.
    const int needed = image.depth() == 1                                                ? 2
                       : image.depth() == 8 && image.format() == QImage::Format_Indexed8 ? 256
                                                                                         : 0;
    if (needed && image.colorCount() < needed) {
        QList<QRgb> table = image.colorTable();
        table.resize(needed, qRgb(0, 0, 0));
        image.setColorTable(table);
    }
    return image;
}

QImage RasterDecoder::decode(QByteArrayView data, const QString& extension) {
    if (extension == ".BMP" || extension == ".DIB" || extension == ".RLE") {
        if (data.startsWith("BM")) return readWithQt(data, "bmp");
        return DibDecoder::decodePacked(data);
    }
    if (extension == ".ICO") return readWithQt(data, "ico");
    if (extension == ".JPG" || extension == ".JIF") return readWithQt(data, "jpeg");
    if (extension == ".PCX") return PcxDecoder::decode(data);
    if (extension == ".TGA") {
        const QImage image = readWithQt(data, "tga");
        return image.isNull() ? TgaDecoder::decode(data) : image;
    }
    const QByteArray format = qtFormat(extension);
    return format.isEmpty() ? QImage() : readWithQt(data, format.constData());
}

} // namespace platform
