#pragma once
// Builds the bytes of a card file: primitives, short strings and tagged values, in memory.
#include "TGValue.h"

#include <QByteArray>

class TGStreamWriter {
public:
    const QByteArray& bytes() const { return bytes_; }

    void writeByte(quint8 b) { bytes_.append(char(b)); }
    void writeInt32(qint32 v);
    void writeBytes(QByteArrayView b) { bytes_.append(b); }
    // A length byte and the text; text longer than 255 bytes is a caller's mistake.
    void writeShortString(QByteArrayView s);
    void writeValue(const TGValue& v);

private:
    QByteArray bytes_;
};
