#pragma once
// Reads the card file's primitives and tagged values from bytes in memory. Every read is
// checked against the bytes left: running out fails with "Stream read error", and no
// length is trusted (or allocated for) before the bytes it announces are known to exist.
#include "TGValue.h"

#include <QByteArray>
#include <QByteArrayView>

class TGStreamReader {
public:
    explicit TGStreamReader(QByteArrayView data) : data_(data) {}

    qsizetype pos() const { return pos_; }
    qsizetype remaining() const { return data_.size() - pos_; }

    quint8 peekByte() const;
    quint8 readByte();
    qint32 readInt32();
    QByteArrayView readBytes(qsizetype n);
    // A length byte and that many bytes of text.
    QByteArray readShortString();
    // One tagged value of any kind (lists and collections nested at most maxDepth deep).
    TGValue readValue();

    static constexpr int maxDepth = 32;

private:
    TGValue readValue(int depth);
    TGValue readCollection(int depth);
    [[noreturn]] static void readError();

    QByteArrayView data_;
    qsizetype pos_ = 0;
};
