#pragma once
// Builds the bytes of a card file: primitives, short strings and tagged values, in memory.
// A long data block or long string is not copied into the stream but kept as a block of its
// own, shared with the value it came from (a picture's bytes): blocks() gives the stream in
// those pieces, for keeping many streams that hold the same payloads (the undo history).
#include "TGValue.h"

#include <QByteArray>

#include <vector>

class TGStreamWriter {
  public:
    // Payloads from this size on are kept as blocks of their own.
    static constexpr qsizetype sharedBlockSize = 4096;

    // The stream in one piece, and as consecutive blocks.
    QByteArray bytes() const;
    std::vector<QByteArray> blocks() const;

    void writeByte(quint8 b) { current_.append(char(b)); }
    void writeInt32(qint32 v);
    void writeBytes(QByteArrayView b) { current_.append(b); }
    // Appends the bytes as a block of their own when they are long.
    void writeShared(const QByteArray& b);
    // A length byte and the text; text longer than 255 bytes is a caller's mistake.
    void writeShortString(QByteArrayView s);
    void writeValue(const TGValue& v);

  private:
    std::vector<QByteArray> done_;
    QByteArray current_;
};
