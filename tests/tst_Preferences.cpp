// The preferences file ORL.INI in a temporary home folder: defaults, the exact layout of a
// file written from scratch, the reading rules, keeping other sections, the recent-files list,
// damaged files and an unwritable home.
#include "app/TPreferences.h"
#include "app/TRecentFiles.h"
#include "platform/system/HomeFolder.h"
#include "platform/system/IniFile.h"
#include "platform/system/PreferencesFile.h"
#include "support/ScriptedDialogHost.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

#include <sys/resource.h>
#include <sys/stat.h>

class tst_Preferences : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void noFileGivesDefaults();
    void writtenFromScratch();
    void reading_data();
    void reading();
    void thousandthsRoundHalfToEven_data();
    void thousandthsRoundHalfToEven();
    void roundTrip();
    void saveKeepsOtherSections();
    void recentFilesReadInFileOrder();
    void recentFilesList();
    void damagedFiles_data();
    void damagedFiles();
    void tenMegabytesOfNoise();
    void unwritableHomeReportedOnce();
    void fullDiskKeepsFile();
    void unreadableFileLeftAlone_data();
    void unreadableFileLeftAlone();
    void encodings_data();
    void encodings();

  private:
    void writeIni(const QByteArray& text);
    QByteArray iniText() const;
    std::unique_ptr<QTemporaryDir> home_;
};

void tst_Preferences::init() {
    home_ = std::make_unique<QTemporaryDir>();
    platform::HomeFolder::set(home_->path());
}

void tst_Preferences::cleanup() {
    platform::HomeFolder::set(QString());
    home_.reset();
}

void tst_Preferences::writeIni(const QByteArray& text) {
    QFile f(platform::PreferencesFile::fileName());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QByteArray tst_Preferences::iniText() const {
    QFile f(platform::PreferencesFile::fileName());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void tst_Preferences::noFileGivesDefaults() {
    QCOMPARE(platform::PreferencesFile::fileName(), home_->path() + "/ORL.INI");
    const TPreferences p = TPreferences::loadPreferences();
    QCOMPARE(p.print.layout.across, 2);
    QCOMPARE(p.print.layout.down, 5);
    QCOMPARE(p.print.layout.width, 3.5f);
    QCOMPARE(p.print.layout.height, 2.0f);
    QCOMPARE(p.print.layout.hPitch, 3.5f);
    QCOMPARE(p.print.layout.vPitch, 2.0f);
    QCOMPARE(p.print.layout.topMargin, 0.5f);
    QCOMPARE(p.print.layout.leftMargin, 0.75f);
    QCOMPARE(p.print.layout.papersize, 1);
    QCOMPARE(p.print.layout.predefLayout, 0);
    QVERIFY(!p.print.layout.useMM);
    QCOMPARE(p.fontName, QStringLiteral("Arial"));
    QCOMPARE(p.fontSize, 10);
    QVERIFY(!p.fontBold && !p.fontItalic && !p.fontUnderline);
    QCOMPARE(p.print.offsets.topMarginNudge, 0);
    QCOMPARE(p.print.offsets.leftMarginNudge, 0);
    QCOMPARE(p.print.offsets.verticalSpacing, 0);
    QCOMPARE(p.print.offsets.horizontalSpacing, 0);
    QVERIFY(p.print.showBottomMarginWarning);
    for (const QString& s : p.personal)
        QVERIFY(s.isEmpty());
    QVERIFY(!QFile::exists(platform::PreferencesFile::fileName())); // reading writes nothing
}

void tst_Preferences::writtenFromScratch() {
    TPreferences p;
    p.personal[0] = QStringLiteral("Jo Smith");
    p.personal[8] = QStringLiteral("jo@example.com");
    p.print.layout.loadPredefined(10);
    p.print.layout.predefLayout = 10;
    QVERIFY(p.savePreferences());
    QCOMPARE(QString::fromUtf8(iniText()), QStringLiteral("[Printer]\n"
                                                          "TopMarginNudge=0\n"
                                                          "LeftMarginNudge=0\n"
                                                          "VerticalSpacing=0\n"
                                                          "HorizontalSpacing=0\n"
                                                          "ShowBottomMarginWarning=1\n"
                                                          "\n"
                                                          "[Personal]\n"
                                                          "Name=Jo Smith\n"
                                                          "Company=\n"
                                                          "Title=\n"
                                                          "Address1=\n"
                                                          "Address2=\n"
                                                          "Address3=\n"
                                                          "Phone1=\n"
                                                          "Phone2=\n"
                                                          "Email=jo@example.com\n"
                                                          "Fax=\n"
                                                          "\n"
                                                          "[Default Font]\n"
                                                          "Name=Arial\n"
                                                          "Size=10\n"
                                                          "Bold=0\n"
                                                          "Italic=0\n"
                                                          "Underline=0\n"
                                                          "\n"
                                                          "[Layout]\n"
                                                          "Height=2047\n"
                                                          "Width=3543\n"
                                                          "TopMargin=728\n"
                                                          "LeftMargin=591\n"
                                                          "HPitch=3543\n"
                                                          "VPitch=2047\n"
                                                          "PredefLayout=10\n"
                                                          "Papersize=9\n"
                                                          "Across=2\n"
                                                          "Down=5\n"
                                                          "UseMM=0\n"));
}

void tst_Preferences::reading_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("Height thousandths")
        << QByteArray("[Layout]\nHeight=2047\n") << "Height" << QVariant(2.047f);
    QTest::newRow("hex offset") << QByteArray("[Printer]\nTopMarginNudge=0x10\n")
                                << "TopMarginNudge" << QVariant(16);
    QTest::newRow("negative offset")
        << QByteArray("[Printer]\nHorizontalSpacing=-3\n") << "HorizontalSpacing" << QVariant(-3);
    QTest::newRow("UseMM any non-zero")
        << QByteArray("[Layout]\nUseMM=5\n") << "UseMM" << QVariant(true);
    QTest::newRow("warning off") << QByteArray("[Printer]\nShowBottomMarginWarning=0\n")
                                 << "ShowBottomMarginWarning" << QVariant(false);
    QTest::newRow("warning unreadable keeps default")
        << QByteArray("[Printer]\nShowBottomMarginWarning=no\n") << "ShowBottomMarginWarning"
        << QVariant(true);
    QTest::newRow("Height unreadable")
        << QByteArray("[Layout]\nHeight=2.5\n") << "Height" << QVariant(2.0f);
    QTest::newRow("section and key case")
        << QByteArray("[LAYOUT]\nwidth=4000\n") << "Width" << QVariant(4.0f);
    QTest::newRow("font name cut to 255")
        << QByteArray("[Default Font]\nName=" + QByteArray(300, 'x') + "\n") << "FontNameLength"
        << QVariant(255);
    QTest::newRow("font styles") << QByteArray("[Default Font]\nBold=1\nItalic=0x1\n")
                                 << "FontStyles" << QVariant(QStringLiteral("bold italic"));
    QTest::newRow("personal text with =")
        << QByteArray("[Personal]\nEmail=a=b@c\n") << "Email" << QVariant(QStringLiteral("a=b@c"));
    // Values the dialogs could never have stored fall back to the defaults.
    QTest::newRow("Across out of range")
        << QByteArray("[Layout]\nAcross=100\n") << "Across" << QVariant(2);
    QTest::newRow("Down zero") << QByteArray("[Layout]\nDown=0\n") << "Down" << QVariant(5);
    QTest::newRow("card wider than paper")
        << QByteArray("[Layout]\nWidth=90000\n") << "Width" << QVariant(3.5f);
    QTest::newRow("card without height")
        << QByteArray("[Layout]\nHeight=0\n") << "Height" << QVariant(2.0f);
    QTest::newRow("font size zero")
        << QByteArray("[Default Font]\nSize=0\n") << "FontSize" << QVariant(10);
}

void tst_Preferences::reading() {
    QFETCH(QByteArray, file);
    QFETCH(QString, what);
    QFETCH(QVariant, expected);
    writeIni(file);
    const TPreferences p = TPreferences::loadPreferences();
    const QHash<QString, QVariant> actual = {
        {"Height", p.print.layout.height},
        {"Width", p.print.layout.width},
        {"Across", p.print.layout.across},
        {"Down", p.print.layout.down},
        {"UseMM", p.print.layout.useMM},
        {"TopMarginNudge", p.print.offsets.topMarginNudge},
        {"HorizontalSpacing", p.print.offsets.horizontalSpacing},
        {"ShowBottomMarginWarning", p.print.showBottomMarginWarning},
        {"FontNameLength", int(p.fontName.size())},
        {"FontSize", p.fontSize},
        {"FontStyles", QStringList({p.fontBold ? "bold" : "", p.fontItalic ? "italic" : "",
                                    p.fontUnderline ? "underline" : ""})
                           .join(' ')
                           .trimmed()},
        {"Email", p.personal[8]},
    };
    QCOMPARE(actual.value(what), expected);
}

void tst_Preferences::thousandthsRoundHalfToEven_data() {
    QTest::addColumn<float>("inches");
    QTest::addColumn<int>("stored");
    QTest::newRow("2.047") << 2.047f << 2047;
    QTest::newRow("3.543") << 3.543f << 3543;
    QTest::newRow("half down to even") << 1.0625f << 1062;
    QTest::newRow("half up to even") << 0.1875f << 188;
    QTest::newRow("0.0005 is not a half in single precision") << 0.0005f << 1;
}

void tst_Preferences::thousandthsRoundHalfToEven() {
    QFETCH(float, inches);
    QFETCH(int, stored);
    TPreferences p;
    p.print.layout.height = inches;
    platform::IniFile ini;
    p.write(ini);
    QCOMPARE(ini.readInteger(QStringLiteral("Layout"), QStringLiteral("Height"), -1), stored);
}

void tst_Preferences::roundTrip() {
    TPreferences p;
    p.print.offsets.topMarginNudge = -8;
    p.print.offsets.leftMarginNudge = 8;
    p.print.offsets.verticalSpacing = 3;
    p.print.offsets.horizontalSpacing = -1;
    p.print.showBottomMarginWarning = false;
    for (int i = 0; i < TPreferences::personalCount; ++i)
        p.personal[size_t(i)] = QStringLiteral("Wert %1 äß").arg(i);
    p.fontName = QStringLiteral("Liberation Serif");
    p.fontSize = 12;
    p.fontBold = p.fontItalic = p.fontUnderline = true;
    p.print.layout.loadPredefined(12);
    p.print.layout.predefLayout = 12;
    p.print.layout.across = 1;
    p.print.layout.down = 3;
    p.print.layout.useMM = true;
    QVERIFY(p.savePreferences());
    QCOMPARE(TPreferences::loadPreferences(), p);
}

void tst_Preferences::saveKeepsOtherSections() {
    const QByteArray before = "; my settings\n"
                              "[MRU]\n"
                              "F0=/cards/a.ORL\n"
                              "\n"
                              "[Layout]\n"
                              "Height=2126\n"
                              "Comment=kept\n"
                              "\n"
                              "[TMainScreen_Placement]\n"
                              "Left=10\n";
    writeIni(before);
    TPreferences p = TPreferences::loadPreferences();
    QCOMPARE(p.print.layout.height, 2.126f);
    p.print.layout.height = 2.0f;
    QVERIFY(p.savePreferences());
    const QByteArray after = iniText();
    QVERIFY(after.startsWith("; my settings\n[MRU]\nF0=/cards/a.ORL\n\n[Layout]\nHeight=2000\n"
                             "Comment=kept\nWidth=3500\n"));
    QVERIFY(after.contains("\n\n[TMainScreen_Placement]\nLeft=10\n"));
    // The new sections follow in their own order after the old ones.
    const qsizetype printer = after.indexOf("[Printer]");
    QVERIFY(after.indexOf("[TMainScreen_Placement]") < printer);
    QVERIFY(printer < after.indexOf("[Personal]"));
    QVERIFY(after.indexOf("[Personal]") < after.indexOf("[Default Font]"));
    QCOMPARE(TRecentFiles::load().files(), QStringList{"/cards/a.ORL"});
}

void tst_Preferences::recentFilesReadInFileOrder() {
    writeIni("[MRU]\nA=C:\\x.ORL\nB=C:\\y.ORL\n");
    QCOMPARE(TRecentFiles::load().files(), QStringList({"C:\\x.ORL", "C:\\y.ORL"}));
}

void tst_Preferences::recentFilesList() {
    writeIni("[Layout]\nAcross=1\n[MRU]\nF0=/a\nF1=\nF2=/b\nF3=/a\nF4=/c\nF5=/d\nF6=/e\nF7=/f\n");
    TRecentFiles r = TRecentFiles::load();
    // Empty and repeated entries are left out, and no more than five are kept.
    QCOMPARE(r.files(), QStringList({"/a", "/b", "/c", "/d", "/e"}));
    r.add(QStringLiteral("/c"));
    r.add(QStringLiteral("/new"));
    QCOMPARE(r.files(), QStringList({"/new", "/c", "/a", "/b", "/d"}));
    r.remove(QStringLiteral("/a"));
    QVERIFY(r.save());
    QCOMPARE(iniText(), QByteArray("[Layout]\nAcross=1\n\n[MRU]\nF0=/new\nF1=/c\nF2=/b\nF3=/d\n"));
}

void tst_Preferences::damagedFiles_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("garbage lines") << QByteArray("[Layout\n=\n==Height=5\nHeight\n]Layout[\n"
                                                 "[Layout]\nno value here\nHeight=2047\n"
                                                 "Width==3\n\x01\x02\x03\n");
    QTest::newRow("duplicate sections") << QByteArray("[Layout]\nHeight=2047\n[Printer]\n"
                                                      "[layout]\nHeight=9999\nWidth=9999\n");
    static const char binary[] = "\xFF\xFE\x00\x01[\x80]\n[Layout]\nHeight=2047\n"
                                 "\x00\x00Width=\x00\n\xC3\x28=\xA0\xA1\n";
    QTest::newRow("binary bytes") << QByteArray(binary, sizeof binary - 1);
}

void tst_Preferences::damagedFiles() {
    // Whatever else the file holds, Height=2047 in the first Layout section is read and
    // everything unreadable gives its default.
    QFETCH(QByteArray, file);
    writeIni(file);
    TPreferences expected;
    expected.print.layout.height = 2.047f;
    TPreferences p = TPreferences::loadPreferences();
    QCOMPARE(p, expected);
    // Saving over the damage keeps what it did not write.
    QVERIFY(p.savePreferences());
    QVERIFY(iniText().startsWith(file.left(file.indexOf("Height"))));
    QCOMPARE(TPreferences::loadPreferences(), p);
}

void tst_Preferences::tenMegabytesOfNoise() {
    // 10 MB of random bytes and stray section headers with the real settings in the middle.
    QRandomGenerator rng(2047);
    QByteArray noise;
    noise.reserve(5 * 1024 * 1024);
    while (noise.size() < 5 * 1024 * 1024) {
        switch (rng.bounded(8)) {
        case 0:
            noise += "\n[Layout]\nHeight=junk\n";
            break;
        case 1:
            noise += "\n[x]\n=\n";
            break;
        default:
            noise += char(rng.bounded(256));
        }
    }
    writeIni(noise + "\n[Printer]\nTopMarginNudge=0x10\n" + noise);
    const TPreferences p = TPreferences::loadPreferences();
    QCOMPARE(p.print.offsets.topMarginNudge, 16);
    QCOMPARE(p.print.layout.height, 2.0f); // the first Layout section holds junk
    QVERIFY(p.savePreferences());
    QCOMPARE(TPreferences::loadPreferences(), p);
}

void tst_Preferences::unwritableHomeReportedOnce() {
    // A home "folder" that is a file: nothing can be created in it, not even by root.
    QFile blocker(home_->filePath(QStringLiteral("blocked")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    platform::HomeFolder::set(blocker.fileName());

    ScriptedDialogHost host;
    TPreferences p = TPreferences::loadPreferences();
    QCOMPARE(p, TPreferences());
    p.fontSize = 12;
    QVERIFY(!p.savePreferences());
    QCOMPARE(host.messages.size(), 1);
    QVERIFY(host.messages.first().contains(platform::PreferencesFile::fileName()));
    TRecentFiles r;
    r.add(QStringLiteral("/a"));
    QVERIFY(!r.save());
    QVERIFY(!p.savePreferences());
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(p.fontSize, 12); // the program goes on with what it holds
}

void tst_Preferences::fullDiskKeepsFile() {
    // A disk that fills up after 200 bytes: a whole preferences file cannot be written, so
    // the one there stays as it was and the user is told once.
    TPreferences p;
    p.personal[0] = QStringLiteral("Jane Smith");
    p.personal[3] = QStringLiteral("12 Long Lane, Little Hampton");
    QVERIFY(p.savePreferences());
    const QByteArray before = iniText();
    QVERIFY(before.size() > 400);

    ScriptedDialogHost host;
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 200;
    setrlimit(RLIMIT_FSIZE, &small);
    TRecentFiles r = TRecentFiles::load();
    r.add(QStringLiteral("/cards/one.ORL"));
    const bool recentSaved = r.save();
    p.fontSize = 12;
    const bool prefsSaved = p.savePreferences();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    QVERIFY(!recentSaved);
    QVERIFY(!prefsSaved);
    QCOMPARE(iniText(), before);
    QCOMPARE(host.messages.size(), 1);
    QVERIFY2(host.messages.first().startsWith("Unable to save the preferences file"),
             qPrintable(host.messages.first()));
    QCOMPARE(QDir(home_->path()).entryList(QDir::Files), QStringList{"ORL.INI"});
}

void tst_Preferences::unreadableFileLeftAlone_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("larger than 32 MB") << "large"
                                       << "larger than 32 MB";
    QTest::newRow("FIFO") << "fifo"
                          << "not a regular file";
}

void tst_Preferences::unreadableFileLeftAlone() {
    // A file that could not be read is neither taken as empty and written over, nor read
    // again: the defaults hold for the session and the file stays as it is.
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString name = platform::PreferencesFile::fileName();
    if (kind == "large") {
        writeIni("[Layout]\nAcross=1\n");
        QFile f(name);
        QVERIFY(f.resize(platform::IniFile::maxFileSize + 1));
    } else {
        QCOMPARE(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
    }
    const QFileInfo before(name);
    ScriptedDialogHost host;
    TPreferences p = TPreferences::loadPreferences();
    QCOMPARE(p, TPreferences());
    QCOMPARE(host.messages.size(), 1);
    QVERIFY2(host.messages.first().contains(reason), qPrintable(host.messages.first()));
    p.fontSize = 12;
    QVERIFY(!p.savePreferences());
    TRecentFiles r = TRecentFiles::load();
    r.add(QStringLiteral("/cards/one.ORL"));
    QVERIFY(!r.save());
    QCOMPARE(host.messages.size(), 1);
    const QFileInfo after(name);
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.isFile(), before.isFile());
    QCOMPARE(after.lastModified(), before.lastModified());
}

void tst_Preferences::encodings_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");    // the Name read
    QTest::addColumn<QString>("company"); // the Company written
    QTest::addColumn<QByteArray>("nameLine");
    QTest::addColumn<QByteArray>("companyLine");
    // Code page 1252: 0x80..0x9F are letters and punctuation, not control characters.
    QTest::newRow("code page 1252")
        << QByteArray("[Personal]\r\nName=Caf\xC9 \x80 \x96 \x92\x93\x94\r\n")
        << QString::fromUtf8("Caf\u00C9 \u20AC \u2013 \u2019\u201C\u201D")
        << QString::fromUtf8("Gro\u00DF \u201EAG\u201C")
        << QByteArray("Name=Caf\xC9 \x80 \x96 \x92\x93\x94")
        << QByteArray("Company=Gro\xDF \x84"
                      "AG\x93");
    QTest::newRow("UTF-8") << QByteArray("[Personal]\nName=Caf\xC3\x89 \xE2\x82\xAC\n")
                           << QString::fromUtf8("Caf\u00C9 \u20AC")
                           << QString::fromUtf8("Gro\u00DF")
                           << QByteArray("Name=Caf\xC3\x89 \xE2\x82\xAC")
                           << QByteArray("Company=Gro\xC3\x9F");
    // Text the code page cannot hold turns the whole file into UTF-8, keeping every value.
    QTest::newRow("1252, then a Polish name")
        << QByteArray("[Personal]\nName=Caf\xC9 \x80\n") << QString::fromUtf8("Caf\u00C9 \u20AC")
        << QString::fromUtf8("\u0141\u00F3d\u017A") << QByteArray("Name=Caf\xC3\x89 \xE2\x82\xAC")
        << QByteArray("Company=\xC5\x81\xC3\xB3"
                      "d\xC5\xBA");
    QTest::newRow("new file") << QByteArray() << QString() << QString::fromUtf8("Caf\u00E9")
                              << QByteArray("Name=") << QByteArray("Company=Caf\xC3\xA9");
}

void tst_Preferences::encodings() {
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(QString, company);
    QFETCH(QByteArray, nameLine);
    QFETCH(QByteArray, companyLine);
    if (!file.isEmpty()) writeIni(file);
    TPreferences p = TPreferences::loadPreferences();
    QCOMPARE(p.personal[0], name);
    p.personal[1] = company;
    QVERIFY(p.savePreferences());
    const QByteArray text = iniText();
    QVERIFY2(text.contains(nameLine + (text.contains("\r\n") ? "\r\n" : "\n")), text.constData());
    QVERIFY2(text.contains(companyLine), text.constData());
    const TPreferences again = TPreferences::loadPreferences();
    QCOMPARE(again.personal[0], name);
    QCOMPARE(again.personal[1], company);
}

QTEST_MAIN(tst_Preferences)
#include "tst_Preferences.moc"
