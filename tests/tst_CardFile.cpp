// The card file format: byte layout, value encodings, defaults, renaming on reading, the
// failure messages, truncated and foreign files, round trips and atomic saving.
#include "support/SurfaceFixture.h"

#include "document/TGExtended.h"
#include "document/TGExtraData.h"
#include "document/TGFilerError.h"
#include "document/TGLabelObjectFiler.h"
#include "document/TGPropertyCodec.h"
#include "document/TGStreamWriter.h"
#include "document/TGStringList.h"
#include "objects/shapes/ShapeKinds.h"
#include "objects/shapes/TBCShapes.h"
#include "objects/shapes/TGLineShape.h"

#include <QtTest>

#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <limits>

// An embedded object with a data block item, as a picture has.
class TTestBlob : public QObject, public TGExtraData {
    Q_OBJECT
  public:
    QByteArray data;
    std::optional<TGValue::Kinds> itemKinds(QByteArrayView name) const override {
        return name == "Data" ? std::optional(TGValue::dataBlock()) : std::nullopt;
    }
    std::vector<Item> writeExtra() const override {
        if (data.isEmpty()) return {};
        return {{"Data", TGValue::fromData(data)}};
    }
    bool readExtra(QByteArrayView name, const TGValue& value) override {
        if (name != "Data") return false;
        data = value.toData();
        return true;
    }
};

// A design object with a property of every kind the card file knows.
class TTestKinds : public TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QString Text MEMBER text)
    Q_PROPERTY(TColor Colour MEMBER colour)
    Q_PROPERTY(TColor Shade MEMBER shade)
    Q_PROPERTY(Gdi::TFontStyles Styles MEMBER styles)
    Q_PROPERTY(Gdi::TPenStyle PenStyle MEMBER penStyle)
    Q_PROPERTY(qint32 Number MEMBER number)
    Q_PROPERTY(double Ratio MEMBER ratio)
    Q_PROPERTY(bool Flag MEMBER flag)
    Q_PROPERTY(TGPen* Pen READ pen)
    Q_PROPERTY(TGBrush* Brush READ brush)
    Q_PROPERTY(TGStringList* Items READ items)
    Q_PROPERTY(TTestBlob* Blob READ blob)
    Q_PROPERTY(TGGraphicControl* Buddy MEMBER buddy)
    Q_PROPERTY(qint32 Hidden MEMBER hidden STORED false)
    Q_CLASSINFO("default.Shade", "clNone")
    Q_CLASSINFO("default.Styles", "[]")
    Q_CLASSINFO("default.PenStyle", "psSolid")
    Q_CLASSINFO("default.Number", "0")
    Q_CLASSINFO("default.Ratio", "0")
    Q_CLASSINFO("default.Flag", "False")

  public:
    using TGGraphicControl::TGGraphicControl;
    QString text;
    TColor colour;
    TColor shade = TColor::clNone;
    Gdi::TFontStyles styles;
    Gdi::TPenStyle penStyle = Gdi::psSolid;
    qint32 number = 0;
    double ratio = 0;
    bool flag = false;
    TGGraphicControl* buddy = nullptr;
    qint32 hidden = 0;
    TGPen* pen() { return &pen_; }
    TGBrush* brush() { return &brush_; }
    TGStringList* items() { return &items_; }
    TTestBlob* blob() { return &blob_; }

  private:
    TGPen pen_;
    TGBrush brush_;
    TGStringList items_;
    TTestBlob blob_;
};

namespace {
// A card surface with the shape kinds and the test kind registered.
struct CardFixture : SurfaceFixture {
    CardFixture() {
        ShapeKinds::registerAll(*surface);
        surface->classes().add<TTestKinds>();
    }
    QString file(const QString& name) const { return home.filePath(name); }
    TGLabelObjectFiler filer() { return TGLabelObjectFiler(surface->classes()); }
    // Reads the bytes; returns the failure message, empty when the read succeeded.
    QString read(const QByteArray& bytes) {
        try {
            TGLabelObjectFiler(surface->classes()).readObjects(bytes, surface->owner(), *surface);
        } catch (const TGFilerError& e) {
            return e.message();
        }
        return {};
    }
    template <class T> T* add(QRect r) {
        return surface->place<T>(QRect(r.topLeft(), r.topLeft() + QPoint(r.width(), r.height())));
    }
};

// The bytes of one property value as the writer encodes it.
QByteArray encoded(const QObject& o, const QByteArray& property) {
    std::vector<TGPropertyCodec::Entry> entries;
    TGPropertyCodec().collect(o, TGPropertyCodec::Selection::Stored, entries);
    for (const auto& [name, value] : entries)
        if (name == property) {
            TGStreamWriter w;
            w.writeValue(value);
            return w.bytes();
        }
    return "absent";
}

QByteArray shortString(const QByteArray& s) {
    return char(s.size()) + s;
}

// One object record with the given property bytes (names and values).
QByteArray record(const QByteArray& cls, const QByteArray& name, const QByteArray& props = {}) {
    return "TPF0" + shortString(cls) + shortString(name) + props + QByteArray(2, '\0');
}

QByteArray card(const QByteArray& records) {
    return '\x01' + records + '\0';
}

// Every published property of an object by dotted name, as listed for a card file.
std::map<QByteArray, QByteArray> published(const QObject& o) {
    std::vector<TGPropertyCodec::Entry> entries;
    TGPropertyCodec().collect(o, TGPropertyCodec::Selection::Published, entries);
    std::map<QByteArray, QByteArray> m;
    for (const auto& [name, value] : entries) {
        TGStreamWriter w;
        w.writeValue(value);
        m[name] = w.bytes();
    }
    return m;
}
} // namespace

class tst_CardFile : public QObject {
    Q_OBJECT
  private slots:
    void rectangleExample();
    void emptyCard();
    void renamesOnReading();
    void renamingSkipsTakenNames();
    void encodings_data();
    void encodings();
    void defaultsLeftOut();
    void readingValues_data();
    void readingValues();
    void extendedFloat_data();
    void extendedFloat();
    void extendedFloatRoundTrip();
    void everyPrefixRefused();
    void refusedAsAWhole_data();
    void refusedAsAWhole();
    void lengthsCheckedBeforeUse_data();
    void lengthsCheckedBeforeUse();
    void existingObjectFlag();
    void referencesResolvedAfterRead();
    void roundTripEveryKind();
    void zoomedSaveWritesUnzoomedBounds();
    void pasteOffset();
    void saveToMissingFolder();
    void failedWriteKeepsOldFile();
};

void tst_CardFile::rectangleExample() {
    CardFixture f;
    f.surface->setPanelState(TGBusinessCardPanel32::psRectangle);
    f.surface->mouseDown(Qt::LeftButton, Qt::NoModifier, 30, 40);
    f.surface->mouseUp(Qt::LeftButton, Qt::NoModifier, 30, 40);
    QCOMPARE(f.surface->objects().size(), size_t(1));
    const QString name = f.file("card.ORL");
    f.surface->saveCard(name);
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected = QByteArray::fromHex(
        "01 54504630 09 544243536861706573 08 5370656369616c31"
        "04 4c656674 021e 03 546f70 0228 05 5769647468 0232 06 486569676874 020f"
        "06 4c6f636b6564 08 0c 556e73656c65637461626c65 08 0b 5472616e73706172656e74 08"
        "00 00 00");
    QCOMPARE(expected.size(), 92);
    QCOMPARE(file.readAll().toHex(' '), expected.toHex(' '));

    f.surface->clearObjects();
    f.surface->loadCard(name);
    QCOMPARE(f.surface->objects().size(), size_t(1));
    TGGraphicControl* o = f.surface->objects().front();
    QCOMPARE(o->metaObject()->className(), "TBCShapes");
    QCOMPARE(o->objectName(), QStringLiteral("Component0"));
    QCOMPARE(o->bounds(), QRect(30, 40, 50, 15));
    QVERIFY(!o->isLoading());
    QVERIFY(o->objectMenu()); // the after-load step built its popup
}

void tst_CardFile::emptyCard() {
    CardFixture f;
    const QString name = f.file("empty.ORL");
    f.surface->saveCard(name);
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray::fromHex("0100"));
    QCOMPARE(f.read(QByteArray::fromHex("0100")), QString());
    QVERIFY(f.surface->objects().empty());
}

void tst_CardFile::renamesOnReading() {
    CardFixture f;
    const QByteArray bytes =
        card(record("TBCShapes", "Special1") + record("TGLineShape", "Component7"));
    QCOMPARE(f.read(bytes), QString());
    QCOMPARE(f.surface->objects().size(), size_t(2));
    QCOMPARE(f.surface->objects()[0]->objectName(), QStringLiteral("Component0"));
    QCOMPARE(f.surface->objects()[1]->objectName(), QStringLiteral("Component1"));
    // Names taken by earlier reads are skipped.
    QCOMPARE(f.read(bytes), QString());
    QCOMPARE(f.surface->objects()[2]->objectName(), QStringLiteral("Component2"));
    QCOMPARE(f.surface->objects()[3]->objectName(), QStringLiteral("Component3"));
}

void tst_CardFile::renamingSkipsTakenNames() {
    CardFixture f;
    // Component0 and Component2 belong to other components of the owner.
    auto* a = f.add<TBCShapes>(QRect(0, 0, 50, 15));
    a->setObjectName("Component0");
    QObject other(f.surface->owner());
    other.setObjectName("Component2");
    QCOMPARE(f.read(card(record("TBCShapes", "x") + record("TBCShapes", "y") +
                         record("TBCShapes", "z"))),
             QString());
    QCOMPARE(f.surface->objects()[1]->objectName(), QStringLiteral("Component1"));
    QCOMPARE(f.surface->objects()[2]->objectName(), QStringLiteral("Component3"));
    QCOMPARE(f.surface->objects()[3]->objectName(), QStringLiteral("Component4"));
}

void tst_CardFile::encodings_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<std::function<void(TTestKinds&)>>("set");
    QTest::addColumn<QByteArray>("bytes");
    using Set = std::function<void(TTestKinds&)>;
    QTest::newRow("string 255") << QByteArray("Text")
                                << Set([](TTestKinds& o) { o.text = QString(255, 'a'); })
                                << QByteArray("\x06\xff") + QByteArray(255, 'a');
    QTest::newRow("string 256") << QByteArray("Text")
                                << Set([](TTestKinds& o) { o.text = QString(256, 'a'); })
                                << QByteArray::fromHex("0c00010000") + QByteArray(256, 'a');
    // Text is code page 1252 whatever its bytes look like; only text 1252 cannot hold is UTF-8.
    QTest::newRow("code page 1252")
        << QByteArray("Text")
        << Set([](TTestKinds& o) { o.text = QStringLiteral("Caf\u00e9 \u20ac5"); })
        << QByteArray("\x06\x07"
                      "Caf\xe9 \x80"
                      "5");
    QTest::newRow("1252 that looks like UTF-8")
        << QByteArray("Text")
        << Set([](TTestKinds& o) { o.text = QStringLiteral("Gro\u00df\u201c"); })
        << QByteArray("\x06\x05"
                      "Gro\xdf\x93");
    QTest::newRow("outside 1252 as UTF-8") << QByteArray("Text") << Set([](TTestKinds& o) {
        o.text = QStringLiteral("\u0141\u00f3d\u017a");
    }) << QByteArray::fromHex("1407000000") + QStringLiteral("\u0141\u00f3d\u017a").toUtf8();
    QTest::newRow("list line outside 1252")
        << QByteArray("Items.Strings") << Set([](TTestKinds& o) {
               o.items()->setLines({QStringLiteral("\u03a9"), QStringLiteral("\u00e9")});
           })
        << QByteArray::fromHex("01 1402000000 cea9 0601 e9 00");
    QTest::newRow("clLime") << QByteArray("Colour")
                            << Set([](TTestKinds& o) { o.colour = 0x00FF00; })
                            << QByteArray("\x07\x06") + "clLime";
    QTest::newRow("0x00FF01") << QByteArray("Colour")
                              << Set([](TTestKinds& o) { o.colour = 0x00FF01; })
                              << QByteArray::fromHex("0401ff0000");
    QTest::newRow("dark red 100") << QByteArray("Colour")
                                  << Set([](TTestKinds& o) { o.colour = 100; })
                                  << QByteArray::fromHex("0264");
    QTest::newRow("system colour")
        << QByteArray("Colour") << Set([](TTestKinds& o) { o.colour = qint32(0x8000000F); })
        << QByteArray("\x07\x09") + "clBtnFace";
    QTest::newRow("clNone") << QByteArray("Colour")
                            << Set([](TTestKinds& o) { o.colour = TColor::clNone; })
                            << QByteArray("\x07\x06") + "clNone";
    QTest::newRow("16-bit") << QByteArray("Number") << Set([](TTestKinds& o) { o.number = -129; })
                            << QByteArray::fromHex("037fff");
    QTest::newRow("8-bit edge") << QByteArray("Number")
                                << Set([](TTestKinds& o) { o.number = -128; })
                                << QByteArray::fromHex("0280");
    QTest::newRow("32-bit") << QByteArray("Number") << Set([](TTestKinds& o) { o.number = 32768; })
                            << QByteArray::fromHex("0400800000");
    QTest::newRow("set ascending") << QByteArray("Styles") << Set([](TTestKinds& o) {
        o.styles = Gdi::fsStrikeOut | Gdi::fsBold;
    }) << QByteArray("\x0b\x06") + "fsBold" + "\x0b" + "fsStrikeOut" + '\0';
    QTest::newRow("enumeration") << QByteArray("PenStyle")
                                 << Set([](TTestKinds& o) { o.penStyle = Gdi::psDot; })
                                 << QByteArray("\x07\x05") + "psDot";
    QTest::newRow("True") << QByteArray("Flag") << Set([](TTestKinds& o) { o.flag = true; })
                          << QByteArray("\x09");
    QTest::newRow("pen width") << QByteArray("Pen.Width")
                               << Set([](TTestKinds& o) { o.pen()->setWidth(3); })
                               << QByteArray::fromHex("0203");
    QTest::newRow("pen colour") << QByteArray("Pen.Color")
                                << Set([](TTestKinds& o) { o.pen()->setColor(TColor::clRed); })
                                << QByteArray("\x07\x05") + "clRed";
    QTest::newRow("brush style") << QByteArray("Brush.Style")
                                 << Set([](TTestKinds& o) { o.brush()->setStyle(Gdi::bsCross); })
                                 << QByteArray("\x07\x07") + "bsCross";
    QTest::newRow("strings") << QByteArray("Items.Strings") << Set([](TTestKinds& o) {
        o.items()->setLines({"a", ""});
    }) << QByteArray::fromHex("01 0601 61 0600 00");
    QTest::newRow("data block") << QByteArray("Blob.Data")
                                << Set([](TTestKinds& o) { o.blob()->data = "xyz"; })
                                << QByteArray::fromHex("0a03000000") + "xyz";
    QTest::newRow("float") << QByteArray("Ratio") << Set([](TTestKinds& o) { o.ratio = 1.0; })
                           << QByteArray::fromHex("05 0000000000000080ff3f");
}

void tst_CardFile::encodings() {
    QFETCH(QByteArray, property);
    QFETCH(std::function<void(TTestKinds&)>, set);
    QFETCH(QByteArray, bytes);
    TTestKinds o;
    set(o);
    QCOMPARE(encoded(o, property).toHex(' '), bytes.toHex(' '));

    // And it reads back to the same value.
    CardFixture f;
    o.setObjectName("x");
    const QByteArray file = TGLabelObjectFiler(f.surface->classes()).writeObjects({&o});
    QCOMPARE(f.read(file), QString());
    QCOMPARE(encoded(*f.surface->objects().back(), property).toHex(' '), bytes.toHex(' '));
}

void tst_CardFile::defaultsLeftOut() {
    TTestKinds o;
    std::vector<TGPropertyCodec::Entry> entries;
    TGPropertyCodec().collect(o, TGPropertyCodec::Selection::Stored, entries);
    QByteArrayList names;
    for (const auto& e : entries)
        names << e.first;
    // Only what has no declared default is written; empty strings, the untouched pen and
    // brush, the empty list and block, a null reference and a STORED false one are not.
    QCOMPARE(names, (QByteArrayList{"Left", "Top", "Width", "Height", "Locked", "Unselectable",
                                    "Colour"}));
}

void tst_CardFile::readingValues_data() {
    QTest::addColumn<QByteArray>("properties");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QByteArray>("check");
    QTest::addColumn<QByteArray>("expected");
    auto p = [](const QByteArray& name, const QByteArray& value) {
        return shortString(name) + value;
    };
    QTest::newRow("colour by name") << p("Colour", "\x07\x05"
                                                   "clRed")
                                    << QString() << QByteArray("Colour")
                                    << QByteArray("\x07\x05"
                                                  "clRed");
    QTest::newRow("colour name any case") << p("Colour", "\x07\x05"
                                                         "CLRED")
                                          << QString() << QByteArray("Colour")
                                          << QByteArray("\x07\x05"
                                                        "clRed");
    QTest::newRow("colour unknown name")
        << p("Colour", "\x07\x05"
                       "clFoo")
        << "Invalid property value" << QByteArray() << QByteArray();
    QTest::newRow("cursor by name") << p("Cursor", "\x07\x0b"
                                                   "crHandPoint")
                                    << QString() << QByteArray("Cursor")
                                    << QByteArray("\x07\x0b"
                                                  "crHandPoint");
    QTest::newRow("integer from ident") << p("Left", "\x07\x02"
                                                     "ab")
                                        << "Invalid property value" << QByteArray() << QByteArray();
    QTest::newRow("integer from 16-bit") << p("Number", QByteArray::fromHex("03ff7f")) << QString()
                                         << QByteArray("Number") << QByteArray::fromHex("03ff7f");
    QTest::newRow("enum unknown") << p("PenStyle", "\x07\x04"
                                                   "psNo")
                                  << "Invalid property value" << QByteArray() << QByteArray();
    QTest::newRow("enum from integer")
        << p("PenStyle", "\x02\x01") << "Invalid property value" << QByteArray() << QByteArray();
    QTest::newRow("set ignores strangers") << p("Styles", QByteArray("\x0b\x06"
                                                                     "fsBold\x04"
                                                                     "fsNo\x08"
                                                                     "fsItalic") +
                                                              '\0')
                                           << QString() << QByteArray("Styles")
                                           << QByteArray("\x0b\x06"
                                                         "fsBold\x08"
                                                         "fsItalic") +
                                                  '\0';
    QTest::newRow("bool from ident") << p("Flag", "\x07\x04"
                                                  "True")
                                     << "Invalid property value" << QByteArray() << QByteArray();
    QTest::newRow("long string") << p("Text", QByteArray::fromHex("0c02000000") + "hi") << QString()
                                 << QByteArray("Text")
                                 << QByteArray("\x06\x02"
                                               "hi");
    // Stored text is code page 1252, byte for byte; the UTF-8 and UTF-16 string tags are
    // read wherever a string may stand and written again as 1252 when 1252 holds the text.
    QTest::newRow("1252 bytes") << p("Text", QByteArray::fromHex("0606 434146c99253")) << QString()
                                << QByteArray("Text") << QByteArray::fromHex("0606 434146c99253");
    QTest::newRow("1252 that looks like UTF-8")
        << p("Text", QByteArray::fromHex("0602 c3a9")) << QString() << QByteArray("Text")
        << QByteArray::fromHex("0602 c3a9");
    QTest::newRow("UTF-8 tag") << p("Text", QByteArray::fromHex("1402000000 c581")) << QString()
                               << QByteArray("Text") << QByteArray::fromHex("1402000000 c581");
    QTest::newRow("UTF-8 tag of 1252 text")
        << p("Text", QByteArray::fromHex("1402000000 c3a9")) << QString() << QByteArray("Text")
        << QByteArray::fromHex("0601 e9");
    QTest::newRow("wide string") << p("Text", QByteArray::fromHex("1202000000 4101 e900"))
                                 << QString() << QByteArray("Text")
                                 << QByteArray::fromHex("1404000000 c581c3a9");
    QTest::newRow("wide string in a list")
        << p("Items.Strings", QByteArray::fromHex("01 1201000000 ac20 00")) << QString()
        << QByteArray("Items.Strings") << QByteArray::fromHex("01 0601 80 00");
    QTest::newRow("UTF-8 tag for an integer")
        << p("Left", QByteArray::fromHex("1401000000 31")) << "Invalid property value"
        << QByteArray() << QByteArray();
    QTest::newRow("string from data") << p("Text", QByteArray::fromHex("0a02000000") + "hi")
                                      << "Invalid property value" << QByteArray() << QByteArray();
    QTest::newRow("float from integer")
        << p("Ratio", "\x02\x02") << QString() << QByteArray("Ratio")
        << QByteArray::fromHex("05 0000000000000080 0040");
    QTest::newRow("nil reference")
        << p("Buddy", "\x0d") << QString() << QByteArray() << QByteArray();
    QTest::newRow("nil for an integer")
        << p("Left", "\x0d") << "Invalid property value" << QByteArray() << QByteArray();
    QTest::newRow("collection for an integer")
        << p("Left", QByteArray::fromHex("0e 01 01 41 0201 00 00")) << "Invalid property value"
        << QByteArray() << QByteArray();
    QTest::newRow("unknown tag") << p("Left", "\x0f") << "Invalid property value" << QByteArray()
                                 << QByteArray();
    QTest::newRow("value for an embedded object")
        << p("Pen", "\x02\x01") << "Invalid property value" << QByteArray() << QByteArray();
    QTest::newRow("no such property")
        << p("Nope", "\x02\x01") << "Property does not exist" << QByteArray() << QByteArray();
    QTest::newRow("QObject's own property")
        << p("objectName", "\x06\x01"
                           "a")
        << "Property does not exist" << QByteArray() << QByteArray();
    QTest::newRow("no such inner property")
        << p("Pen.Nope", "\x02\x01") << "Property does not exist" << QByteArray() << QByteArray();
    QTest::newRow("path through an integer")
        << p("Left.Width", "\x02\x01") << "Invalid property path" << QByteArray() << QByteArray();
    QTest::newRow("path through nothing")
        << p("Nope.Width", "\x02\x01") << "Property does not exist" << QByteArray() << QByteArray();
    QTest::newRow("strings item") << p("Items.Strings", QByteArray::fromHex("01 0601 61 00"))
                                  << QString() << QByteArray("Items.Strings")
                                  << QByteArray::fromHex("01 0601 61 00");
    QTest::newRow("strings item of integers")
        << p("Items.Strings", QByteArray::fromHex("01 0201 00")) << "Invalid property value"
        << QByteArray() << QByteArray();
    QTest::newRow("data item from a list")
        << p("Blob.Data", QByteArray::fromHex("01 00")) << "Invalid property value" << QByteArray()
        << QByteArray();
    QTest::newRow("unknown item") << p("Blob.Bits", QByteArray::fromHex("0a00000000"))
                                  << "Property does not exist" << QByteArray() << QByteArray();
    QTest::newRow("lists nested too deep")
        << p("Items.Strings", QByteArray(40, '\x01') + QByteArray(40, '\0'))
        << "Invalid property value" << QByteArray() << QByteArray();
}

void tst_CardFile::readingValues() {
    QFETCH(QByteArray, properties);
    QFETCH(QString, error);
    QFETCH(QByteArray, check);
    QFETCH(QByteArray, expected);
    CardFixture f;
    QCOMPARE(f.read(card(record("TTestKinds", "x", properties))), error);
    // A failed object is destroyed; a read one holds the value.
    QCOMPARE(f.surface->objects().size(), size_t(error.isEmpty() ? 1 : 0));
    if (!check.isEmpty())
        QCOMPARE(encoded(*f.surface->objects().front(), check).toHex(' '), expected.toHex(' '));
}

void tst_CardFile::extendedFloat_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("value");
    QTest::newRow("1") << QByteArray::fromHex("0000000000000080ff3f") << 1.0;
    QTest::newRow("-2.5") << QByteArray::fromHex("00000000000000a000c0") << -2.5;
    QTest::newRow("0") << QByteArray::fromHex("00000000000000000000") << 0.0;
    QTest::newRow("0.1") << QByteArray::fromHex("cdccccccccccccccfb3f") << 0.1;
    QTest::newRow("pi") << QByteArray::fromHex("35c26821a2da0fc90040") << M_PI;
    QTest::newRow("infinity") << QByteArray::fromHex("0000000000000080ff7f")
                              << std::numeric_limits<double>::infinity();
    QTest::newRow("too large for double")
        << QByteArray::fromHex("0000000000000080fe7f") << std::numeric_limits<double>::infinity();
    QTest::newRow("too small for double") << QByteArray::fromHex("00000000000000800100") << 0.0;
    QTest::newRow("double denormal")
        << QByteArray::fromHex("0000000000000080cd3b") << 4.9406564584124654e-324;
}

void tst_CardFile::extendedFloat() {
    QFETCH(QByteArray, bytes);
    QFETCH(double, value);
    TGExtended::Bytes b;
    std::memcpy(b.data(), bytes.constData(), 10);
    QCOMPARE(TGExtended::toDouble(b), value);
    QVERIFY(std::isnan(TGExtended::toDouble({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F})));
}

void tst_CardFile::extendedFloatRoundTrip() {
    const double values[] = {1e-300, -1e300, 123456.789, 5e-324, std::numeric_limits<double>::max(),
                             -0.0};
    for (double v : values) {
        const double back = TGExtended::toDouble(TGExtended::fromDouble(v));
        QCOMPARE(back, v);
        QCOMPARE(std::signbit(back), std::signbit(v));
    }
    QVERIFY(std::isnan(TGExtended::toDouble(TGExtended::fromDouble(std::nan("")))));
}

void tst_CardFile::everyPrefixRefused() {
    CardFixture f;
    auto* shape = f.add<TBCShapes>(QRect(30, 40, 50, 15));
    shape->pen()->setWidth(3);
    shape->setShape(TGLabelShapes::stRoundRect);
    auto* kinds = f.add<TTestKinds>(QRect(1, 2, 300, 400));
    kinds->text = QString(300, 'q');
    kinds->styles = Gdi::fsItalic;
    kinds->items()->setLines({"one", "two"});
    kinds->blob()->data = "block";
    kinds->ratio = 2.5;
    f.add<TGLineShape>(QRect(5, 5, 100, 15));
    const QByteArray whole = f.filer().writeObjects(f.surface->objects());
    // Where each record ends: the objects before a cut are kept.
    const QList<qsizetype> recordEnds = {whole.indexOf("TPF0", 5), whole.lastIndexOf("TPF0"),
                                         whole.size() - 1};

    for (qsizetype n = 0; n < whole.size(); ++n) {
        CardFixture g;
        const QString error = g.read(whole.left(n));
        QVERIFY2(error == "Stream read error",
                 qPrintable(QString("prefix %1: %2").arg(n).arg(error)));
        const qsizetype kept = std::count_if(recordEnds.begin(), recordEnds.end(),
                                             [n](qsizetype e) { return e <= n; });
        QCOMPARE(g.surface->objects().size(), size_t(kept));
        for (TGGraphicControl* o : g.surface->objects()) {
            QVERIFY(!o->isLoading() && !o->isReading());
            QVERIFY(o->objectMenu());
        }
    }
    CardFixture g;
    QCOMPARE(g.read(whole), QString());
    QCOMPARE(g.surface->objects().size(), size_t(3));
}

void tst_CardFile::refusedAsAWhole_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::newRow("first byte") << QByteArray::fromHex("0200") << "Invalid property value";
    QTest::newRow("empty file") << QByteArray() << "Stream read error";
    QTest::newRow("no signature") << card("TPF1" + record("TBCShapes", "a").mid(4))
                                  << "Invalid stream format";
    QTest::newRow("unregistered class") << card(record("TFoo", "a")) << "Class TFoo not found";
    QTest::newRow("unregistered after a good one")
        << card(record("TBCShapes", "a") + record("TButton", "b")) << "Class TButton not found";
    QTest::newRow("ancestor missing") << card("TPF0\xf1" + record("TBCShapes", "Nobody").mid(4))
                                      << "Ancestor for 'Nobody' not found";
    QTest::newRow("children") << card(record("TBCShapes", "a").chopped(2) + '\0' + '\x01' +
                                      record("TBCShapes", "b"))
                              << "Invalid stream format";
}

void tst_CardFile::refusedAsAWhole() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    CardFixture f;
    QCOMPARE(f.read(bytes), error);
    // Objects completed before the failing record stay; the failing one does not.
    const size_t kept =
        QByteArray(QTest::currentDataTag()) == "unregistered after a good one" ? 1 : 0;
    QCOMPARE(f.surface->objects().size(), kept);
}

void tst_CardFile::lengthsCheckedBeforeUse_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("long string of 2 GB")
        << QByteArray("Text") << QByteArray::fromHex("0cffffff7f") + "abc";
    QTest::newRow("negative long string")
        << QByteArray("Text") << QByteArray::fromHex("0cffffffff") + "abc";
    QTest::newRow("data block of 2 GB")
        << QByteArray("Blob.Data") << QByteArray::fromHex("0affffff7f") + "abc";
    QTest::newRow("short string past the end")
        << QByteArray("Text") << QByteArray::fromHex("06ff") + "abc";
    QTest::newRow("UTF-8 string of 2 GB")
        << QByteArray("Text") << QByteArray::fromHex("14ffffff7f") + "abc";
    QTest::newRow("wide string of 2 G units")
        << QByteArray("Text") << QByteArray::fromHex("12ffffff7f") + "abc";
    QTest::newRow("wide string past the end")
        << QByteArray("Text") << QByteArray::fromHex("1204000000") + "abc";
    QTest::newRow("negative wide string")
        << QByteArray("Text") << QByteArray::fromHex("12ffffffff") + "abc";
}

void tst_CardFile::lengthsCheckedBeforeUse() {
    QFETCH(QByteArray, property);
    QFETCH(QByteArray, value);
    CardFixture f;
    QCOMPARE(f.read(card(record("TTestKinds", "x", shortString(property) + value))),
             QStringLiteral("Stream read error"));
    QVERIFY(f.surface->objects().empty());
}

void tst_CardFile::existingObjectFlag() {
    CardFixture f;
    auto* shape = f.add<TBCShapes>(QRect(10, 10, 50, 15));
    shape->setObjectName("Keep");
    // Flags 0xF3: an existing object, then a child position.
    const QByteArray props = shortString("Left") + "\x02\x07";
    const QByteArray bytes = card("TPF0\xf3\x02\x05" + record("TBCShapes", "Keep", props).mid(4));
    QCOMPARE(f.read(bytes), QString());
    QCOMPARE(f.surface->objects().size(), size_t(1));
    QCOMPARE(shape->left(), 7);
    QCOMPARE(shape->objectName(), QStringLiteral("Keep"));
    QVERIFY(!shape->isLoading());
}

void tst_CardFile::referencesResolvedAfterRead() {
    CardFixture f;
    // The first object names the second, which is read after it under its new name.
    const QByteArray bytes = card(record("TTestKinds", "a",
                                         shortString("Buddy") + "\x07\x0a"
                                                                "Component1") +
                                  record("TBCShapes", "b"));
    QCOMPARE(f.read(bytes), QString());
    auto* kinds = qobject_cast<TTestKinds*>(f.surface->objects()[0]);
    QCOMPARE(kinds->buddy, f.surface->objects()[1]);
}

void tst_CardFile::roundTripEveryKind() {
    CardFixture f;
    auto* shape = f.add<TGLabelShapes>(QRect(3, 4, 120, 60));
    shape->setShape(TGLabelShapes::stRoundSquare);
    shape->setRoundPerc(40);
    shape->setTransparent(true);
    shape->brush()->setColor(0x123456);
    shape->pen()->setColor(0xFF0000);
    shape->pen()->setMode(Gdi::pmXor);
    shape->pen()->setStyle(Gdi::psDashDot);
    shape->pen()->setWidth(7);
    shape->setLocked(true);
    shape->setTag(-70000);
    shape->setHint(QStringLiteral("a hint"));
    auto* bc = f.add<TBCShapes>(QRect(-5, -6, 10, 20));
    bc->setShape(TGLabelShapes::stCircle);
    bc->setUnselectable(true);
    auto* line = f.add<TGLineShape>(QRect(200, 100, 80, 15));
    line->setLineStyle(TGLineShape::stAngleSlopingDown);
    line->pen()->setWidth(0);
    line->pen()->setColor(qint32(0x80000008));
    auto* kinds = f.add<TTestKinds>(QRect(0, 0, 1, 1));
    kinds->text = QStringLiteral("T\u00e9xt");
    kinds->styles = Gdi::fsBold | Gdi::fsUnderline;
    kinds->ratio = -0.125;
    kinds->items()->setLines({"x", "y y"});
    kinds->blob()->data = QByteArray(1000, '\x5a');

    const QString name = f.file("all.ORL");
    f.surface->saveCard(name);
    CardFixture g;
    g.surface->loadCard(name);
    QCOMPARE(g.surface->objects().size(), f.surface->objects().size());
    for (size_t i = 0; i < f.surface->objects().size(); ++i) {
        const TGGraphicControl* a = f.surface->objects()[i];
        const TGGraphicControl* b = g.surface->objects()[i];
        QCOMPARE(b->metaObject()->className(), a->metaObject()->className());
        const auto pa = published(*a), pb = published(*b);
        for (const auto& [prop, value] : pa) {
            QVERIFY2(pb.count(prop), prop.constData());
            QVERIFY2(pb.at(prop) == value, prop.constData());
        }
        QCOMPARE(pb.size(), pa.size());
    }
    // Transparent is read before Brush: the brush style in the file is what holds.
    auto* back = qobject_cast<TGLabelShapes*>(g.surface->objects()[0]);
    QVERIFY(back->transparent());
    QCOMPARE(back->brush()->style(), Gdi::bsClear);
}

void tst_CardFile::zoomedSaveWritesUnzoomedBounds() {
    CardFixture f;
    f.add<TBCShapes>(QRect(10, 10, 50, 15));
    f.add<TGLineShape>(QRect(33, 21, 101, 17));
    const QString at1 = f.file("one.ORL"), at15 = f.file("onefive.ORL");
    f.surface->saveCard(at1);
    f.surface->setZoom(1.5f);
    f.surface->saveCard(at15);
    QCOMPARE(f.surface->zoomFactor(), 1.5f);
    QCOMPARE(f.surface->objects()[0]->bounds(), QRect(10, 10, 50, 15));
    QFile a(at1), b(at15);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());
    // Loading at zoom 1.5 keeps the stored bounds; only the view shows them zoomed.
    f.surface->clearObjects();
    f.surface->loadCard(at1);
    QCOMPARE(f.surface->objects()[0]->bounds(), QRect(10, 10, 50, 15));
}

void tst_CardFile::pasteOffset() {
    CardFixture f;
    const QString name = f.file("clip.tmp");
    TGLabelObjectFiler::writeFile(
        name, card(record("TBCShapes", "a",
                          shortString("Left") + "\x02\x1e" + shortString("Top") + "\x02\x28")));
    TGLabelObjectFiler filer(f.surface->classes());
    filer.loadWithOffset(f.surface->owner(), *f.surface, name);
    QCOMPARE(f.surface->objects().front()->bounds().topLeft(), QPoint(45, 55));
}

void tst_CardFile::saveToMissingFolder() {
    CardFixture f;
    f.add<TBCShapes>(QRect(10, 10, 50, 15));
    const QString name = f.file("no/such/folder/card.ORL");
    try {
        f.surface->saveCard(name);
        QFAIL("saved");
    } catch (const TGFilerError& e) {
        QCOMPARE(e.message(),
                 QStringLiteral("Cannot create file %1: No such file or directory").arg(name));
    }
}

void tst_CardFile::failedWriteKeepsOldFile() {
    CardFixture f;
    const QString name = f.file("card.ORL");
    f.add<TBCShapes>(QRect(10, 10, 50, 15));
    f.surface->saveCard(name);
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray old = file.readAll();
    file.close();
    for (int i = 0; i < 50; ++i)
        f.add<TBCShapes>(QRect(i, i, 50, 15));

    // A disk that fills up part-way: writes past 200 bytes fail.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 200;
    setrlimit(RLIMIT_FSIZE, &small);
    QString error;
    try {
        f.surface->saveCard(name);
    } catch (const TGFilerError& e) {
        error = e.message();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    QVERIFY2(error.startsWith(QStringLiteral("Cannot write file ") + name), qPrintable(error));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
    // No temporary file is left beside it.
    QCOMPARE(QDir(f.home.path()).entryList(QDir::Files), QStringList{"card.ORL"});
    QCOMPARE(f.surface->zoomFactor(), 1.0f);
}

QTEST_MAIN(tst_CardFile)
#include "tst_CardFile.moc"
