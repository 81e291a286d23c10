// Window placements in the preferences file: one section per window class and screen density,
// the move back onto a smaller screen, centring when nothing is stored, maximised windows.
#include "platform/system/HomeFolder.h"
#include "platform/system/IniFile.h"
#include "platform/system/PreferencesFile.h"
#include "platform/widgets/WindowPlacement.h"

#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

using platform::WindowPlacement;

namespace {
// A window class of its own, so its section name is known.
class TPlacedForm : public QWidget {
    Q_OBJECT
};

WindowPlacement::Screen screen(int w, int h, int ppi = 96) {
    return {QRect(0, 0, w, h), ppi};
}
} // namespace

class tst_WindowPlacement : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void sectionNames_data();
    void sectionNames();
    void densitiesKeepTheirOwnSections();
    void restore_data();
    void restore();
    void nothingStoredCentresAndStores();
    void maximised();
    void keepsTheRestOfTheFile();

  private:
    void writeIni(const QByteArray& text);
    platform::IniFile ini() const { return platform::PreferencesFile::read(); }
    std::unique_ptr<QTemporaryDir> home_;
};

void tst_WindowPlacement::init() {
    home_ = std::make_unique<QTemporaryDir>();
    platform::HomeFolder::set(home_->path());
}

void tst_WindowPlacement::cleanup() {
    platform::HomeFolder::set(QString());
    home_.reset();
}

void tst_WindowPlacement::writeIni(const QByteArray& text) {
    QFile f(platform::PreferencesFile::fileName());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

void tst_WindowPlacement::sectionNames_data() {
    QTest::addColumn<int>("ppi");
    QTest::addColumn<QString>("name");
    QTest::newRow("96") << 96 << "TMainScreen_Placement";
    QTest::newRow("below 96") << 72 << "TMainScreen_Placement";
    QTest::newRow("120") << 120 << "TMainScreen_Placement120";
    QTest::newRow("144") << 144 << "TMainScreen_Placement144";
}

void tst_WindowPlacement::sectionNames() {
    QFETCH(int, ppi);
    QFETCH(QString, name);
    QCOMPARE(WindowPlacement::sectionName(QStringLiteral("TMainScreen"), ppi), name);
    TPlacedForm form;
    QCOMPARE(WindowPlacement::className(form), QStringLiteral("TPlacedForm"));
}

void tst_WindowPlacement::densitiesKeepTheirOwnSections() {
    TPlacedForm form;
    form.setGeometry(100, 50, 400, 300);
    WindowPlacement::saveWindowPlacement(form, screen(1920, 1080, 96));
    form.setGeometry(200, 80, 500, 375);
    WindowPlacement::saveWindowPlacement(form, screen(1920, 1080, 120));

    const platform::IniFile file = ini();
    QCOMPARE(file.readInteger("TPlacedForm_Placement", "Right", 0), 500);
    QCOMPARE(file.readInteger("TPlacedForm_Placement120", "Right", 0), 700);

    TPlacedForm again;
    WindowPlacement::restoreWindowPlacement(again, screen(1920, 1080, 96));
    QCOMPARE(again.geometry(), QRect(100, 50, 400, 300));
    WindowPlacement::restoreWindowPlacement(again, screen(1920, 1080, 120));
    QCOMPARE(again.geometry(), QRect(200, 80, 500, 375));
}

void tst_WindowPlacement::restore_data() {
    QTest::addColumn<QByteArray>("stored"); // Left, Top, Right, Bottom
    QTest::addColumn<QSize>("screenSize");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("fits") << QByteArray("100,50,700,450") << QSize(1920, 1080)
                          << QRect(100, 50, 600, 400);
    QTest::newRow("beyond the right edge of a smaller screen")
        << QByteArray("1500,100,2100,500") << QSize(1280, 1024) << QRect(680, 100, 600, 400);
    QTest::newRow("below the bottom edge")
        << QByteArray("100,900,700,1300") << QSize(1280, 1024) << QRect(100, 624, 600, 400);
    QTest::newRow("hex values") << QByteArray("0x10,0x20,0x110,0x120") << QSize(1280, 1024)
                                << QRect(16, 32, 256, 256);
    QTest::newRow("inverted rectangle is centred")
        << QByteArray("700,450,100,50") << QSize(1000, 800) << QRect(300, 250, 400, 300);
    QTest::newRow("extreme values stay in range")
        << QByteArray("-2147483648,0,2147483647,300") << QSize(1000, 800)
        << QRect(); // only: no overflow, a usable window
}

void tst_WindowPlacement::restore() {
    QFETCH(QByteArray, stored);
    QFETCH(QSize, screenSize);
    QFETCH(QRect, expected);
    const QList<QByteArray> v = stored.split(',');
    writeIni("[TPlacedForm_Placement]\nLeft=" + v[0] + "\nTop=" + v[1] + "\nRight=" + v[2] +
             "\nBottom=" + v[3] + "\nMaximized=0\n");
    TPlacedForm form;
    form.resize(400, 300);
    WindowPlacement::restoreWindowPlacement(form, screen(screenSize.width(), screenSize.height()));
    if (expected.isNull())
        QVERIFY(form.geometry().isValid());
    else
        QCOMPARE(form.geometry(), expected);
}

void tst_WindowPlacement::nothingStoredCentresAndStores() {
    TPlacedForm form;
    form.resize(401, 301);
    WindowPlacement::restoreWindowPlacement(form, screen(1000, 800));
    QCOMPARE(form.geometry(), QRect(299, 249, 401, 301));
    // The section exists from the first run on.
    const platform::IniFile file = ini();
    QCOMPARE(file.readInteger("TPlacedForm_Placement", "Left", -1), 299);
    QCOMPARE(file.readInteger("TPlacedForm_Placement", "Bottom", -1), 550);
    QCOMPARE(file.readInteger("TPlacedForm_Placement", "Maximized", -1), 0);

    // A window with an owner is centred over it.
    QWidget owner;
    owner.setGeometry(100, 100, 600, 500);
    TPlacedForm child;
    child.setParent(&owner, Qt::Dialog);
    child.resize(200, 100);
    writeIni({});
    WindowPlacement::restoreWindowPlacement(child, screen(1000, 800));
    QCOMPARE(child.pos(), QPoint(300, 300));
}

void tst_WindowPlacement::maximised() {
    writeIni("[TPlacedForm_Placement]\nLeft=10\nTop=20\nRight=610\nBottom=420\nMaximized=7\n");
    TPlacedForm form;
    WindowPlacement::restoreWindowPlacement(form, screen(1920, 1080));
    QVERIFY(form.isMaximized());
    // The stored rectangle stays the normal one, not the maximised size.
    const platform::IniFile file = ini();
    QCOMPARE(file.readInteger("TPlacedForm_Placement", "Maximized", -1), 1);
    QCOMPARE(file.readInteger("TPlacedForm_Placement", "Right", -1), 610);
    QCOMPARE(file.readInteger("TPlacedForm_Placement", "Bottom", -1), 420);
}

void tst_WindowPlacement::keepsTheRestOfTheFile() {
    const QByteArray before = "[Layout]\nHeight=2047\n\n[TPlacedForm_Placement]\nLeft=1\n"
                              "Top=2\nRight=300\nBottom=200\nMaximized=0\n\n[MRU]\nF0=/a\n";
    writeIni(before);
    TPlacedForm form;
    form.setGeometry(5, 6, 300, 200);
    WindowPlacement::saveWindowPlacement(form, screen(1920, 1080));
    QFile f(platform::PreferencesFile::fileName());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[Layout]\nHeight=2047\n\n[TPlacedForm_Placement]\nLeft=5\n"
                                     "Top=6\nRight=305\nBottom=206\nMaximized=0\n\n[MRU]\n"
                                     "F0=/a\n"));
}

QTEST_MAIN(tst_WindowPlacement)
#include "tst_WindowPlacement.moc"
