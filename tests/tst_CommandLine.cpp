// The card-file commands of the command line: dump and resave; and the program as a shell
// runs it: options, no display, files that are not card files, hostile bytes, write errors.
#include "support/CardBytes.h"
#include "support/OrlantoProcess.h"
#include "support/SurfaceFixture.h"

#include "app/CommandLine.h"
#include "document/TGStreamWriter.h"
#include "objects/shapes/ShapeKinds.h"
#include "objects/shapes/TBCShapes.h"
#include "objects/shapes/TGLineShape.h"
#include "objects/text/TGPRichBaseLabel.h"
#include "objects/text/TextKinds.h"
#include "platform/system/FileName.h"
#include "support/CardBytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TGValue)

namespace {
struct Run {
    int code = 0;
    QString out, err;
};

using Env = OrlantoProcess::Env;

// The orlanto program itself, given the arguments by their bytes, with the given
// environment changes and, when given, a limit on its address space.
Run orlanto(const QStringList& args, const Env& env = {}, rlim_t addressSpace = 0) {
    std::function<void()> limit;
    if (addressSpace)
        limit = [addressSpace] {
            const rlimit l{addressSpace, addressSpace};
            setrlimit(RLIMIT_AS, &l);
        };
    const OrlantoProcess::Result r = OrlantoProcess::run(args, env, limit);
    return {r.code, r.out, r.err};
}

// No display of any kind.
const Env noDisplay{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}};
// A display that names an X server nobody runs.
const Env deadDisplay{{"DISPLAY", ":57"}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}};

Run run(const QStringList& args) {
    Run r;
    QTextStream out(&r.out), err(&r.err);
    r.code = CommandLine().run(args, out, err);
    return r;
}

// Writes bytes as the named file in the folder and returns its path (empty on failure).
QString fileWith(const QTemporaryDir& home, const QString& name, const QByteArray& bytes) {
    const QString path = home.filePath(name);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

// A card with a rectangle (brush 0x123456, pen clRed) and a line, saved in the fixture's home.
QString writeCard(SurfaceFixture& f) {
    ShapeKinds::registerAll(*f.surface);
    auto* s = f.surface->place<TBCShapes>(QRect(QPoint(30, 40), QPoint(80, 55)));
    s->brush()->setColor(0x123456);
    s->pen()->setColor(TColor::clRed);
    s->pen()->setStyle(Gdi::psDot);
    auto* l = f.surface->place<TGLineShape>(QRect(QPoint(5, 6), QPoint(105, 26)));
    const QString name = f.home.filePath("card.ORL");
    f.surface->saveCard(name);
    return name;
}
} // namespace

class tst_CommandLine : public QObject {
    Q_OBJECT
  private slots:
    void dump();
    void dumpRichText();
    void resave();
    void resaveTargets_data();
    void resaveTargets();
    void cardText_data();
    void cardText();
    void unreadableCard_data();
    void unreadableCard();
    void usage_data();
    void usage();
    void program_data();
    void program();
    void notCardFiles_data();
    void notCardFiles();
    void controlCharactersEscaped();
    void memoryRunsOut_data();
    void memoryRunsOut();
    void hugeCaptionPrints();
    void wrongKindRefusedBeforeItsItems();
    void hugeEffectObjectsPrint_data();
    void hugeEffectObjectsPrint();
    void backgroundArtIsBounded_data();
    void backgroundArtIsBounded();
    void fullDisk();
    void namesNotUtf8_data();
    void namesNotUtf8();
};

void tst_CommandLine::dump() {
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

void tst_CommandLine::dumpRichText() {
    // The command line reads rich text labels through its own rich text engine.
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    auto* label = f.surface->place<TGPRichBaseLabel>(QRect(QPoint(10, 10), QPoint(110, 40)));
    const QByteArray rtf = "{\\rtf1 Rich}";
    label->setRtf(rtf);
    const QString card = f.home.filePath("rich.ORL");
    f.surface->saveCard(card);
    const Run r = run({"dump", card, "--home", f.home.path()});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.err, QString());
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(o.value("class").toString(), QStringLiteral("TGPRichBaseLabel"));
    QCOMPARE(o.value("RTFText.Data").toInt(), rtf.size() + 4);
    QCOMPARE(o.value("BorderStyle").toString(), QStringLiteral("bsSingle"));
    QCOMPARE(o.value("Transparent"), QJsonValue(true));
}

void tst_CommandLine::resave() {
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
TGValue stringValue(TGValue::Tag tag, const QByteArray& payload) {
    TGValue v;
    v.tag = tag;
    v.bytes = payload;
    return v;
}
} // namespace

void tst_CommandLine::resaveTargets_data() {
    QTest::addColumn<QString>("name");    // the name given, in the home folder
    QTest::addColumn<QString>("link");    // where it links to, when it is a link
    QTest::addColumn<QString>("written"); // the file that holds the card then, empty for none
    QTest::addColumn<QString>("error");   // the message, %1 the full name
    QTest::newRow("a name too long for the system") << QString(300, 'n') + ".ORL"
                                                    << ""
                                                    << ""
                                                    << "Cannot create file %1: File name too long";
    QTest::newRow("no name") << ""
                             << ""
                             << ""
                             << "Cannot create a file without a name";
    QTest::newRow("a link whose file does not exist yet") << "link.ORL"
                                                          << "target.ORL"
                                                          << "target.ORL"
                                                          << "";
    QTest::newRow("a link to a link whose file does not exist yet") << "link.ORL"
                                                                    << "link2.ORL"
                                                                    << "target.ORL"
                                                                    << "";
    QTest::newRow("a link into a folder that does not exist")
        << "link.ORL"
        << "gone/target.ORL"
        << ""
        << "Cannot create file %1: No such file or directory";
}

void tst_CommandLine::resaveTargets() {
    QFETCH(QString, name);
    QFETCH(QString, link);
    QFETCH(QString, written);
    QFETCH(QString, error);
    SurfaceFixture f;
    const QString card = writeCard(f);
    QDir home(f.home.path());
    // Whatever an empty name would create lands in the current folder.
    const QString before = QDir::currentPath();
    QDir::setCurrent(home.path());
    const auto restore = qScopeGuard([&before] { QDir::setCurrent(before); });
    const QString out = name.isEmpty() ? QString() : home.filePath(name);
    if (!link.isEmpty()) QCOMPARE(::symlink(QFile::encodeName(link), QFile::encodeName(out)), 0);
    if (link == "link2.ORL")
        QCOMPARE(::symlink("target.ORL", QFile::encodeName(home.filePath(link))), 0);
    const Run r = run({"resave", card, out});
    QCOMPARE(r.err, error.isEmpty() ? QString() : error.arg(out) + '\n');
    QCOMPARE(r.code, error.isEmpty() ? 0 : 1);
    // Links stay links; nothing but the card and the file it was written to is there.
    if (!link.isEmpty()) QVERIFY(QFileInfo(out).isSymLink());
    QStringList files = home.entryList(QDir::Files | QDir::Hidden | QDir::System);
    files.removeOne("card.ORL");
    files.removeOne(name);
    files.removeOne(link);
    QCOMPARE(files, written.isEmpty() || written == link ? QStringList() : QStringList{written});
    if (!written.isEmpty())
        QCOMPARE(run({"dump", home.filePath(written)}).out, run({"dump", card}).out);
}

void tst_CommandLine::cardText_data() {
    QTest::addColumn<TGValue>("stored");  // the label's Caption as the file holds it
    QTest::addColumn<QString>("text");    // as dump lists it
    QTest::addColumn<TGValue>("resaved"); // the Caption resave writes
    const TGValue cafe = stringValue(TGValue::String, QByteArray::fromHex("434146c99253"));
    QTest::newRow("code page 1252") << cafe << QStringLiteral("CAF\u00c9\u2019S") << cafe;
    // Bytes that happen to be valid UTF-8 are still code page 1252.
    const TGValue looksUtf8 = stringValue(TGValue::String, QByteArray::fromHex("c3a9"));
    QTest::newRow("1252 that looks like UTF-8")
        << looksUtf8 << QStringLiteral("\u00c3\u00a9") << looksUtf8;
    const TGValue utf8 =
        stringValue(TGValue::Utf8String, QStringLiteral("\u0141\u00f3d\u017a").toUtf8());
    QTest::newRow("UTF-8 string tag") << utf8 << QStringLiteral("\u0141\u00f3d\u017a") << utf8;
    QTest::newRow("wide string tag")
        << stringValue(TGValue::WString, QByteArray::fromHex("a903 e900"))
        << QStringLiteral("\u03a9\u00e9")
        << stringValue(TGValue::Utf8String, QByteArray::fromHex("cea9 c3a9"));
    QTest::newRow("UTF-8 tag of 1252 text")
        << stringValue(TGValue::Utf8String, QByteArray::fromHex("e282ac"))
        << QStringLiteral("\u20ac") << stringValue(TGValue::String, QByteArray::fromHex("80"));
}

void tst_CommandLine::cardText() {
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
    const QString card = fileWith(home, "text.ORL", label(stored)), out = home.filePath("out.ORL");
    QVERIFY(!card.isEmpty());
    const Run dumped = run({"dump", card, "--home", home.path()});
    QCOMPARE(dumped.code, 0);
    QCOMPARE(QJsonDocument::fromJson(dumped.out.toUtf8()).object().value("Caption").toString(),
             text);
    QCOMPARE(run({"resave", card, out, "--home", home.path()}).code, 0);
    QFile again(out);
    QVERIFY(again.open(QIODevice::ReadOnly));
    TGStreamWriter caption;
    caption.writeShortString("Caption");
    caption.writeValue(resaved);
    const QByteArray written = again.readAll();
    QVERIFY2(written.contains(caption.bytes()), qPrintable(written.toHex(' ')));
}

void tst_CommandLine::unreadableCard_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("truncated") << QByteArray::fromHex("0154504630") << "Stream read error";
    QTest::newRow("not a card") << QByteArray("hello") << "Invalid property value";
    QTest::newRow("foreign class")
        << QByteArray::fromHex("0154504630055442757474000161000000") + QByteArray(1, 0)
        << "Class TButt not found";
}

void tst_CommandLine::unreadableCard() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QTemporaryDir home;
    const QString card = fileWith(home, "bad.ORL", bytes);
    QVERIFY(!card.isEmpty());
    for (const QStringList& args :
         {QStringList{"dump", card}, QStringList{"resave", card, home.filePath("out.ORL")}}) {
        const Run r = run(args);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err.trimmed(), message);
        QCOMPARE(r.out, QString());
    }
    QVERIFY(!QFile::exists(home.filePath("out.ORL")));
}

void tst_CommandLine::usage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::newRow("no file") << QStringList{"dump"} << 2;
    QTest::newRow("one file for resave") << QStringList{"resave", "a.ORL"} << 2;
    QTest::newRow("missing card") << QStringList{"dump", "/nonexistent/a.ORL"} << 1;
}

void tst_CommandLine::usage() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    const Run r = run(args);
    QCOMPARE(r.code, code);
    QVERIFY(!r.err.isEmpty());
}

void tst_CommandLine::program_data() {
    QTest::addColumn<QStringList>("args"); // %CARD% and %HOME% are replaced
    QTest::addColumn<Env>("env");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("help") << QStringList{"--help"} << noDisplay << 0 << "usage: orlanto [CARD.ORL]"
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << noDisplay << 0 << "orlanto 0."
                             << "";
    QTest::newRow("unknown option") << QStringList{"--colour"} << noDisplay << 2 << ""
                                    << "usage: orlanto";
    QTest::newRow("window without display")
        << QStringList{"--home", "%HOME%"} << noDisplay << 1 << ""
        << "the designer needs a display";
    QTest::newRow("window, display unreachable")
        << QStringList{"--home", "%HOME%"} << deadDisplay << 1 << ""
        << "orlanto print";
    QTest::newRow("dump, display unreachable")
        << QStringList{"dump", "%CARD%"} << deadDisplay << 0 << "\"class\":\"TBCShapes\""
        << "";
    QTest::newRow("print, display unreachable")
        << QStringList{"print", "%CARD%", "-o", "%HOME%/out.pdf"} << deadDisplay << 0 << ""
        << "";
    QTest::newRow("print to a full device")
        << QStringList{"print", "%CARD%", "-o", "/dev/full"} << deadDisplay << 1 << ""
        << "No space left on device";
    QTest::newRow("empty position list")
        << QStringList{"print", "%CARD%", "-o", "%HOME%/out.pdf", "--positions", ""} << deadDisplay
        << 2 << ""
        << "at least one card";
}

void tst_CommandLine::program() {
    QFETCH(QStringList, args);
    QFETCH(Env, env);
    QFETCH(int, code);
    QFETCH(QString, out);
    QFETCH(QString, err);
    SurfaceFixture f;
    const QString card = writeCard(f);
    for (QString& a : args)
        a.replace("%CARD%", card).replace("%HOME%", f.home.path());
    const Run r = orlanto(args, env);
    QVERIFY2(r.code == code, qPrintable(QString::number(r.code) + ": " + r.err));
    QVERIFY2(r.out.contains(out), qPrintable(r.out));
    QVERIFY2(r.err.contains(err), qPrintable(r.err));
    // The window that cannot start says so in one line, without the toolkit's own lines.
    if (args.first() == "--home") QCOMPARE(r.err.count('\n'), 1);
}

void tst_CommandLine::notCardFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("folder") << "folder"
                            << "is a folder, not a card file";
    QTest::newRow("FIFO") << "fifo"
                          << "FIFO";
    QTest::newRow("device") << "device"
                            << "device";
}

void tst_CommandLine::notCardFiles() {
    // Each is refused before it is opened: a FIFO with no writer would wait forever, and
    // /dev/zero never ends.
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir home;
    QString name = home.filePath("card.ORL");
    if (kind == "folder") QVERIFY(QDir().mkdir(name));
    if (kind == "fifo") QCOMPARE(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
    if (kind == "device") name = "/dev/zero";
    for (const QStringList& args :
         {QStringList{"dump", name}, QStringList{"resave", name, home.filePath("out.ORL")},
          QStringList{"print", name, "-o", home.filePath("out.pdf")}}) {
        const Run r = orlanto(args, deadDisplay);
        QVERIFY2(r.code == 1,
                 qPrintable(args.first() + ": " + QString::number(r.code) + " " + r.err));
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY2(!r.err.contains("does not exist"), qPrintable(r.err));
    }
    QVERIFY(!QFile::exists(home.filePath("out.ORL")));
    QVERIFY(!QFile::exists(home.filePath("out.pdf")));
}

void tst_CommandLine::controlCharactersEscaped() {
    // A class name that is a terminal escape sequence and a bell.
    QTemporaryDir home;
    const QString card = fileWith(home, "evil.ORL", oneObjectCard("\x1b[2J\x1b]0;pwned\x07X", {}));
    QVERIFY(!card.isEmpty());
    const Run r = orlanto({"dump", card}, deadDisplay);
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("Class \\x1B[2J\\x1B]0;pwned\\x07X not found")),
             qPrintable(r.err));
    QVERIFY(!r.err.contains(QChar(0x1B)));
    QVERIFY(!r.err.contains(QChar(0x07)));
}

void tst_CommandLine::memoryRunsOut_data() {
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QString>("message");
    // Not a card from its first byte: refused without reading the rest.
    QTest::newRow("not a card") << QByteArray("\x7F"
                                              "ELF")
                                << "Invalid property value";
    // A hint of 2 GB that the file does hold: more than the command may have.
    QByteArray huge = oneObjectCard("TBCShapes", {});
    huge.chop(3);
    huge += QByteArray("\x04"
                       "Hint"
                       "\x0C",
                       6) +
            QByteArray("\xF0\xFF\xFF\x7F", 4);
    QTest::newRow("a value larger than memory") << huge << "memory";
}

void tst_CommandLine::memoryRunsOut() {
    // A 3 GB file (sparse, so the disk holds next to nothing) under a 1.5 GB address space.
    QFETCH(QByteArray, head);
    QFETCH(QString, message);
    QTemporaryDir home;
    const QString card = home.filePath("huge.ORL");
    QFile file(card);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(head);
    QVERIFY(file.resize(qint64(3) << 30));
    file.close();
    for (const QStringList& args :
         {QStringList{"dump", card}, QStringList{"resave", card, home.filePath("out.ORL")}}) {
        const Run r = orlanto(args, deadDisplay, rlim_t(3) << 29);
        QVERIFY2(r.code == 1, qPrintable(QString::number(r.code) + " " + r.err));
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }
    QVERIFY(!QFile::exists(home.filePath("out.ORL")));
}

void tst_CommandLine::hugeCaptionPrints() {
    // A 10 MB caption: only the text that shows on the label is laid out and recorded, so
    // printing it fits in 1 GB of address space (it took gigabytes when laid out whole).
    QTemporaryDir home;
    TGValue caption;
    caption.tag = TGValue::LString;
    caption.bytes = QByteArray("Hello ").repeated(10 * 1024 * 1024 / 6);
    TGValue width;
    width.tag = TGValue::Int32;
    width.integer = 200;
    const QString card =
        fileWith(home, "caption.ORL",
                 oneObjectCard("TGBusinessCardLabel", {{"Width", width}, {"Caption", caption}}));
    QVERIFY(!card.isEmpty());
    const QString pdf = home.filePath("out.pdf");
    const Run r =
        orlanto({"print", card, "-o", pdf, "--home", home.path()}, deadDisplay, rlim_t(1) << 30);
    QVERIFY2(r.code == 0, qPrintable(QString::number(r.code) + " " + r.err));
    QVERIFY(QFileInfo(pdf).size() > 0);
}

void tst_CommandLine::wrongKindRefusedBeforeItsItems() {
    // A 20 MB card whose multi-line label lists 20 million False as its lines: refused at
    // the first item, within 1 GB of address space (the whole list was built first).
    QTemporaryDir home;
    QByteArray bytes = oneObjectCard("TGMultiLineLabel", {});
    bytes.chop(3); // end of properties, of children, of the card
    bytes += QByteArray("\x0D"
                        "Items.Strings"
                        "\x01") +
             QByteArray(20'000'000, '\x08') + QByteArray(4, '\0');
    const QString card = fileWith(home, "lines.ORL", bytes);
    QVERIFY(!card.isEmpty());
    const QString pdf = home.filePath("out.pdf");
    for (const QStringList& args : {QStringList{"dump", card},
                                    QStringList{"print", card, "-o", pdf, "--home", home.path()}}) {
        const Run r = orlanto(args, deadDisplay, rlim_t(1) << 30);
        QVERIFY2(r.code == 1,
                 qPrintable(args.first() + ": " + QString::number(r.code) + " " + r.err));
        QVERIFY2(r.err.contains("Invalid property value"), qPrintable(r.err));
    }
}

void tst_CommandLine::hugeEffectObjectsPrint_data() {
    QTest::addColumn<QByteArray>("className");
    QTest::addColumn<QByteArray>("surface");
    QTest::newRow("gradient shape") << QByteArray("TSuperShape") << QByteArray("stGradientFill");
    QTest::newRow("solid shape") << QByteArray("TSuperShape") << QByteArray("stBrushPattern");
    QTest::newRow("gradient text") << QByteArray("TGSuperText") << QByteArray("stGradientFill");
}

void tst_CommandLine::hugeEffectObjectsPrint() {
    // Any stored size is valid: effect objects 2^31 - 1 by 10^9 pixels keep their work
    // bitmaps small, so reading and printing them fits in 1 GB of address space.
    QFETCH(QByteArray, className);
    QFETCH(QByteArray, surface);
    QTemporaryDir home;
    const QString card =
        fileWith(home, "effects.ORL",
                 oneObjectCard(className, {{"Width", TGValue::fromInt(2147483647)},
                                           {"Height", TGValue::fromInt(1000000000)},
                                           {"SurfaceType", TGValue::fromIdent(surface)}}));
    QVERIFY(!card.isEmpty());
    const QString pdf = home.filePath("out.pdf");
    for (const QStringList& args : {QStringList{"dump", card},
                                    QStringList{"print", card, "-o", pdf, "--home", home.path()}}) {
        const Run r = orlanto(args, deadDisplay, rlim_t(1) << 30);
        QVERIFY2(r.code == 0,
                 qPrintable(args.first() + ": " + QString::number(r.code) + " " + r.err));
    }
    QVERIFY(QFileInfo(pdf).size() > 0);
}

void tst_CommandLine::backgroundArtIsBounded_data() {
    QTest::addColumn<QString>("art");     // FIFO, ZERO, or a fixture picture
    QTest::addColumn<QByteArray>("svg");  // when not empty, the art's content
    QTest::addColumn<QString>("message"); // what is said of the art; empty: nothing
    QTest::newRow("a FIFO") << "FIFO" << QByteArray() << "cannot be read (not a regular file)";
    QTest::newRow("a link to /dev/zero")
        << "ZERO" << QByteArray() << "cannot be read (not a regular file)";
    QTest::newRow("dashed lines") << "dashes.svg" << QByteArray() << "";
    QTest::newRow("too many elements")
        << "many.svg"
        << "<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'>" +
               QByteArray("<rect width='1' height='1'/>").repeated(200000) + "</svg>"
        << "is refused (The drawing has more than 100000 elements: too many to import.)";
}

void tst_CommandLine::backgroundArtIsBounded() {
    // Art the card's companion file names that never ends, or whose import would not: the
    // sheet is printed in time and in 1 GB, without the art and saying why when it is refused.
    QFETCH(QString, art);
    QFETCH(QByteArray, svg);
    QFETCH(QString, message);
    SurfaceFixture f;
    const QString card = writeCard(f);
    const QString name = f.home.filePath(art == "FIFO" || art == "ZERO" ? "art.bmp" : art);
    if (art == "FIFO")
        QCOMPARE(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
    else if (art == "ZERO")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), name));
    else if (svg.isEmpty())
        QVERIFY(QFile::copy(QStringLiteral(ORLANTO_FIXTURES "/pictures/") + art, name));
    else
        QCOMPARE(fileWith(f.home, art, svg), name);
    QCOMPARE(fileWith(f.home, "card.ORX", name.toUtf8() + "\r\n"), f.home.filePath("card.ORX"));
    const QString pdf = f.home.filePath("out.pdf");
    const Run r =
        orlanto({"print", card, "-o", pdf, "--home", f.home.path()}, deadDisplay, rlim_t(1) << 30);
    QVERIFY2(r.code == 0, qPrintable(QString::number(r.code) + " " + r.err));
    QVERIFY(QFileInfo(pdf).size() > 0);
    if (message.isEmpty())
        QVERIFY2(!r.err.contains(QStringLiteral("background art")), qPrintable(r.err));
    else
        QVERIFY2(r.err.contains(QStringLiteral("The background art %1 %2").arg(name, message)),
                 qPrintable(r.err));
}

void tst_CommandLine::fullDisk() {
    // A save that runs out of space part-way says so in the system's words and leaves the
    // old file whole. Needs a small tmpfs, which only root may mount.
    if (geteuid() != 0) QSKIP("mounting a small tmpfs needs root");
    SurfaceFixture f;
    ShapeKinds::registerAll(*f.surface);
    for (int i = 0; i < 400; ++i) {
        auto* s = f.surface->place<TBCShapes>(QRect(i % 300, i % 150, 20, 20));
    }
    const QString card = f.home.filePath("many.ORL");
    f.surface->saveCard(card);
    const QString mnt = f.home.filePath("full");
    QVERIFY(QDir().mkdir(mnt));
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=8k", "tmpfs", mnt}) != 0)
        QSKIP("tmpfs could not be mounted");
    const auto unmount = qScopeGuard([&mnt] { QProcess::execute("umount", {mnt}); });
    const QString out = mnt + "/many.ORL";
    QFile old(out);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old card");
    old.close();
    const Run r = orlanto({"resave", card, out}, deadDisplay);
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains("No space left on device"), qPrintable(r.err));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old card"));
    QCOMPARE(QDir(mnt).entryList(QDir::Files), QStringList{"many.ORL"});
}

QTEST_MAIN(tst_CommandLine)
void tst_CommandLine::namesNotUtf8_data() {
    QTest::addColumn<QStringList>(
        "args"); // %IN% and %OUT% are replaced by names holding a Latin-1 byte
    QTest::addColumn<QByteArray>("written"); // the file that must exist then, by its bytes
    QTest::addColumn<QString>("error");      // empty when the command succeeds
    QTest::newRow("dump") << QStringList{"dump", "%IN%"} << QByteArray() << "";
    QTest::newRow("resave") << QStringList{"resave", "%IN%", "%OUT%.ORL"}
                            << QByteArray("d\xe9j\xe0.ORL") << "";
    QTest::newRow("print") << QStringList{"print", "%IN%", "-o", "%HOME%/out.pdf"}
                           << QByteArray("out.pdf") << "";
    // The PDF writer takes only UTF-8 names: refused, rather than written under another name.
    QTest::newRow("print to a Latin-1 name")
        << QStringList{"print", "%IN%", "-o", "%OUT%.pdf"} << QByteArray()
        << QStringLiteral("d\u00e9j\u00e0.pdf: a PDF file name must be valid UTF-8");
}

void tst_CommandLine::namesNotUtf8() {
    // A card copied from an old disk: "caf\xE9.ORL" with its background art "f\xF6nd.bmp"
    // named in the companion file. Each is opened by its own bytes.
    QFETCH(QStringList, args);
    QFETCH(QByteArray, written);
    QFETCH(QString, error);
    SurfaceFixture f;
    const QByteArray home = QFile::encodeName(f.home.path()) + '/';
    // The temporary folder cannot remove what its listing cannot name.
    const auto cleanUp = qScopeGuard([&home] {
        for (const char* name : {"caf\xe9.ORL", "caf\xe9.ORX", "f\xf6nd.bmp", "d\xe9j\xe0.ORL"})
            ::unlink(home + name);
    });
    QVERIFY(::rename(QFile::encodeName(writeCard(f)).constData(), home + "caf\xe9.ORL") == 0);
    QImage art(40, 20, QImage::Format_RGB32);
    art.fill(Qt::blue);
    QVERIFY(art.save(f.home.filePath("art.bmp")));
    QVERIFY(::rename(home + "art.bmp", home + "f\xf6nd.bmp") == 0);
    QFile companion(f.home.filePath("companion"));
    QVERIFY(companion.open(QIODevice::WriteOnly));
    companion.write(home + "f\xf6nd.bmp\r\n");
    companion.close();
    QVERIFY(::rename(QFile::encodeName(companion.fileName()).constData(), home + "caf\xe9.ORX") ==
            0);

    const QString in = platform::FileName::fromBytes(home + "caf\xe9.ORL");
    for (QString& a : args)
        a.replace("%IN%", in)
            .replace("%OUT%", platform::FileName::fromBytes(home + "d\xe9j\xe0"))
            .replace("%HOME%", f.home.path());
    const Run r = orlanto(args, deadDisplay);
    if (!error.isEmpty()) {
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
        QCOMPARE(QDir(f.home.path()).entryList({"d*.pdf"}, QDir::Files), QStringList());
        struct stat st {};
        QVERIFY(::stat(home + "d\xe9j\xe0.pdf", &st) != 0);
        return;
    }
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY2(!r.err.contains("annot"), qPrintable(r.err)); // nor the background art left out
    if (args.first() == "dump")
        QVERIFY2(r.out.contains("\"class\":\"TGLineShape\""), qPrintable(r.out));
    if (written.isEmpty()) return;
    struct stat st {};
    QVERIFY(::stat(home + written, &st) == 0 && st.st_size > 0);
    if (written.endsWith(".ORL")) {
        QCOMPARE(orlanto({"dump", platform::FileName::fromBytes(home + written)}, deadDisplay).out,
                 orlanto({"dump", in}, deadDisplay).out);
    }
}

#include "tst_CommandLine.moc"
