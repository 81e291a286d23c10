// The RTF reader on what word processors write and on broken input, and the writer's
// output read back and checked for structure.
#include "platform/RtfReader.h"
#include "platform/RtfWriter.h"
#include "platform/ScreenMetrics.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

// One line per paragraph (alignment and lengths in twips) and one per run (text, font,
// size and the styles and colours that are set).
QStringList runs(const QTextDocument& doc) {
    const double ppi = platform::ScreenMetrics::pixelsPerInch();
    const auto twips = [ppi](qreal units) { return QString::number(qRound(units * 1440 / ppi)); };
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat f = b.blockFormat();
        const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
        const char* align = a & Qt::AlignJustify   ? "j"
                            : a & Qt::AlignHCenter ? "c"
                            : a & Qt::AlignRight   ? "r"
                                                   : "l";
        out << QStringLiteral("P %1 %2 %3 %4 %5 %6")
                   .arg(QLatin1String(align), twips(f.leftMargin()), twips(f.rightMargin()),
                        twips(f.textIndent()), twips(f.topMargin()), twips(f.bottomMargin()));
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat c = it.fragment().charFormat();
            QString r = it.fragment().text() + QLatin1Char('|') +
                        c.fontFamilies().toStringList().value(0) + QLatin1Char('|') +
                        QString::number(c.fontPointSize());
            if (c.fontWeight() > QFont::Medium) r += QStringLiteral("|b");
            if (c.fontItalic()) r += QStringLiteral("|i");
            if (c.fontUnderline()) r += QStringLiteral("|u");
            if (c.fontStrikeOut()) r += QStringLiteral("|s");
            if (c.hasProperty(QTextFormat::ForegroundBrush))
                r += QStringLiteral("|fg") + c.foreground().color().name();
            if (c.hasProperty(QTextFormat::BackgroundBrush))
                r += QStringLiteral("|bg") + c.background().color().name();
            out << r;
        }
    }
    return out;
}

QStringList read(const QByteArray& rtf) {
    QTextDocument doc;
    platform::RtfReader::read(rtf, doc);
    return runs(doc);
}

} // namespace

class tst_RtfReader : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void readsWhatWordProcessorsWrite_data();
    void readsWhatWordProcessorsWrite();
    void brokenInputYieldsWhatCouldBeRead_data();
    void brokenInputYieldsWhatCouldBeRead();
    void writtenTextReadsBackTheSame_data() { readsWhatWordProcessorsWrite_data(); }
    void writtenTextReadsBackTheSame();
    void writesWellFormedAsciiRtf();
    void emptyDocumentRoundTrips();
};

void tst_RtfReader::readsWhatWordProcessorsWrite_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("WordPad, code page 1252")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss"
                      "\\fcharset0 Arial;}{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}}\r\n"
                      "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs20 "
                      "Caf\\'e9 \\b bold\\b0  \\i it\\i0\\f1\\fs28\\par\r\n}\r\n")
        << QStringList{"P l 0 0 0 0 0", "Café |Arial|10", "bold|Arial|10|b", " |Arial|10",
                       "it|Arial|10|i"};
    QTest::newRow("euro as \\u with fallback")
        << QByteArray("{\\rtf1\\ansi\\uc1 Price \\u8364? 5}")
        << QStringList{"P l 0 0 0 0 0", "Price € 5|Arial|12"};
    QTest::newRow("two fallback bytes, negative \\u")
        << QByteArray("{\\rtf1\\uc2 A\\u915\\'c3\\'e1B\\u-3913??}")
        << QStringList{"P l 0 0 0 0 0", "AΓB\uF0B7|Arial|12"};
    QTest::newRow("nested groups") << QByteArray("{\\rtf1 a{\\b b{\\i c}d}e}")
                                   << QStringList{"P l 0 0 0 0 0",  "a|Arial|12",   "b|Arial|12|b",
                                                  "c|Arial|12|b|i", "d|Arial|12|b", "e|Arial|12"};
    QTest::newRow("font table with charsets")
        << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                      "{\\f1\\fnil\\fcharset204{\\*\\panose 02070309020205020404}Courier New;}}"
                      "\\f1\\fs18 \\'cf\\'f0\\'e8\\f0  x}")
        << QStringList{"P l 0 0 0 0 0", "При|Courier New|9", " x|Arial|9"};
    QTest::newRow("colour table")
        << QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                      "\\cf1 red\\cf2 blue\\cf0 auto\\highlight1 hl\\ul u\\ulnone\\strike s}")
        << QStringList{"P l 0 0 0 0 0",         "red|Arial|12|fg#ff0000", "blue|Arial|12|fg#0000ff",
                       "auto|Arial|12",         "hl|Arial|12|bg#ff0000",  "u|Arial|12|u|bg#ff0000",
                       "s|Arial|12|s|bg#ff0000"};
    QTest::newRow("paragraph alignment and indents")
        << QByteArray("{\\rtf1\\pard\\qc centre\\par\\pard\\qr right\\par"
                      "\\pard\\qj\\li720\\ri360\\fi-360\\sb120\\sa240 just\\par\\pard last}")
        << QStringList{"P c 0 0 0 0 0",
                       "centre|Arial|12",
                       "P r 0 0 0 0 0",
                       "right|Arial|12",
                       "P j 720 360 -360 120 240",
                       "just|Arial|12",
                       "P l 0 0 0 0 0",
                       "last|Arial|12"};
    QTest::newRow("\\plain and \\pard reset")
        << QByteArray("{\\rtf1\\b\\i\\fs40\\qc a\\plain b\\par\\pard c}")
        << QStringList{"P c 0 0 0 0 0", "a|Arial|20|b|i", "b|Arial|12", "P l 0 0 0 0 0",
                       "c|Arial|12"};
    QTest::newRow("pictures, unknown and \\* destinations skipped")
        << QByteArray("{\\rtf1 a{\\pict\\wmetafile8\\picw10 0102ff}b{\\*\\unknown x}c"
                      "{\\stylesheet{\\s0 Normal;}}d{\\*\\blob\\bin3 }}}}e}")
        << QStringList{"P l 0 0 0 0 0", "abcde|Arial|12"};
    QTest::newRow("control characters in font names and text dropped")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 \\'01;}{\\f1 Ari\\'0dal;}}\\f0 a\\'0ab\\f1 c}")
        << QStringList{"P l 0 0 0 0 0", "abc|Arial|12"};
    QTest::newRow("line, tab and escaped characters")
        << QByteArray("{\\rtf1 a\\line b\\tab c\\\\\\{\\}\\~d\\emdash\\'80}")
        << QStringList{"P l 0 0 0 0 0", "a\u2028b\tc\\{}\u00A0d\u2014€|Arial|12"};
}

void tst_RtfReader::readsWhatWordProcessorsWrite() {
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);
    QCOMPARE(read(rtf), expected);
}

void tst_RtfReader::brokenInputYieldsWhatCouldBeRead_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("unclosed groups") << QByteArray("{\\rtf1 abc{\\b def") << "abcdef";
    QTest::newRow("too many closing braces") << QByteArray("{\\rtf1 abc}}}}xyz") << "abc";
    QTest::newRow("cut in \\'hh") << QByteArray("{\\rtf1 ab\\'e") << "ab";
    QTest::newRow("cut after backslash") << QByteArray("{\\rtf1 ab\\") << "ab";
    QTest::newRow("huge parameters")
        << QByteArray("{\\rtf1\\fs99999999999999999999999 x\\u99999999999 y\\uc-5\\li-999999999 z"
                      "\\f-2147483648\\cf99999 w}")
        << "x\uFFFDzw";
    QTest::newRow("\\bin longer than the input") << QByteArray("{\\rtf1 a\\bin999999 bc}") << "a";
    QTest::newRow("colour table without entries")
        << QByteArray("{\\rtf1{\\colortbl\\red5}\\cf3 t}") << "t";
    QTest::newRow("deep nesting") << QByteArray("{\\rtf1 a") + QByteArray(100000, '{') + "\\b b" +
                                         QByteArray(100000, '}') + "c}"
                                  << "abc";
    QTest::newRow("not RTF") << QByteArray("plain text") << "";
    QTest::newRow("empty") << QByteArray() << "";
}

void tst_RtfReader::brokenInputYieldsWhatCouldBeRead() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QTextDocument doc;
    platform::RtfReader::read(rtf, doc);
    QCOMPARE(doc.toPlainText(), text);
}

void tst_RtfReader::writtenTextReadsBackTheSame() {
    QFETCH(QByteArray, rtf);
    QTextDocument doc;
    platform::RtfReader::read(rtf, doc);
    const QByteArray written = platform::RtfWriter::write(doc);
    QCOMPARE(read(written), runs(doc));
    // Writing again what was read back gives the same bytes.
    QTextDocument again;
    platform::RtfReader::read(written, again);
    QCOMPARE(platform::RtfWriter::write(again), written);
}

void tst_RtfReader::writesWellFormedAsciiRtf() {
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextCharFormat f;
    f.setFontFamilies(QStringList{QStringLiteral("Liberation Sans")});
    f.setFontPointSize(11);
    f.setForeground(QColor(0, 128, 0));
    cursor.insertText(QStringLiteral("é € Ж 😀 {x} \\"), f);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centred);
    f.setFontFamilies(QStringList{QStringLiteral("Liberation Serif")});
    f.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("second"), f);

    const QByteArray rtf = platform::RtfWriter::write(doc);
    QVERIFY2(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"), rtf.constData());
    for (char c : rtf)
        QVERIFY2(uchar(c) < 0x80, "the output is 7-bit ASCII");
    // Groups balance (escaped braces aside) and the outermost one closes at the end.
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{') ++depth;
        if (rtf[i] == '}') QVERIFY(--depth > 0 || i == rtf.trimmed().size() - 1);
    }
    QCOMPARE(depth, 0);
    QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Liberation Sans;}"
                         "{\\f1\\fnil\\fcharset0 Liberation Serif;}}"));
    QVERIFY(rtf.contains("{\\colortbl;\\red0\\green128\\blue0;}"));
    QVERIFY(rtf.contains("\\'e9 \\'80 \\u1046? \\u-10179?\\u-8704? \\{x\\} \\\\"));
    QVERIFY(rtf.contains("\\pard\\qc\\plain\\f1\\fs22\\b\\cf1 second"));
    QCOMPARE(read(rtf), runs(doc));
}

void tst_RtfReader::emptyDocumentRoundTrips() {
    QTextDocument empty;
    QTextDocument doc;
    platform::RtfReader::read(platform::RtfWriter::write(empty), doc);
    QVERIFY(doc.isEmpty());
    QCOMPARE(doc.blockCount(), 1);
}

QTEST_MAIN(tst_RtfReader)
#include "tst_RtfReader.moc"
