#pragma once
// Turns the text of metafile records into Unicode: 8-bit text in Windows code page 1252
// (the code page of the clip art this program meets) and little-endian UTF-16 text at any
// alignment. Characters after a terminating zero are dropped.
#include <QByteArrayView>
#include <QString>

namespace platform {

class MetafileText {
  public:
    static QString ansi(QByteArrayView bytes);
    static QString utf16(QByteArrayView bytes);
};

} // namespace platform
