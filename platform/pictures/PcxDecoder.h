#pragma once
// Decoder for PCX pictures (run-length encoded; 1-bit, 2-bit and 4-bit planar or packed
// with the header palette, 8-bit with the trailing 256-colour palette, 24-bit and 32-bit
// planes). Qt has no PCX reader, and the Debian libraries that have one are either no
// longer maintained upstream or far larger than this format needs.
#include <QByteArrayView>
#include <QImage>

namespace platform {

class PcxDecoder {
  public:
    // The decoded picture, or a null image for data that is not a readable PCX.
    static QImage decode(QByteArrayView data);
};

} // namespace platform
