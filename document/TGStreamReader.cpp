#include "TGStreamReader.h"

#include "TGExtended.h"
#include "TGFilerError.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

void TGStreamReader::readError() {
    throw TGFilerError(QStringLiteral("Stream read error"));
}

namespace {
// The piece in which a value of unknown reach is read from a device of unknown size.
constexpr qint64 pieceSize = 1 << 20;
} // namespace

TGStreamReader::TGStreamReader(QByteArrayView data) {
    memory_.setData(QByteArray::fromRawData(data.data(), data.size()));
    memory_.open(QIODevice::ReadOnly);
}

qint64 TGStreamReader::remaining() const {
    if (device_.isSequential()) return -1;
    return std::max<qint64>(device_.size() - device_.pos(), 0);
}

quint8 TGStreamReader::peekByte() const {
    char c;
    if (device_.peek(&c, 1) != 1) readError();
    return quint8(c);
}

quint8 TGStreamReader::readByte() {
    char c;
    if (!device_.getChar(&c)) readError();
    return quint8(c);
}

QByteArray TGStreamReader::readBytes(qint64 n) {
    const qint64 left = remaining();
    if (n < 0 || (left >= 0 && n > left)) readError();
    QByteArray bytes;
    while (bytes.size() < n) {
        const qint64 piece = left >= 0 ? n - bytes.size() : std::min(n - bytes.size(), pieceSize);
        const qsizetype at = bytes.size();
        bytes.resize(at + piece);
        const qint64 got = device_.read(bytes.data() + at, piece);
        if (got <= 0) readError();
        bytes.resize(at + got);
    }
    return bytes;
}

qint32 TGStreamReader::readInt32() {
    const QByteArray v = readBytes(4);
    quint32 r = 0;
    for (int i = 3; i >= 0; --i)
        r = (r << 8) | quint8(v[i]);
    return qint32(r);
}

QByteArray TGStreamReader::readShortString() {
    return readBytes(readByte());
}

TGValue TGStreamReader::readValue(const TGValue::Kinds& kinds) {
    return readValue(0, kinds);
}

TGValue TGStreamReader::readValue(int depth, const TGValue::Kinds& kinds) {
    if (depth > maxDepth) TGValue::invalid();
    TGValue v;
    v.tag = TGValue::Tag(readByte());
    if (v.tag >= 32 || !(kinds.tags & TGValue::bit(v.tag))) TGValue::invalid();
    switch (v.tag) {
    case TGValue::Int8:
        v.integer = qint8(readByte());
        break;
    case TGValue::Int16: {
        const QByteArray b = readBytes(2);
        v.integer = qint16(quint16(quint8(b[0]) | (quint8(b[1]) << 8)));
        break;
    }
    case TGValue::Int32:
        v.integer = readInt32();
        break;
    case TGValue::Extended: {
        TGExtended::Bytes e;
        std::memcpy(e.data(), readBytes(10).data(), e.size());
        v.real = TGExtended::toDouble(e);
        break;
    }
    case TGValue::String:
    case TGValue::Ident:
        v.bytes = readShortString();
        break;
    case TGValue::LString:
    case TGValue::Utf8String:
    case TGValue::Binary: {
        const qint32 n = readInt32();
        v.bytes = readBytes(n); // refused before allocating when n > bytes left
        break;
    }
    case TGValue::WString: {
        const qint32 units = readInt32();
        if (units < 0) readError();
        v.bytes = readBytes(qsizetype(units) * 2); // checked against the bytes left as above
        break;
    }
    case TGValue::False:
    case TGValue::True:
    case TGValue::Nil:
        break;
    case TGValue::Set:
        for (QByteArray name = readShortString(); !name.isEmpty(); name = readShortString())
            v.names.push_back(std::move(name));
        break;
    case TGValue::List:
        while (peekByte() != TGValue::Null)
            v.items.push_back(readValue(depth + 1, {kinds.itemTags, ~0u}));
        readByte();
        break;
    case TGValue::Collection:
        return readCollection(depth);
    default:
        TGValue::invalid();
    }
    return v;
}

TGValue TGStreamReader::readCollection(int depth) {
    TGValue v;
    v.tag = TGValue::Collection;
    while (peekByte() != TGValue::Null) {
        // Each item: list begin, named values, end of list.
        if (readByte() != TGValue::List) TGValue::invalid();
        TGValue item;
        item.tag = TGValue::List;
        while (peekByte() != TGValue::Null) {
            item.names.push_back(readShortString());
            item.items.push_back(readValue(depth + 1, {}));
        }
        readByte();
        v.items.push_back(std::move(item));
    }
    readByte();
    return v;
}
