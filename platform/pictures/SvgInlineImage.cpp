#include "platform/pictures/SvgInlineImage.h"

#include "platform/pictures/RasterDecoder.h"

#include <QBuffer>
#include <QImageReader>

namespace platform {

namespace {
// The bytes of a base64 "data:" address, or nothing for any other address.
std::optional<QByteArray> payload(QStringView address) {
    if (!address.startsWith(u"data:", Qt::CaseInsensitive)) return std::nullopt;
    const qsizetype comma = address.indexOf(u',');
    if (comma < 0 || !address.left(comma).endsWith(u";base64", Qt::CaseInsensitive))
        return std::nullopt;
    return QByteArray::fromBase64(address.mid(comma + 1).toLatin1());
}

// The raster format of the bytes, judged by their content; empty for any format not kept.
QByteArray rasterFormat(const QByteArray& bytes) {
    static const QList<QByteArray> kept{"png", "jpeg", "gif", "bmp", "webp"};
    QByteArray copy = QByteArray::fromRawData(bytes.constData(), bytes.size());
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    return kept.contains(format) ? format : QByteArray();
}

QString pngAddress(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "png")) return {};
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}
} // namespace

std::optional<QString> SvgInlineImage::safeAddress(QStringView address) {
    const std::optional<QByteArray> bytes = payload(address.trimmed());
    if (!bytes) return std::nullopt;
    const QByteArray format = rasterFormat(*bytes);
    if (format.isEmpty()) return std::nullopt;
    QImage image = RasterDecoder::readWithQt(*bytes, format.constData());
    if (image.isNull()) return std::nullopt;
    if (std::max(image.width(), image.height()) > maxSide)
        image = image.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QString safe = pngAddress(image);
    if (safe.isEmpty()) return std::nullopt;
    return safe;
}

} // namespace platform
