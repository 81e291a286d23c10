#pragma once
// Decoder for Targa pictures of every common kind: colour-mapped, true-colour and
// grey-scale, uncompressed or run-length encoded, 8/15/16/24/32 bits, either origin.
// Qt's own TGA reader takes only uncompressed true-colour files; this covers the rest.
#include <QByteArrayView>
#include <QImage>

namespace platform {

class TgaDecoder {
  public:
    // The decoded picture, or a null image for data that is not a readable TGA.
    static QImage decode(QByteArrayView data);
};

} // namespace platform
