#pragma once
// Plays an enhanced metafile onto a MetafileDc: the header fixes the picture frame and the
// reference device, then every record is applied in order. Unknown or damaged records are
// skipped; playing stops at the end record or where the data runs out.
#include <QByteArrayView>
#include <QRectF>
#include <QSizeF>

namespace platform {

class MetafileDc;

class EmfPlayer {
  public:
    struct Header {
        QRectF frame;        // in hundredths of a millimetre
        QSizeF devicePixels; // size of the reference device
        QSizeF deviceMm;
    };
    static bool readHeader(QByteArrayView data, Header* header);
    static bool play(MetafileDc& dc, QByteArrayView data);
};

} // namespace platform
