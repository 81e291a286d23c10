#pragma once
// Reads the card file's primitives and tagged values from bytes in memory or as a stream
// from a device (a file is never read whole first: a broken one is refused at the first
// byte that does not fit). Every read is checked against the bytes left: running out fails
// with "Stream read error", and no length is trusted (or allocated for) before the bytes it
// announces are known to exist; on a device whose size is unknown a long value is read in
// pieces, so memory grows only with the bytes that really arrive.
#include "TGValue.h"

#include <QBuffer>
#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

class TGStreamReader {
  public:
    explicit TGStreamReader(QByteArrayView data);
    // Reads from the device's current position; the device must be open for reading.
    explicit TGStreamReader(QIODevice& device) : device_(device) {}

    // The bytes left, or -1 when the device cannot tell (a pipe).
    qint64 remaining() const;

    quint8 peekByte() const;
    quint8 readByte();
    qint32 readInt32();
    QByteArray readBytes(qint64 n);
    // A length byte and that many bytes of text.
    QByteArray readShortString();
    // One tagged value of any kind (lists and collections nested at most maxDepth deep), or
    // of the kinds given, refusing any other with "Invalid property value" as soon as its
    // tag (or a list item's) is read.
    TGValue readValue(const TGValue::Kinds& kinds = {});

    static constexpr int maxDepth = 32;

  private:
    TGValue readValue(int depth, const TGValue::Kinds& kinds);
    TGValue readCollection(int depth);
    [[noreturn]] static void readError();

    QBuffer memory_;
    QIODevice& device_ = memory_;
};
