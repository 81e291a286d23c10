// The card-file commands of the command line: dump and resave.
#include "support/SurfaceFixture.h"

#include "app/CommandLine.h"
#include "document/TGStreamWriter.h"
#include "support/CardBytes.h"
#include "objects/shapes/ShapeKinds.h"
#include "objects/shapes/TBCShapes.h"
#include "objects/shapes/TGLineShape.h"
#include "objects/text/TGPRichBaseLabel.h"
#include "objects/text/TextKinds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

Q_DECLARE_METATYPE(TGValue)

namespace {
struct Run {
    int code = 0;
    QString out, err;
};

Run run(const QStringList& args)
{
    Run r;
    QTextStream out(&r.out), err(&r.err);
    r.code = CommandLine().run(args, out, err);
    return r;
}

// A card with a rectangle (brush 0x123456, pen clRed) and a line, saved in the fixture's home.
QString writeCard(SurfaceFixture& f)
{
    ShapeKinds::registerAll(*f.surface);
    auto* s = new TBCShapes(f.surface->owner());
    s->buildPopup();
    f.surface->AddObject(s, QRect(QPoint(30, 40), QPoint(80, 55)));
    s->brush()->setColor(0x123456);
    s->pen()->setColor(TColor::clRed);
    s->pen()->setStyle(Gdi::psDot);
    auto* l = new TGLineShape(f.surface->owner());
    l->buildPopup();
    f.surface->AddObject(l, QRect(QPoint(5, 6), QPoint(105, 26)));
    const QString name = f.home.filePath("card.ORL");
    f.surface->SaveCard(name);
    return name;
}
} // namespace

class tst_CommandLine : public QObject {
    Q_OBJECT
private slots:
    void dump();
    void dumpRichText();
    void resave();
    void cardText_data();
    void cardText();
    void unreadableCard_data();
    void unreadableCard();
    void usage_data();
    void usage();
};

void tst_CommandLine::dump()
{
    SurfaceFixture f;
    const QString card = writeCard(f);
    const Run r = run({"dump", card, "--home", f.home.path()});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.err, QString());
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].startsWith(R"({"class":"TBCShapes","name":"Component0","Tag":0,"Left":30,)"));
    const QJsonObject shape = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    QCOMPARE(shape.value("Width").toInt(), 50);
    QCOMPARE(shape.value("Transparent"), QJsonValue(false));
    QCOMPARE(shape.value("Brush.Color").toInt(), 0x123456);
    QCOMPARE(shape.value("Brush.Style").toString(), QStringLiteral("bsSolid"));
    QCOMPARE(shape.value("Pen.Color").toString(), QStringLiteral("clRed"));
    QCOMPARE(shape.value("Pen.Style").toString(), QStringLiteral("psDot"));
    QCOMPARE(shape.value("Pen.Width").toInt(), 1); // defaults are listed too
    QCOMPARE(shape.value("RoundPerc").toInt(), 25);
    QCOMPARE(shape.value("Shape").toString(), QStringLiteral("stRectangle"));
    QCOMPARE(shape.value("Cursor").toString(), QStringLiteral("crDefault"));
    QCOMPARE(shape.value("Hint").toString(), QString());
    const QJsonObject line = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    QCOMPARE(line.value("class").toString(), QStringLiteral("TGLineShape"));
    QCOMPARE(line.value("name").toString(), QStringLiteral("Component1"));
    QCOMPARE(line.value("LineStyle").toString(), QStringLiteral("stHorizontal"));
    QCOMPARE(line.value("Height").toInt(), 20);
}

void tst_CommandLine::dumpRichText()
{
    // The command line reads rich text labels through its own rich text engine.
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    auto* label = new TGPRichBaseLabel(f.surface->owner());
    label->setSurface(f.surface.get());
    label->buildPopup();
    f.surface->AddObject(label, QRect(QPoint(10, 10), QPoint(110, 40)));
    const QByteArray rtf = "{\\rtf1 Rich}";
    label->setRtf(rtf);
    const QString card = f.home.filePath("rich.ORL");
    f.surface->SaveCard(card);
    const Run r = run({"dump", card, "--home", f.home.path()});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.err, QString());
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(o.value("class").toString(), QStringLiteral("TGPRichBaseLabel"));
    QCOMPARE(o.value("RTFText.Data").toInt(), rtf.size() + 4);
    QCOMPARE(o.value("BorderStyle").toString(), QStringLiteral("bsSingle"));
    QCOMPARE(o.value("Transparent"), QJsonValue(true));
}

void tst_CommandLine::resave()
{
    SurfaceFixture f;
    const QString card = writeCard(f);
    const QString out = f.home.filePath("again.ORL");
    const Run r = run({"--home", f.home.path(), "resave", card, out});
    QCOMPARE(r.code, 0);
    QCOMPARE(run({"dump", out}).out, run({"dump", card}).out);
    // Resaving what was resaved changes nothing, byte for byte.
    const QString third = f.home.filePath("third.ORL");
    QCOMPARE(run({"resave", out, third}).code, 0);
    QFile a(out), b(third);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());
}

namespace {
TGValue stringValue(TGValue::Tag tag, const QByteArray& payload)
{
    TGValue v;
    v.tag = tag;
    v.bytes = payload;
    return v;
}
} // namespace

void tst_CommandLine::cardText_data()
{
    QTest::addColumn<TGValue>("stored");   // the label's Caption as the file holds it
    QTest::addColumn<QString>("text");     // as dump lists it
    QTest::addColumn<TGValue>("resaved");  // the Caption resave writes
    const TGValue cafe = stringValue(TGValue::String, QByteArray::fromHex("434146c99253"));
    QTest::newRow("code page 1252") << cafe << QStringLiteral("CAF\u00c9\u2019S") << cafe;
    // Bytes that happen to be valid UTF-8 are still code page 1252.
    const TGValue looksUtf8 = stringValue(TGValue::String, QByteArray::fromHex("c3a9"));
    QTest::newRow("1252 that looks like UTF-8") << looksUtf8 << QStringLiteral("\u00c3\u00a9") << looksUtf8;
    const TGValue utf8 = stringValue(TGValue::Utf8String, QStringLiteral("\u0141\u00f3d\u017a").toUtf8());
    QTest::newRow("UTF-8 string tag") << utf8 << QStringLiteral("\u0141\u00f3d\u017a") << utf8;
    QTest::newRow("wide string tag") << stringValue(TGValue::WString, QByteArray::fromHex("a903 e900"))
                                     << QStringLiteral("\u03a9\u00e9")
                                     << stringValue(TGValue::Utf8String, QByteArray::fromHex("cea9 c3a9"));
    QTest::newRow("UTF-8 tag of 1252 text") << stringValue(TGValue::Utf8String, QByteArray::fromHex("e282ac"))
                                            << QStringLiteral("\u20ac")
                                            << stringValue(TGValue::String, QByteArray::fromHex("80"));
}

void tst_CommandLine::cardText()
{
    QFETCH(TGValue, stored);
    QFETCH(QString, text);
    QFETCH(TGValue, resaved);
    auto label = [](const TGValue& caption) {
        return oneObjectCard("TGBusinessCardLabel", {{"Left", TGValue::fromInt(10)},
                                                     {"Top", TGValue::fromInt(10)},
                                                     {"Width", TGValue::fromInt(100)},
                                                     {"Height", TGValue::fromInt(20)},
                                                     {"Locked", TGValue::fromBool(false)},
                                                     {"Unselectable", TGValue::fromBool(false)},
                                                     {"Caption", caption}});
    };
    QTemporaryDir home;
    const QString card = home.filePath("text.ORL"), out = home.filePath("out.ORL");
    QFile file(card);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(label(stored));
    file.close();
    const Run dumped = run({"dump", card, "--home", home.path()});
    QCOMPARE(dumped.code, 0);
    QCOMPARE(QJsonDocument::fromJson(dumped.out.toUtf8()).object().value("Caption").toString(), text);
    QCOMPARE(run({"resave", card, out, "--home", home.path()}).code, 0);
    QFile again(out);
    QVERIFY(again.open(QIODevice::ReadOnly));
    TGStreamWriter caption;
    caption.writeShortString("Caption");
    caption.writeValue(resaved);
    const QByteArray written = again.readAll();
    QVERIFY2(written.contains(caption.bytes()), qPrintable(written.toHex(' ')));
}

void tst_CommandLine::unreadableCard_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("truncated") << QByteArray::fromHex("0154504630") << "Stream read error";
    QTest::newRow("not a card") << QByteArray("hello") << "Invalid property value";
    QTest::newRow("foreign class") << QByteArray::fromHex("0154504630055442757474000161000000") + QByteArray(1, 0)
                                   << "Class TButt not found";
}

void tst_CommandLine::unreadableCard()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QTemporaryDir home;
    const QString card = home.filePath("bad.ORL");
    QFile file(card);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    for (const QStringList& args : {QStringList{"dump", card}, QStringList{"resave", card, home.filePath("out.ORL")}}) {
        const Run r = run(args);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err.trimmed(), message);
        QCOMPARE(r.out, QString());
    }
    QVERIFY(!QFile::exists(home.filePath("out.ORL")));
}

void tst_CommandLine::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::newRow("no file") << QStringList{"dump"} << 2;
    QTest::newRow("one file for resave") << QStringList{"resave", "a.ORL"} << 2;
    QTest::newRow("missing card") << QStringList{"dump", "/nonexistent/a.ORL"} << 1;
}

void tst_CommandLine::usage()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    const Run r = run(args);
    QCOMPARE(r.code, code);
    QVERIFY(!r.err.isEmpty());
}

QTEST_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
