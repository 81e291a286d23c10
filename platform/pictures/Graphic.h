#pragma once
// A picture as the picture object, the background art and the textures hold it: nothing, a
// bitmap, an icon or a metafile. It loads from picture files by upper-cased extension (a
// raster of any format read here becomes a bitmap, alpha channel kept; an SVG file becomes
// a metafile),
// reads and writes the card file's picture and bitmap data blocks, and draws itself
// stretched into a rectangle of any QPainter (canvas, screen image, report page), a
// metafile as vectors.
//
//     platform::Graphic g;
//     if (!g.loadFromFile(name)) showError(platform::Graphic::loadErrorMessage);
//     g.draw(painter, QRectF(0, 0, w, h));                      // screen or canvas
//     g.draw(report.painter(), report.toDevice(inchRect));      // report page
//     QByteArray block = g.writeData();                         // Picture.Data
//     std::optional<Graphic> back = Graphic::readData(block);   // nullopt: damaged block
#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>

class QPainter;

namespace platform {

class Graphic {
  public:
    enum class Kind { None, Bitmap, Icon, Metafile };
    static constexpr const char* loadErrorMessage = "Error loading file!";

    Graphic() = default;
    static Graphic fromImage(const QImage& image); // a bitmap; a null image gives nothing
    // An icon from the bytes of an .ICO file, a metafile from EMF or placeable WMF bytes;
    // nullopt when the bytes are not one.
    static std::optional<Graphic> fromIcoData(QByteArrayView data);
    static std::optional<Graphic> fromMetafileData(QByteArrayView data);
    // A picture from data in the format an upper-cased extension names (".BMP", ".DIB",
    // ".RLE", ".ICO", ".JPG", ".JIF", ".PCX", ".TGA", ".WMF", ".EMF", ".SVG", and the
    // raster formats of Qt's image plugins such as ".PNG", ".JPEG", ".GIF", ".WEBP").
    // `error` says why a picture was refused for its size, when it was (the generic
    // loadErrorMessage otherwise covers data that is no picture).
    static std::optional<Graphic> fromFileData(QByteArrayView data, const QString& extension,
                                               QString* error = nullptr);
    // Whether files with this upper-cased extension are read as pictures.
    static bool readsExtension(const QString& extension);
    // File name patterns ("*.png") of every picture file read, for file dialogs and lists.
    static const QStringList& filePatterns();
    static QString filePatternsFilter() { return filePatterns().join(QLatin1Char(' ')); }

    // Why a picture whose header states a size too large to decode is refused; empty when
    // its size is fine or not stated.
    static QString sizeRefusal(QByteArrayView data, const QString& extension);
    // Loads a picture file; false (and the picture unchanged) when it cannot be read, with
    // the message to show in `error`: loadErrorMessage, or why a picture is refused.
    bool loadFromFile(const QString& fileName, QString* error = nullptr);
    // The size a picture file's header states, read as safely as loadFromFile reads it
    // (invalid when the file cannot be read or states no size).
    static QSize statedSizeOfFile(const QString& fileName);
    // A picture file's bytes, or nullopt with the reason in `error` for what cannot be
    // opened, is no regular file (a FIFO or a device: opening one may wait for ever, reading
    // one never end) or is too large. Every picture file is read through here.
    static std::optional<QByteArray> readPictureFile(const QString& fileName,
                                                     QString* error = nullptr);

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::None; }
    // Size in screen pixels; a metafile's comes from its size in millimetres.
    int width() const;
    int height() const;
    // The raster of a bitmap or icon (null for a metafile).
    const QImage& image() const { return image_; }
    // The metafile's bytes (EMF or placeable WMF), empty for other kinds.
    QByteArrayView metafileData() const {
        return kind_ == Kind::Metafile ? file() : QByteArrayView();
    }

    // Draws the picture stretched into `target` in the painter's coordinates.
    void draw(QPainter& painter, const QRectF& target) const;

    // The class name the card file stores ("TBitmap", "TIcon", "TMetafile"), or empty.
    QString className() const;
    // The picture's card-file data block: class name, then the graphic's data. Empty for
    // an empty picture (the item is not written then). The picture keeps its bytes in this
    // form, so the block is shared, not copied: a card written many times (the undo
    // history) holds the bytes once.
    QByteArray writeData() const { return block_; }
    // Reads a picture data block. A class name of none of the three kinds gives an empty
    // picture; nullopt means the block is damaged. A block in the form writeData gives is
    // kept as it is, shared with the caller.
    static std::optional<Graphic> readData(const QByteArray& block);
    // A bitmap's data block: a 32-bit length, then a complete .BMP file (length 0 when empty).
    static QByteArray writeBitmapData(const QImage& image);
    static std::optional<QImage> readBitmapData(QByteArrayView block);

    friend bool operator==(const Graphic& a, const Graphic& b) {
        return a.kind_ == b.kind_ && a.image_ == b.image_ && a.block_ == b.block_;
    }

  private:
    static QString classNameOf(Kind kind);
    // The data block of a graphic of the kind holding the file's bytes, and where in that
    // block the file starts.
    static QByteArray blockOf(Kind kind, QByteArrayView file);
    static qsizetype fileOffset(Kind kind);
    QByteArrayView file() const { return QByteArrayView(block_).sliced(fileOffset(kind_)); }
    static QByteArray bmpFile(const QImage& image);
    static QByteArray alphaBmpFile(const QImage& image);
    static std::optional<Graphic> fromBmpFile(QByteArrayView file);
    // A bitmap or icon decoded from file bytes, which it keeps for writing back.
    static std::optional<Graphic> fromRaster(QByteArrayView data, const QString& extension,
                                             Kind kind);

    Kind kind_ = Kind::None;
    QImage image_;
    // The card file's data block (see writeData), holding the file bytes it writes back:
    // .BMP, .ICO or metafile.
    QByteArray block_;
};

} // namespace platform
