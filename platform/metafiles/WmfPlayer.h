#pragma once
// Plays a placeable Windows metafile (22-byte header with key 0x9AC6CDD7, then the
// metafile's records) onto a MetafileDc. Unknown or damaged records are skipped; playing
// stops at the end record or where the data runs out.
#include <QByteArrayView>
#include <QRectF>

namespace platform {

class MetafileDc;

class WmfPlayer {
  public:
    static constexpr quint32 placeableKey = 0x9AC6CDD7;

    // The picture's bounding box in metafile units and the units per inch, or false.
    static bool readHeader(QByteArrayView data, QRectF* bounds, int* unitsPerInch);
    static bool play(MetafileDc& dc, QByteArrayView data);
};

} // namespace platform
