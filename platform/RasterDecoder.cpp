#include "RasterDecoder.h"

#include "DibDecoder.h"
#include "PcxDecoder.h"
#include "TgaDecoder.h"

#include <QBuffer>
#include <QImageReader>

namespace platform {

bool RasterDecoder::handles(const QString& extension)
{
    static const QStringList known = {".BMP", ".DIB", ".RLE", ".ICO", ".JPG", ".JIF", ".PCX", ".TGA"};
    return known.contains(extension);
}

QImage RasterDecoder::readWithQt(QByteArrayView data, const char* format)
{
    QByteArray bytes = QByteArray::fromRawData(data.data(), data.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > maxPixels) return {};
    QImage image = reader.read();
    // A colour-mapped picture may use indices beyond its colour table, which Qt would
    // then read past the table's end when drawing; the missing entries become black.
    const int needed = image.depth() == 1 ? 2 : image.depth() == 8 && image.format() == QImage::Format_Indexed8 ? 256 : 0;
    if (needed && image.colorCount() < needed) {
        QList<QRgb> table = image.colorTable();
        table.resize(needed, qRgb(0, 0, 0));
        image.setColorTable(table);
    }
    return image;
}

QImage RasterDecoder::decode(QByteArrayView data, const QString& extension)
{
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
    return {};
}

} // namespace platform
