#include "Graphic.h"

#include "ByteReader.h"
#include "FileName.h"
#include "MetafilePlayer.h"
#include "RasterDecoder.h"
#include "ScreenMetrics.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <cmath>

namespace platform {

namespace {
// Picture files above this size are refused before being read.
constexpr qint64 maxFileBytes = 256LL * 1024 * 1024;

void appendU32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
} // namespace

const QByteArray& Graphic::empty()
{
    static const QByteArray none;
    return none;
}

Graphic Graphic::fromImage(const QImage& image)
{
    Graphic g;
    if (image.isNull()) return g;
    g.kind_ = Kind::Bitmap;
    g.image_ = image;
    g.data_ = bmpFile(image);
    return g;
}

QByteArray Graphic::bmpFile(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    writer.write(image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_RGB32) : image);
    return bytes;
}

std::optional<Graphic> Graphic::fromRaster(QByteArrayView data, const QString& extension,
                                           Kind kind)
{
    const QImage image = RasterDecoder::decode(data, extension);
    if (image.isNull()) return std::nullopt;
    Graphic g;
    g.kind_ = kind;
    g.image_ = image;
    g.data_ = data.toByteArray();
    return g;
}

std::optional<Graphic> Graphic::fromBmpFile(QByteArrayView file)
{
    return fromRaster(file, QStringLiteral(".BMP"), Kind::Bitmap);
}

std::optional<Graphic> Graphic::fromIcoData(QByteArrayView data)
{
    return fromRaster(data, QStringLiteral(".ICO"), Kind::Icon);
}

std::optional<Graphic> Graphic::fromMetafileData(QByteArrayView data)
{
    if (MetafilePlayer::formatOf(data) == MetafilePlayer::Format::None) return std::nullopt;
    Graphic g;
    g.kind_ = Kind::Metafile;
    g.data_ = data.toByteArray();
    return g;
}

std::optional<Graphic> Graphic::fromFileData(QByteArrayView data, const QString& extension)
{
    if (extension == ".WMF") return fromMetafileData(data);
    if (extension == ".ICO") return fromIcoData(data);
    if ((extension == ".BMP" || extension == ".DIB" || extension == ".RLE") && data.startsWith("BM"))
        return fromBmpFile(data);
    if (!RasterDecoder::handles(extension)) return std::nullopt;
    const Graphic g = fromImage(RasterDecoder::decode(data, extension));
    if (g.isEmpty()) return std::nullopt;
    return g;
}

bool Graphic::loadFromFile(const QString& fileName)
{
    // A FIFO or a device is no picture: opening one may wait for ever, reading one never end.
    if (!FileName::isFile(fileName)) return false;
    QFile file;
    if (!FileName::openForReading(file, fileName) || file.size() > maxFileBytes) return false;
    const QByteArray data = file.read(maxFileBytes);
    const std::optional<Graphic> g = fromFileData(data, "." + QFileInfo(fileName).suffix().toUpper());
    if (!g) return false;
    *this = *g;
    return true;
}

int Graphic::width() const
{
    if (kind_ != Kind::Metafile) return image_.width();
    return qRound(MetafilePlayer::sizeHundredthsMm(data_).width() * ScreenMetrics::pixelsPerInch() / 2540);
}

int Graphic::height() const
{
    if (kind_ != Kind::Metafile) return image_.height();
    return qRound(MetafilePlayer::sizeHundredthsMm(data_).height() * ScreenMetrics::pixelsPerInch() / 2540);
}

void Graphic::draw(QPainter& painter, const QRectF& target) const
{
    switch (kind_) {
    case Kind::None: return;
    case Kind::Metafile: MetafilePlayer::play(painter, target, data_); return;
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

QString Graphic::className() const
{
    switch (kind_) {
    case Kind::Bitmap: return QStringLiteral("TBitmap");
    case Kind::Icon: return QStringLiteral("TIcon");
    case Kind::Metafile: return QStringLiteral("TMetafile");
    case Kind::None: break;
    }
    return {};
}

QByteArray Graphic::writeData() const
{
    if (kind_ == Kind::None) return {};
    const QByteArray name = className().toLatin1();
    QByteArray out;
    out.append(char(name.size()));
    out.append(name);
    if (kind_ == Kind::Icon) {
        out.append(data_);
    } else {
        // The metafile's length counts its own four bytes; the bitmap's does not.
        appendU32(out, quint32(data_.size() + (kind_ == Kind::Metafile ? 4 : 0)));
        out.append(data_);
    }
    return out;
}

std::optional<Graphic> Graphic::readData(QByteArrayView block)
{
    ByteReader r(block);
    const int nameLength = r.u8();
    const QByteArrayView name = r.bytes(nameLength);
    if (!r.ok() || nameLength > 63) return std::nullopt;
    if (name == "TIcon") return fromIcoData(r.bytes(r.remaining()));
    if (name == "TBitmap") {
        const quint32 n = r.u32();
        const QByteArrayView file = r.bytes(qsizetype(n));
        if (!r.ok()) return std::nullopt;
        if (n == 0) return Graphic();
        return fromBmpFile(file);
    }
    if (name == "TMetafile") {
        const quint32 n = r.u32();
        if (!r.ok() || n < 4) return std::nullopt;
        const QByteArrayView file = r.bytes(qsizetype(n) - 4);
        if (!r.ok()) return std::nullopt;
        return fromMetafileData(file);
    }
    return Graphic(); // a graphic class this program does not know: the picture stays empty
}

QByteArray Graphic::writeBitmapData(const QImage& image)
{
    const QByteArray file = image.isNull() ? QByteArray() : bmpFile(image);
    QByteArray out;
    appendU32(out, quint32(file.size()));
    out.append(file);
    return out;
}

std::optional<QImage> Graphic::readBitmapData(QByteArrayView block)
{
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
