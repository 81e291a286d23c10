#include "TGValue.h"

#include "TGFilerError.h"
#include "platform/drawing/Cp1252.h"

#include <QtEndian>

#include <optional>

TGValue TGValue::make(Tag t) {
    TGValue v;
    v.tag = t;
    return v;
}

TGValue TGValue::fromBool(bool v) {
    return make(v ? True : False);
}

TGValue TGValue::fromInt(qint32 v) {
    TGValue r = make(v >= -128 && v <= 127 ? Int8 : v >= -32768 && v <= 32767 ? Int16 : Int32);
    r.integer = v;
    return r;
}

TGValue TGValue::fromReal(double v) {
    TGValue r = make(Extended);
    r.real = v;
    return r;
}

TGValue TGValue::fromString(const QString& s) {
    TGValue r;
    if (std::optional<QByteArray> ansi = platform::Cp1252::encode(s)) {
        r.bytes = std::move(*ansi);
        r.tag = r.bytes.size() < 256 ? String : LString;
    } else {
        r.bytes = s.toUtf8();
        r.tag = Utf8String;
    }
    return r;
}

TGValue TGValue::fromIdent(const QByteArray& name) {
    TGValue r = make(Ident);
    r.bytes = name;
    return r;
}

TGValue TGValue::fromData(const QByteArray& data) {
    TGValue r = make(Binary);
    r.bytes = data;
    return r;
}

TGValue TGValue::fromSet(std::vector<QByteArray> members) {
    TGValue r = make(Set);
    r.names = std::move(members);
    return r;
}

TGValue TGValue::fromStrings(const QStringList& lines) {
    TGValue r = make(List);
    r.items.reserve(size_t(lines.size()));
    for (const QString& line : lines)
        r.items.push_back(fromString(line));
    return r;
}

void TGValue::invalid() {
    throw TGFilerError(QStringLiteral("Invalid property value"));
}

QString TGValue::toText() const {
    switch (tag) {
    case String:
    case LString:
        return platform::Cp1252::decode(bytes);
    case Utf8String:
        return QString::fromUtf8(bytes);
    case WString: {
        QString text(bytes.size() / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(qFromLittleEndian<quint16>(bytes.constData() + 2 * i));
        return text;
    }
    default:
        invalid();
    }
}

QByteArray TGValue::toData() const {
    if (tag != Binary) invalid();
    return bytes;
}

QStringList TGValue::toStrings() const {
    if (tag != List) invalid();
    QStringList lines;
    lines.reserve(qsizetype(items.size()));
    for (const TGValue& item : items)
        lines << item.toText();
    return lines;
}

QByteArray TGValue::nameBytes(const QString& name) {
    return platform::Cp1252::encode(name).value_or(name.toLatin1()).left(255);
}
