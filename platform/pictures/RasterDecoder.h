#pragma once
// Decodes the raster picture files the program accepts, chosen by upper-cased extension:
// ".BMP", ".DIB" and ".RLE" (Windows bitmaps, RLE4/RLE8 included; a DIB may lack its file
// header), ".ICO", ".JPG"/".JIF", ".PCX" and ".TGA". Qt's readers come first; PCX and the
// TGA kinds Qt cannot read go to the decoders of this folder. Every other raster format
// Qt's image plugins read (".PNG", ".JPEG", ".GIF", ".TIF", ".WEBP"...) is read by Qt; an
// animated picture gives its first frame.
#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace platform {

class RasterDecoder {
  public:
    // Pictures above this many pixels (a 128 MB image) are refused before decoding.
    static constexpr qint64 maxPixels = 32LL * 1024 * 1024;

    // Whether the extension (upper case, with its dot) names a raster format read here.
    static bool handles(const QString& extension);
    // The size a picture's header states, before anything is decoded (invalid when unknown).
    static QSize statedSize(QByteArrayView data, const QString& extension);
    // Whether a picture of this size is refused for its number of pixels.
    static bool tooLarge(QSize size);
    // The decoded picture, or a null image when the data cannot be read as that format.
    static QImage decode(QByteArrayView data, const QString& extension);
    // Reads one image through Qt's reader for `format`, refusing oversized headers.
    static QImage readWithQt(QByteArrayView data, const char* format);

  private:
    // Qt's format name for an extension read by Qt's own plugins, or empty.
    static QByteArray qtFormat(const QString& extension);
};

} // namespace platform
