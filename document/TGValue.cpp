#include "TGValue.h"

#include "TGFilerError.h"
#include "platform/Cp1252.h"

#include <QStringDecoder>

#include <algorithm>

TGValue TGValue::make(Tag t)
{
    TGValue v;
    v.tag = t;
    return v;
}

TGValue TGValue::fromBool(bool v)
{
    return make(v ? True : False);
}

TGValue TGValue::fromInt(qint32 v)
{
    TGValue r = make(v >= -128 && v <= 127 ? Int8 : v >= -32768 && v <= 32767 ? Int16 : Int32);
    r.integer = v;
    return r;
}

TGValue TGValue::fromReal(double v)
{
    TGValue r = make(Extended);
    r.real = v;
    return r;
}

TGValue TGValue::fromString(const QString& s)
{
    TGValue r;
    r.bytes = encodeText(s);
    r.tag = r.bytes.size() < 256 ? String : LString;
    return r;
}

TGValue TGValue::fromIdent(const QByteArray& name)
{
    TGValue r = make(Ident);
    r.bytes = name;
    return r;
}

TGValue TGValue::fromData(const QByteArray& data)
{
    TGValue r = make(Binary);
    r.bytes = data;
    return r;
}

TGValue TGValue::fromSet(std::vector<QByteArray> members)
{
    TGValue r = make(Set);
    r.names = std::move(members);
    return r;
}

TGValue TGValue::fromStrings(const QStringList& lines)
{
    TGValue r = make(List);
    r.items.reserve(size_t(lines.size()));
    for (const QString& line : lines) r.items.push_back(fromString(line));
    return r;
}

void TGValue::invalid()
{
    throw TGFilerError(QStringLiteral("Invalid property value"));
}

QString TGValue::toText() const
{
    if (!isString()) invalid();
    return decodeText(bytes);
}

QByteArray TGValue::toData() const
{
    if (tag != Binary) invalid();
    return bytes;
}

QStringList TGValue::toStrings() const
{
    if (tag != List) invalid();
    QStringList lines;
    lines.reserve(qsizetype(items.size()));
    for (const TGValue& item : items) lines << item.toText();
    return lines;
}

namespace {
bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return quint8(c) < 0x80; });
}

// The text of bytes that are valid UTF-8, or nullopt.
std::optional<QString> utf8Text(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) return std::nullopt;
    return text;
}
} // namespace

QByteArray TGValue::encodeText(const QString& s)
{
    // Code page 1252 unless the text needs characters outside it, or its 1252 bytes would
    // read back as UTF-8: then UTF-8, which always reads back as itself.
    const std::optional<QByteArray> ansi = platform::Cp1252::encode(s);
    if (ansi && (isAscii(*ansi) || !utf8Text(*ansi))) return *ansi;
    return s.toUtf8();
}

QString TGValue::decodeText(const QByteArray& bytes)
{
    if (isAscii(bytes)) return QString::fromLatin1(bytes);
    if (std::optional<QString> text = utf8Text(bytes)) return *text;
    return platform::Cp1252::decode(bytes);
}
