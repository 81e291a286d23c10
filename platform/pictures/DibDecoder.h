#pragma once
// Device-independent bitmaps as metafiles, ".DIB" files and clipboard data carry them: a
// bitmap info header, its colour table and the bits, without the 14-byte file header of a
// .BMP. Qt's BMP reader does the decoding (every depth, bit fields, RLE4 and RLE8); this
// class only frames the DIB as a .BMP file and checks its sizes first.
#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

namespace platform {

class DibDecoder {
  public:
    // Decodes a DIB whose header and colour table are `info` and whose pixel bits are `bits`.
    static QImage decode(QByteArrayView info, QByteArrayView bits);
    // Decodes a packed DIB: header, colour table and bits in one block.
    static QImage decodePacked(QByteArrayView packed);
    // The byte size of the header plus colour table of a DIB, or -1 when the header is bad.
    static qsizetype infoSize(QByteArrayView info);
};

} // namespace platform
