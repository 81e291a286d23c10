#pragma once
// One tagged value of the card file format, as read or about to be written: integers,
// extended floats, strings, identifiers, Booleans, data blocks, sets, lists, nil and
// collections. The reader produces these, the writer serialises them, and the property
// codec converts them to and from the objects' Q_PROPERTY values.
#include <QByteArray>
#include <QStringList>

#include <vector>

class TGValue {
  public:
    enum Tag : quint8 {
        Null = 0x00, // end of list; never a value of its own
        List = 0x01,
        Int8 = 0x02,
        Int16 = 0x03,
        Int32 = 0x04,
        Extended = 0x05,
        String = 0x06,
        Ident = 0x07,
        False = 0x08,
        True = 0x09,
        Binary = 0x0A,
        Set = 0x0B,
        LString = 0x0C,
        Nil = 0x0D,
        Collection = 0x0E,
        WString = 0x12,    // UTF-16LE text: 32-bit count of units, then the units
        Utf8String = 0x14, // UTF-8 text: 32-bit length, then the bytes
    };
    Tag tag = Nil;
    qint64 integer = 0; // the integer tags
    double real = 0;    // Extended
    // String, LString and Ident (code page 1252), Utf8String (UTF-8), WString (UTF-16LE
    // units) and Binary: the payload as the file holds it.
    QByteArray bytes;
    // Set members; for one item of a collection, the names of its values (in items).
    std::vector<QByteArray> names;
    // List items; the items of a Collection (each a List of named values); the values of
    // one collection item.
    std::vector<TGValue> items;

    // The smallest integer tag that holds v (32-bit values only).
    // The tags a value may have where it is read (for a property or a data item), and for a
    // list the tags its items may have: a value of another kind is refused as soon as its
    // tag is read, before anything is built for it or its items.
    struct Kinds {
        quint32 tags = ~0u;
        quint32 itemTags = ~0u;
    };
    static constexpr quint32 bit(Tag t) { return 1u << t; }
    static constexpr quint32 integerTags = 1u << Int8 | 1u << Int16 | 1u << Int32;
    static constexpr quint32 stringTags =
        1u << String | 1u << LString | 1u << Utf8String | 1u << WString;
    static constexpr Kinds dataBlock() { return {bit(Binary), 0}; }
    static constexpr Kinds stringList() { return {bit(List), stringTags}; }

    static TGValue fromInt(qint32 v);
    static TGValue fromBool(bool v);
    static TGValue fromReal(double v);
    // String or long string by the length of the code page 1252 text; the UTF-8 string
    // for text that code page 1252 cannot hold, so that no character is lost.
    static TGValue fromString(const QString& s);
    static TGValue fromIdent(const QByteArray& name);
    static TGValue fromData(const QByteArray& data);
    static TGValue fromSet(std::vector<QByteArray> members);
    static TGValue fromStrings(const QStringList& lines);

    bool isInteger() const { return tag == Int8 || tag == Int16 || tag == Int32; }
    bool isString() const {
        return tag == String || tag == LString || tag == Utf8String || tag == WString;
    }
    // Conversions that refuse a value of another kind with "Invalid property value".
    QString toText() const;
    QByteArray toData() const;
    QStringList toStrings() const; // a list of string values

    // A name (object, class or component) as a short string holds it: code page 1252.
    static QByteArray nameBytes(const QString& name);

    [[noreturn]] static void invalid();

  private:
    static TGValue make(Tag t);
};
