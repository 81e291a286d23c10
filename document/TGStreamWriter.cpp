#include "TGStreamWriter.h"

#include "TGExtended.h"

void TGStreamWriter::writeInt32(qint32 v)
{
    const quint32 u = quint32(v);
    const char b[4] = {char(u), char(u >> 8), char(u >> 16), char(u >> 24)};
    bytes_.append(b, 4);
}

void TGStreamWriter::writeShortString(QByteArrayView s)
{
    Q_ASSERT(s.size() < 256);
    writeByte(quint8(s.size()));
    bytes_.append(s);
}

void TGStreamWriter::writeValue(const TGValue& v)
{
    writeByte(v.tag);
    switch (v.tag) {
    case TGValue::Int8: writeByte(quint8(qint8(v.integer))); break;
    case TGValue::Int16: {
        const quint16 u = quint16(qint16(v.integer));
        writeByte(quint8(u));
        writeByte(quint8(u >> 8));
        break;
    }
    case TGValue::Int32: writeInt32(qint32(v.integer)); break;
    case TGValue::Extended: {
        const TGExtended::Bytes e = TGExtended::fromDouble(v.real);
        bytes_.append(reinterpret_cast<const char*>(e.data()), qsizetype(e.size()));
        break;
    }
    case TGValue::String:
    case TGValue::Ident: writeShortString(v.bytes); break;
    case TGValue::LString:
    case TGValue::Utf8String:
    case TGValue::Binary:
        writeInt32(qint32(v.bytes.size()));
        bytes_.append(v.bytes);
        break;
    case TGValue::WString:
        writeInt32(qint32(v.bytes.size() / 2));
        bytes_.append(v.bytes);
        break;
    case TGValue::Set:
        for (const QByteArray& name : v.names) writeShortString(name);
        writeByte(0);
        break;
    case TGValue::List:
        for (const TGValue& item : v.items) writeValue(item);
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
    case TGValue::Nil: break;
    }
}
