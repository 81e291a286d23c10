#include "platform/pictures/Graphic.h"

#include "platform/drawing/ScreenMetrics.h"
#include "platform/metafiles/MetafilePlayer.h"
#include "platform/pictures/RasterDecoder.h"
#include "platform/pictures/SvgImport.h"
#include "platform/system/ByteReader.h"
#include "platform/system/FileName.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <cmath>

namespace platform {

namespace {
// Picture files above this size are refused before being read.
constexpr qint64 maxFileBytes = 256LL * 1024 * 1024;
// Vector pictures are rendered whole: a smaller limit keeps that quick.
constexpr qint64 maxSvgBytes = 32LL * 1024 * 1024;

void appendU32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
} // namespace

Graphic Graphic::fromImage(const QImage& image) {
    Graphic g;
    if (image.isNull()) return g;
    g.kind_ = Kind::Bitmap;
    g.block_ = blockOf(Kind::Bitmap, bmpFile(image));
    // The image as the card file gives it back, so that a saved picture compares equal.
    g.image_ =
        image.hasAlphaChannel() ? RasterDecoder::decode(g.file(), QStringLiteral(".BMP")) : image;
    return g;
}

QByteArray Graphic::bmpFile(const QImage& image) {
    if (image.hasAlphaChannel()) return alphaBmpFile(image);
    QByteArray bytes;
    // Room for the whole file up front: the writer appends row by row.
    bytes.reserve(image.sizeInBytes() + 1024);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    writer.write(image);
    return bytes;
}

QByteArray Graphic::alphaBmpFile(const QImage& image) {
    // Qt writes bitmaps without their alpha: a 32-bit bitmap with a version 5 header and an
    // alpha mask keeps it. Fully transparent pixels are stored white, which is what a reader
    // that ignores the alpha then shows.
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) == 0) line[x] = 0x00FFFFFF;
    }
    constexpr quint32 fileHeader = 14, infoHeader = 124;
    const quint32 rowBytes = quint32(argb.width()) * 4;
    const quint32 pixelBytes = rowBytes * quint32(argb.height());
    QByteArray out("BM");
    appendU32(out, fileHeader + infoHeader + pixelBytes);
    appendU32(out, 0);
    appendU32(out, fileHeader + infoHeader);
    for (quint32 v : {infoHeader, quint32(argb.width()), quint32(argb.height()), 1u | 32u << 16,
                      3u /* bit fields */, pixelBytes, 3780u, 3780u, 0u, 0u, 0x00FF0000u,
                      0x0000FF00u, 0x000000FFu, 0xFF000000u, 0x73524742u /* sRGB */})
        appendU32(out, v);
    out.append(QByteArray(36 + 12, '\0')); // colour end points and gamma: unused for sRGB
    for (quint32 v : {4u /* pictures */, 0u, 0u, 0u})
        appendU32(out, v);
    for (int y = argb.height() - 1; y >= 0; --y) // bottom row first
        out.append(reinterpret_cast<const char*>(argb.constScanLine(y)), rowBytes);
    return out;
}

std::optional<Graphic> Graphic::fromRaster(QByteArrayView data, const QString& extension,
                                           Kind kind) {
    const QImage image = RasterDecoder::decode(data, extension);
    if (image.isNull()) return std::nullopt;
    Graphic g;
    g.kind_ = kind;
    g.image_ = image;
    g.block_ = blockOf(kind, data);
    return g;
}

std::optional<Graphic> Graphic::fromBmpFile(QByteArrayView file) {
    return fromRaster(file, QStringLiteral(".BMP"), Kind::Bitmap);
}

std::optional<Graphic> Graphic::fromIcoData(QByteArrayView data) {
    return fromRaster(data, QStringLiteral(".ICO"), Kind::Icon);
}

std::optional<Graphic> Graphic::fromMetafileData(QByteArrayView data) {
    if (MetafilePlayer::formatOf(data) == MetafilePlayer::Format::None) return std::nullopt;
    Graphic g;
    g.kind_ = Kind::Metafile;
    g.block_ = blockOf(Kind::Metafile, data);
    return g;
}

std::optional<Graphic> Graphic::fromFileData(QByteArrayView data, const QString& extension,
                                             QString* error) {
    if (extension == ".WMF" || extension == ".EMF") return fromMetafileData(data);
    if (extension == ".SVG") {
        if (data.size() > maxSvgBytes) {
            if (error)
                *error = QStringLiteral("The drawing is larger than %1 MB: too large to import.")
                             .arg(maxSvgBytes / (1024 * 1024));
            return std::nullopt;
        }
        const std::optional<QByteArray> emf = SvgImport::toMetafile(data, error);
        return emf ? fromMetafileData(*emf) : std::nullopt;
    }
    if (extension == ".ICO") return fromIcoData(data);
    if ((extension == ".BMP" || extension == ".DIB" || extension == ".RLE") &&
        data.startsWith("BM"))
        return fromBmpFile(data);
    if (!RasterDecoder::handles(extension)) return std::nullopt;
    const Graphic g = fromImage(RasterDecoder::decode(data, extension));
    if (g.isEmpty()) return std::nullopt;
    return g;
}

bool Graphic::readsExtension(const QString& extension) {
    return RasterDecoder::handles(extension) || extension == ".WMF" || extension == ".EMF" ||
           extension == ".SVG";
}

const QStringList& Graphic::filePatterns() {
    static const QStringList patterns = [] {
        QStringList out{"*.bmp", "*.dib", "*.rle", "*.ico", "*.jpg", "*.jif",
                        "*.pcx", "*.tga", "*.wmf", "*.emf", "*.svg"};
        for (const QByteArray& format : QImageReader::supportedImageFormats()) {
            const QString pattern = "*." + QString::fromLatin1(format);
            if (!out.contains(pattern) &&
                readsExtension("." + QString::fromLatin1(format).toUpper()))
                out << pattern;
        }
        return out;
    }();
    return patterns;
}

std::optional<QByteArray> Graphic::readPictureFile(const QString& fileName, QString* error) {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return std::nullopt;
    };
    // A FIFO or a device is no picture: opening one may wait for ever, reading one never end.
    if (FileName::exists(fileName) && !FileName::isFile(fileName))
        return fail(QStringLiteral("not a regular file"));
    QFile file;
    QString why;
    if (!FileName::openForReading(file, fileName, &why)) return fail(why);
    if (file.size() > maxFileBytes)
        return fail(QStringLiteral("larger than %1 MB").arg(maxFileBytes / (1024 * 1024)));
    return file.read(maxFileBytes);
}

QSize Graphic::statedSizeOfFile(const QString& fileName) {
    const std::optional<QByteArray> data = readPictureFile(fileName);
    if (!data) return {};
    return RasterDecoder::statedSize(*data, "." + QFileInfo(fileName).suffix().toUpper());
}

QString Graphic::sizeRefusal(QByteArrayView data, const QString& extension) {
    const QSize size = RasterDecoder::statedSize(data, extension);
    if (!RasterDecoder::tooLarge(size)) return QString();
    return QStringLiteral("The picture is %1 × %2 pixels: too large to load. Pictures of up to "
                          "%3 million pixels can be loaded.")
        .arg(size.width())
        .arg(size.height())
        .arg(RasterDecoder::maxPixels / (1024 * 1024));
}

bool Graphic::loadFromFile(const QString& fileName, QString* error) {
    auto fail = [error](const QString& message) {
        if (error) *error = message;
        return false;
    };
    const QString failed = QLatin1String(loadErrorMessage);
    const std::optional<QByteArray> read = readPictureFile(fileName);
    if (!read) return fail(failed);
    const QByteArray& data = *read;
    const QString extension = "." + QFileInfo(fileName).suffix().toUpper();
    if (const QString tooLarge = sizeRefusal(data, extension); !tooLarge.isEmpty())
        return fail(tooLarge);
    QString refused;
    const std::optional<Graphic> g = fromFileData(data, extension, &refused);
    if (!g) return fail(refused.isEmpty() ? failed : refused);
    *this = *g;
    return true;
}

int Graphic::width() const {
    if (kind_ != Kind::Metafile) return image_.width();
    return qRound(MetafilePlayer::sizeHundredthsMm(file()).width() *
                  ScreenMetrics::pixelsPerInch() / 2540);
}

int Graphic::height() const {
    if (kind_ != Kind::Metafile) return image_.height();
    return qRound(MetafilePlayer::sizeHundredthsMm(file()).height() *
                  ScreenMetrics::pixelsPerInch() / 2540);
}

void Graphic::draw(QPainter& painter, const QRectF& target) const {
    switch (kind_) {
    case Kind::None:
        return;
    case Kind::Metafile:
        MetafilePlayer::play(painter, target, file());
        return;
    case Kind::Bitmap:
    case Kind::Icon: {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(target, image_);
        painter.restore();
        return;
    }
    }
}

QString Graphic::classNameOf(Kind kind) {
    switch (kind) {
    case Kind::Bitmap:
        return QStringLiteral("TBitmap");
    case Kind::Icon:
        return QStringLiteral("TIcon");
    case Kind::Metafile:
        return QStringLiteral("TMetafile");
    case Kind::None:
        break;
    }
    return {};
}

QString Graphic::className() const {
    return classNameOf(kind_);
}

qsizetype Graphic::fileOffset(Kind kind) {
    if (kind == Kind::None) return 0;
    // Name length and name; bitmaps and metafiles then give the file's length.
    return 1 + classNameOf(kind).size() + (kind == Kind::Icon ? 0 : 4);
}

QByteArray Graphic::blockOf(Kind kind, QByteArrayView file) {
    const QByteArray name = classNameOf(kind).toLatin1();
    QByteArray out;
    out.reserve(fileOffset(kind) + file.size());
    out.append(char(name.size()));
    out.append(name);
    // The metafile's length counts its own four bytes; the bitmap's does not.
    if (kind != Kind::Icon) appendU32(out, quint32(file.size() + (kind == Kind::Metafile ? 4 : 0)));
    out.append(file);
    return out;
}

std::optional<Graphic> Graphic::readData(const QByteArray& block) {
    ByteReader r(block);
    const int nameLength = r.u8();
    const QByteArrayView name = r.bytes(nameLength);
    if (!r.ok() || nameLength > 63) return std::nullopt;
    Kind kind = Kind::Icon;
    QByteArrayView file;
    if (name == "TIcon") {
        file = r.bytes(r.remaining());
    } else if (name == "TBitmap" || name == "TMetafile") {
        kind = name == "TBitmap" ? Kind::Bitmap : Kind::Metafile;
        // The metafile's length counts its own four bytes.
        const qint64 n = qint64(r.u32()) - (kind == Kind::Metafile ? 4 : 0);
        if (!r.ok() || n < 0) return std::nullopt;
        file = r.bytes(qsizetype(n));
        if (!r.ok()) return std::nullopt;
        if (n == 0 && kind == Kind::Bitmap) return Graphic();
    } else {
        return Graphic(); // a graphic class this program does not know: the picture stays empty
    }
    std::optional<Graphic> g =
        kind == Kind::Metafile
            ? fromMetafileData(file)
            : fromRaster(file, kind == Kind::Icon ? QStringLiteral(".ICO") : QStringLiteral(".BMP"),
                         kind);
    // A block just as the picture writes it is kept, shared with the caller, not copied.
    if (g && r.atEnd() && file.size() > 0) g->block_ = block;
    return g;
}

QByteArray Graphic::writeBitmapData(const QImage& image) {
    const QByteArray file = image.isNull() ? QByteArray() : bmpFile(image);
    QByteArray out;
    appendU32(out, quint32(file.size()));
    out.append(file);
    return out;
}

std::optional<QImage> Graphic::readBitmapData(QByteArrayView block) {
    ByteReader r(block);
    const quint32 n = r.u32();
    const QByteArrayView file = r.bytes(qsizetype(n));
    if (!r.ok()) return std::nullopt;
    if (n == 0) return QImage();
    const QImage image = RasterDecoder::decode(file, QStringLiteral(".BMP"));
    if (image.isNull()) return std::nullopt;
    return image;
}

} // namespace platform
