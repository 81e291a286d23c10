// The initialisation-file reader and writer against hand-written files: lookup rules, the
// integer rule, section values, in-place updates that leave every other line alone, and
// damaged input.
#include "platform/system/IniFile.h"

#include <QTemporaryDir>
#include <QtTest>

using platform::IniFile;

class tst_IniFile : public QObject {
    Q_OBJECT
  private slots:
    void lookup_data();
    void lookup();
    void integers_data();
    void integers();
    void booleans_data();
    void booleans();
    void sectionValues();
    void updates_data();
    void updates();
    void fromScratch();
    void valueIsOneLine();
    void eraseSection();
    void undecodableBytes();
    void noiseNeverBreaksReading();
    void files();
    void failedSaveKeepsOldFile();
};

static const QByteArray kSample = "; written by hand\n"
                                  "stray=before any section\n"
                                  "[Printer]\n"
                                  "  TopMarginNudge = 3  \n"
                                  "topmarginnudge=4\n"
                                  "[ Default Font ]\r\n"
                                  "Name=Liberation Serif\r\n"
                                  ";Size=99\n"
                                  "Size\n"
                                  "Empty=\n"
                                  "[printer]\n"
                                  "LeftMarginNudge=7\n";

void tst_IniFile::lookup_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("spaces around key and value") << "Printer"
                                                 << "TopMarginNudge"
                                                 << "3";
    QTest::newRow("letter case of section and key") << "PRINTER"
                                                    << "topMARGINnudge"
                                                    << "3";
    QTest::newRow("spaces inside brackets, CRLF") << "default font"
                                                  << "Name"
                                                  << "Liberation Serif";
    QTest::newRow("only the first duplicate section") << "Printer"
                                                      << "LeftMarginNudge"
                                                      << "<default>";
    QTest::newRow("comment is no key") << "Default Font"
                                       << ";Size"
                                       << "<default>";
    QTest::newRow("line without = is no key") << "Default Font"
                                              << "Size"
                                              << "<default>";
    QTest::newRow("empty value") << "Default Font"
                                 << "Empty"
                                 << "";
    QTest::newRow("lines before any section") << ""
                                              << "stray"
                                              << "<default>";
    QTest::newRow("missing section") << "Layout"
                                     << "Height"
                                     << "<default>";
}

void tst_IniFile::lookup() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const IniFile ini(kSample);
    QCOMPARE(ini.readString(section, key, QStringLiteral("<default>")), expected);
}

void tst_IniFile::integers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -999 is the default
    QTest::newRow("decimal") << "2047" << 2047;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("hex 0x") << "0x10" << 16;
    QTest::newRow("hex 0X, mixed case digits") << "0XaF" << 175;
    QTest::newRow("hex full pattern") << "0xFFFFFFFF" << -1;
    QTest::newRow("hex too long") << "0x100000000" << -999;
    QTest::newRow("hex without digits") << "0x" << -999;
    QTest::newRow("hex with sign") << "0x-5" << -999;
    QTest::newRow("hex twice") << "0x0x10" << -999;
    QTest::newRow("trailing letters") << "12abc" << -999;
    QTest::newRow("words") << "ten" << -999;
    QTest::newRow("empty") << "" << -999;
    QTest::newRow("too large") << "99999999999" << -999;
    QTest::newRow("fraction") << "1.5" << -999;
    QTest::newRow("inner space") << "1 2" << -999;
}

void tst_IniFile::integers() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    const IniFile ini("[S]\nK=" + text.toUtf8() + "\n");
    QCOMPARE(ini.readInteger(QStringLiteral("S"), QStringLiteral("K"), -999), expected);
}

void tst_IniFile::booleans_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("def");
    QTest::addColumn<bool>("expected");
    QTest::newRow("1") << QByteArray("1") << false << true;
    QTest::newRow("any non-zero") << QByteArray("5") << false << true;
    QTest::newRow("negative") << QByteArray("-1") << false << true;
    QTest::newRow("0") << QByteArray("0") << true << false;
    QTest::newRow("hex zero") << QByteArray("0x0") << true << false;
    QTest::newRow("word keeps default true") << QByteArray("yes") << true << true;
    QTest::newRow("word keeps default false") << QByteArray("true") << false << false;
}

void tst_IniFile::booleans() {
    QFETCH(QByteArray, text);
    QFETCH(bool, def);
    QFETCH(bool, expected);
    const IniFile ini("[S]\nB=" + text + "\n");
    QCOMPARE(ini.readBool(QStringLiteral("S"), QStringLiteral("b"), def), expected);
}

void tst_IniFile::sectionValues() {
    const IniFile ini("[MRU]\n"
                      "B=/cards/y.ORL\n"
                      "; not a file\n"
                      "no equals sign\n"
                      "\n"
                      "A=/cards/odd=name.ORL\n"
                      "B=/cards/z.ORL\n"
                      "[Other]\n"
                      "C=/cards/w.ORL\n"
                      "[mru]\n"
                      "D=/cards/v.ORL\n");
    QCOMPARE(ini.readSectionValues(QStringLiteral("MRU")),
             QStringList({"/cards/y.ORL", "/cards/odd=name.ORL", "/cards/z.ORL"}));
    QVERIFY(ini.readSectionValues(QStringLiteral("Missing")).isEmpty());
}

void tst_IniFile::updates_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");

    const QByteArray file = "; comment\n"
                            "[A]\n"
                            "x=1\n"
                            "garbage line\n"
                            "Y = old \n"
                            "\n"
                            "[B]\n"
                            "z=3\n"
                            "[a]\n"
                            "y=shadowed\n";
    QTest::newRow("replace in place, key spelling kept")
        << file << "a"
        << "y"
        << QByteArray("; comment\n[A]\nx=1\ngarbage line\nY =new\n\n[B]\nz=3\n[a]\ny=shadowed\n");
    QTest::newRow("new key after the section's last line, before the blank line")
        << file << "A"
        << "w"
        << QByteArray("; comment\n[A]\nx=1\ngarbage line\nY = old \nw=new\n\n[B]\nz=3\n"
                      "[a]\ny=shadowed\n");
    QTest::newRow("new key in a middle section") << file << "B"
                                                 << "k"
                                                 << QByteArray("; comment\n[A]\nx=1\ngarbage "
                                                               "line\nY = old \n\n[B]\nz=3\n"
                                                               "k=new\n[a]\ny=shadowed\n");
    QTest::newRow("new section at the end") << file << "C"
                                            << "k" << QByteArray(file + "\n[C]\nk=new\n");
    QTest::newRow("CRLF file stays CRLF") << QByteArray("[A]\r\nx=1\r\n") << "A"
                                          << "k" << QByteArray("[A]\r\nx=1\r\nk=new\r\n");
    QTest::newRow("CRLF value replaced before CR") << QByteArray("[A]\r\nx=1\r\n") << "A"
                                                   << "X" << QByteArray("[A]\r\nx=new\r\n");
    QTest::newRow("no line break at the end") << QByteArray("[A]\nx=1") << "A"
                                              << "k" << QByteArray("[A]\nx=1\nk=new\n");
    QTest::newRow("header alone at the end") << QByteArray("[A]") << "A"
                                             << "k" << QByteArray("[A]\nk=new\n");
    QTest::newRow("empty section in the middle") << QByteArray("[A]\n[B]\nz=3\n") << "A"
                                                 << "k" << QByteArray("[A]\nk=new\n[B]\nz=3\n");
}

void tst_IniFile::updates() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);
    IniFile ini(before);
    ini.writeString(section, key, QStringLiteral("new"));
    QCOMPARE(ini.text(), after);
    // The index follows the change: everything reads as the text says.
    const IniFile reread(after);
    QCOMPARE(ini.readString(section, key, {}), QStringLiteral("new"));
    QCOMPARE(ini.readString(QStringLiteral("B"), QStringLiteral("z"), {}),
             reread.readString(QStringLiteral("B"), QStringLiteral("z"), {}));
    ini.writeString(QStringLiteral("B"), QStringLiteral("z"), QStringLiteral("4"));
    QCOMPARE(ini.readInteger(QStringLiteral("B"), QStringLiteral("z"), 0), 4);
}

void tst_IniFile::fromScratch() {
    IniFile ini;
    ini.writeInteger(QStringLiteral("One"), QStringLiteral("b"), 2);
    ini.writeString(QStringLiteral("Two words"), QStringLiteral("Name"), QStringLiteral("Ä ö"));
    ini.writeBool(QStringLiteral("One"), QStringLiteral("a"), true);
    ini.writeInteger(QStringLiteral("Two words"), QStringLiteral("n"), -3);
    QCOMPARE(ini.text(),
             QByteArray("[One]\nb=2\na=1\n\n[Two words]\nName=\xC3\x84 \xC3\xB6\nn=-3\n"));
    QCOMPARE(ini.readString(QStringLiteral("two WORDS"), QStringLiteral("name"), {}),
             QStringLiteral("Ä ö"));
}

void tst_IniFile::valueIsOneLine() {
    IniFile ini;
    ini.writeString(QStringLiteral("Personal"), QStringLiteral("Name"),
                    QStringLiteral("Bob\n[Layout]\r\nHeight=1") + QChar(0));
    QVERIFY(!ini.sectionExists(QStringLiteral("Layout")));
    QCOMPARE(ini.readString(QStringLiteral("Personal"), QStringLiteral("Name"), {}),
             QStringLiteral("Bob [Layout]  Height=1"));
}

void tst_IniFile::eraseSection() {
    IniFile ini("[MRU]\nF0=a\n[Keep]\nk=1\n[mru]\nF1=b\n");
    ini.eraseSection(QStringLiteral("MRU"));
    QCOMPARE(ini.text(), QByteArray("[Keep]\nk=1\n"));
    ini.writeString(QStringLiteral("MRU"), QStringLiteral("F0"), QStringLiteral("c"));
    QCOMPARE(ini.readSectionValues(QStringLiteral("MRU")), QStringList{"c"});
    QCOMPARE(ini.readInteger(QStringLiteral("Keep"), QStringLiteral("k"), 0), 1);
}

void tst_IniFile::undecodableBytes() {
    // An 8-bit code page value, a NUL inside a value and a byte-order mark before the first
    // section.
    static const char raw[] = "\xEF\xBB\xBF[Personal]\nName=M\xFCller\nCompany=A\0B\nFax=1\n";
    const IniFile ini(QByteArray(raw, sizeof raw - 1));
    QCOMPARE(ini.readString(QStringLiteral("Personal"), QStringLiteral("Name"), {}),
             QStringLiteral("Müller"));
    QCOMPARE(ini.readString(QStringLiteral("Personal"), QStringLiteral("Company"), {}).size(), 3);
    QCOMPARE(ini.readInteger(QStringLiteral("Personal"), QStringLiteral("Fax"), 0), 1);
}

void tst_IniFile::noiseNeverBreaksReading() {
    // Random bytes (with many "[", "]", "=" and line breaks) around one good section, then
    // written to: nothing may crash, the good values stay readable and the noise stays as is.
    QRandomGenerator rng(7);
    QByteArray noise;
    const char alphabet[] = "[]=\n\r ;\0abcXYZ0x19\xFF\xC3";
    for (int i = 0; i < 200000; ++i)
        noise += rng.bounded(4) ? char(rng.bounded(256)) : alphabet[rng.bounded(20)];
    const QByteArray text = noise + "\n[Layout]\nHeight=2047\n" + noise;
    IniFile ini(text);
    QCOMPARE(ini.readInteger(QStringLiteral("Layout"), QStringLiteral("Height"), 0), 2047);
    ini.writeInteger(QStringLiteral("Layout"), QStringLiteral("Height"), 2126);
    ini.writeInteger(QStringLiteral("Layout"), QStringLiteral("Across"), 2);
    ini.writeInteger(QStringLiteral("Fresh"), QStringLiteral("K"), 1);
    QVERIFY(ini.text().startsWith(noise));
    const IniFile reread(ini.text());
    QCOMPARE(reread.readInteger(QStringLiteral("Layout"), QStringLiteral("Height"), 0), 2126);
    QCOMPARE(reread.readInteger(QStringLiteral("Fresh"), QStringLiteral("K"), 0), 1);
}

void tst_IniFile::files() {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("ORL.INI"));
    QVERIFY(IniFile::fromFile(name).text().isEmpty()); // missing

    IniFile ini;
    ini.writeInteger(QStringLiteral("Layout"), QStringLiteral("Height"), 2047);
    QVERIFY(ini.saveTo(name));
    QCOMPARE(IniFile::fromFile(name).text(), ini.text());

    // Far too large to be a preferences file: read as empty, without reading it all.
    QFile big(dir.filePath(QStringLiteral("big.ini")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(IniFile::maxFileSize + 1));
    big.close();
    QVERIFY(IniFile::fromFile(big.fileName()).text().isEmpty());
}

void tst_IniFile::failedSaveKeepsOldFile() {
    QTemporaryDir dir;
    // A folder where the file should be: no write can replace it, not even as root.
    const QString name = dir.filePath(QStringLiteral("ORL.INI"));
    QVERIFY(QDir().mkpath(name));
    QString error;
    QVERIFY(!IniFile("[A]\nx=1\n").saveTo(name, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(name).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{"ORL.INI"}); // no temporary file left behind
}

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_IniFile.moc"
