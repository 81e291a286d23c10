#include "TGStreamWriter.h"

#include "TGExtended.h"

#include <utility>

QByteArray TGStreamWriter::bytes() const {
    if (done_.empty()) return current_;
    qsizetype size = current_.size();
    for (const QByteArray& b : done_)
        size += b.size();
    QByteArray all;
    all.reserve(size);
    for (const QByteArray& b : done_)
        all.append(b);
    return all.append(current_);
}

std::vector<QByteArray> TGStreamWriter::blocks() const {
    std::vector<QByteArray> all = done_;
    if (!current_.isEmpty()) all.push_back(current_);
    return all;
}

void TGStreamWriter::writeShared(const QByteArray& b) {
    if (b.size() < sharedBlockSize) {
        current_.append(b);
        return;
    }
    if (!current_.isEmpty()) done_.push_back(std::exchange(current_, QByteArray()));
    done_.push_back(b);
}

void TGStreamWriter::writeInt32(qint32 v) {
    const quint32 u = quint32(v);
    const char b[4] = {char(u), char(u >> 8), char(u >> 16), char(u >> 24)};
    current_.append(b, 4);
}

void TGStreamWriter::writeShortString(QByteArrayView s) {
    Q_ASSERT(s.size() < 256);
    writeByte(quint8(s.size()));
    current_.append(s);
}

void TGStreamWriter::writeValue(const TGValue& v) {
    writeByte(v.tag);
    switch (v.tag) {
    case TGValue::Int8:
        writeByte(quint8(qint8(v.integer)));
        break;
    case TGValue::Int16: {
        const quint16 u = quint16(qint16(v.integer));
        writeByte(quint8(u));
        writeByte(quint8(u >> 8));
        break;
    }
    case TGValue::Int32:
        writeInt32(qint32(v.integer));
        break;
    case TGValue::Extended: {
        const TGExtended::Bytes e = TGExtended::fromDouble(v.real);
        current_.append(reinterpret_cast<const char*>(e.data()), qsizetype(e.size()));
        break;
    }
    case TGValue::String:
    case TGValue::Ident:
        writeShortString(v.bytes);
        break;
    case TGValue::LString:
    case TGValue::Utf8String:
    case TGValue::Binary:
        writeInt32(qint32(v.bytes.size()));
        writeShared(v.bytes);
        break;
    case TGValue::WString:
        writeInt32(qint32(v.bytes.size() / 2));
        writeShared(v.bytes);
        break;
    case TGValue::Set:
        for (const QByteArray& name : v.names)
            writeShortString(name);
        writeByte(0);
        break;
    case TGValue::List:
        for (const TGValue& item : v.items)
            writeValue(item);
        writeByte(TGValue::Null);
        break;
    case TGValue::Collection:
        for (const TGValue& item : v.items) {
            writeByte(TGValue::List);
            for (size_t i = 0; i < item.items.size(); ++i) {
                writeShortString(item.names.at(i));
                writeValue(item.items[i]);
            }
            writeByte(TGValue::Null);
        }
        writeByte(TGValue::Null);
        break;
    case TGValue::Null:
    case TGValue::False:
    case TGValue::True:
    case TGValue::Nil:
        break;
    }
}
