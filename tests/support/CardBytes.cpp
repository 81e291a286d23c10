#include "CardBytes.h"

#include "document/TGStreamWriter.h"

QByteArray oneObjectCard(const QByteArray& className, const CardProperties& props) {
    TGStreamWriter w;
    w.writeByte(0x01);
    w.writeBytes("TPF0");
    w.writeShortString(className);
    w.writeShortString("Special1");
    for (const auto& [name, value] : props) {
        w.writeShortString(name);
        w.writeValue(value);
    }
    w.writeByte(0x00); // end of properties
    w.writeByte(0x00); // end of children
    w.writeByte(0x00); // end of list
    return w.bytes();
}
