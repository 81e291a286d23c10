// The main window's commands, headless with scripted dialogs: start-up folders, Save As
// proposals, companion files, opening refused or broken files, change tracking, zoom,
// the default-font caption, personal information and background art.
#include "support/MainWindowFixture.h"
#include "support/ScriptedDialogHost.h"

#include "app/CardFiles.h"
#include "app/SurfaceView.h"
#include "app/TLoadBackGround.h"
#include "app/TMainScreen.h"
#include "app/TPersonalInformation.h"
#include "document/TGBusinessCardPanel32.h"
#include "objects/shapes/TGImage.h"
#include "objects/text/TGPRichBaseLabel.h"
#include "objects/text/TRichTextLabelEditor.h"
#include "platform/pictures/Graphic.h"
#include "platform/richtext/RtfReader.h"
#include "platform/system/FileName.h"
#include "platform/system/HomeFolder.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A window in a fresh home, activated as at start-up.
// The messages shown at start-up (such as having no printer) are dropped.
using Window = MainWindowFixture;

void writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class tst_MainScreen : public QObject {
    Q_OBJECT
  private slots:
    void firstRun();
    void proposedNames_data();
    void proposedNames();
    void companionNames_data();
    void companionNames();
    void openRefusesOtherExtensions();
    void missingRecentFile();
    void openRefusesWhatIsNotAFile_data();
    void openRefusesWhatIsNotAFile();
    void zoomSteps();
    void defaultFontCaption_data();
    void defaultFontCaption();
    void personalInformation();
    void backgroundArt();
    void backgroundArtNoneWithoutArtIsNoChange();
    void backgroundArtThatCannotBeShown_data();
    void backgroundArtThatCannotBeShown();
    void backgroundArtBrowseCopiesIntoFolder();
    void droppedPictureBecomesObject();
    void droppedCardOpensAfterSavePrompt();
    void saveWritesAndDeletesCompanion();
    void corruptedCardBecomesUntitled();
    void exitWithCancelledSaveAs();
    void cancelAllChangesReloads();
    void richTextTool();
    void namesNotUtf8AcrossStarts();
    void saveAsTargets_data();
    void saveAsTargets();
};

namespace {
// Draws a rectangle with the rectangle tool at (x, y).
void drawRectangle(TMainScreen& w, int x, int y) {
    TGBusinessCardPanel32& s = w.surface();
    s.setPanelState(TGBusinessCardPanel32::psRectangle);
    s.mouseDown(Qt::LeftButton, {}, x, y);
    s.mouseUp(Qt::LeftButton, {}, x + 40, y + 20);
    s.setPanelState(TGBusinessCardPanel32::psPointing);
}
} // namespace

void tst_MainScreen::firstRun() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    for (const char* folder : {"Saved", "bg", "bmbrush"})
        QVERIFY2(QDir(home.path()).exists(QLatin1String(folder)), folder);
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - Untitled"));
    QVERIFY(!win.w->changesMade());
    // The card is sized from the default layout: 3.5 x 2.0 in at the screen's density.
    const int ppi = win.w->logicalDpiY();
    QCOMPARE(win.w->surface().width(), qRound(3.5 * ppi));
    QCOMPARE(win.w->surface().height(), qRound(2.0 * ppi));
    // Save As on an untitled card proposes BC0001.ORL in Saved.
    win.w->saveAsCommand();
    QCOMPARE(dialogs.fileDialogs.last(), QStringLiteral("Save Business Card|") +
                                             platform::HomeFolder::path() + "Saved/BC0001.ORL");
}

void tst_MainScreen::proposedNames_data() {
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("empty") << QStringList{} << "BC0001.ORL";
    QTest::newRow("gap") << QStringList{"BC0001.ORL", "BC0003.ORL"} << "BC0002.ORL";
    QTest::newRow("other names") << QStringList{"Smith.ORL", "BC0002.ORL"} << "BC0001.ORL";
}

void tst_MainScreen::proposedNames() {
    QFETCH(QStringList, existing);
    QFETCH(QString, proposed);
    QTemporaryDir dir;
    for (const QString& name : existing)
        writeFile(dir.filePath(name), "x");
    QCOMPARE(CardFiles::proposedName(dir.path()), proposed);
}

void tst_MainScreen::companionNames_data() {
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("companion");
    QTest::newRow("plain") << "/home/ann/Cards/Smith.ORL"
                           << "/home/ann/Cards/Smith.ORX";
    QTest::newRow("dotted folder") << "/home/ann/My.Cards/Smith.ORL"
                                   << "/home/ann/My.Cards/Smith.ORX";
    QTest::newRow("dotted folder, two dots") << "/home/ann/.local/a.b.ORL"
                                             << "/home/ann/.local/a.ORX";
    QTest::newRow("two dots") << "/cards/a.b.ORL"
                              << "/cards/a.ORX";
}

void tst_MainScreen::companionNames() {
    QFETCH(QString, card);
    QFETCH(QString, companion);
    QCOMPARE(CardFiles::companionName(card), companion);
}

void tst_MainScreen::openRefusesOtherExtensions() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    const QString txt = home.filePath("notes.txt");
    writeFile(txt, "hello");
    dialogs.fileNames.push_back(txt);
    win.w->openCommand();
    QCOMPARE(dialogs.messages, QStringList{"Must be a ORL (Orlanto) file"});
    QCOMPARE(win.w->currentFileName(), QString());
    QCOMPARE(dialogs.fileDialogs.last(),
             QStringLiteral("Open Business Card|") + platform::HomeFolder::path() + "Saved/");
}

void tst_MainScreen::missingRecentFile() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    const QString gone = home.filePath("Saved/gone.ORL");
    win.w->mruItemClick(gone);
    QCOMPARE(dialogs.messages, QStringList{gone + " no longer exists"});
    QVERIFY(!win.w->recentFiles().files().contains(gone));
}

void tst_MainScreen::zoomSteps() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    win.w->zoomOut();
    QCOMPARE(win.w->zoomCaption(), QStringLiteral("100%"));
    QStringList captions;
    for (int i = 0; i < 6; ++i) {
        win.w->zoomIn();
        captions << win.w->zoomCaption();
    }
    QCOMPARE(captions, (QStringList{"110%", "120%", "130%", "140%", "150%", "150%"}));
    for (int i = 0; i < 6; ++i)
        win.w->zoomOut();
    QCOMPARE(win.w->zoomCaption(), QStringLiteral("100%"));
    QCOMPARE(win.w->surface().zoomFactor(), 1.0f);
    QVERIFY(!win.w->changesMade());
}

void tst_MainScreen::defaultFontCaption_data() {
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("caption");
    QFont boldItalic(QStringLiteral("Arial"));
    boldItalic.setPointSize(12);
    boldItalic.setBold(true);
    boldItalic.setItalic(true);
    QTest::newRow("12 pt bold italic") << boldItalic << "Default Font: Arial, 12 pt , bold, italic";
    QFont plain(QStringLiteral("Arial"));
    plain.setPointSize(10);
    QFont underlined = plain;
    underlined.setUnderline(true);
    QTest::newRow("underline") << underlined << "Default Font: Arial, 10 pt , underline";
}

void tst_MainScreen::defaultFontCaption() {
    QFETCH(QFont, font);
    QFETCH(QString, caption);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    QCOMPARE(win.w->defaultFontCaption(), QStringLiteral("Default Font: Arial, 10 pt "));
    dialogs.fonts.push_back(font);
    win.w->defaultFontCommand();
    QCOMPARE(win.w->defaultFontCaption(), caption);
    // The font is kept in the preferences file and comes back at the next start.
    win.w.reset();
    Window again(home.path(), dialogs);
    QCOMPARE(again.w->defaultFontCaption(), caption);
}

void tst_MainScreen::personalInformation() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QLineEdit*>("pPersonalName")->setText("Ann Smith");
        d.findChild<QLineEdit*>("pPersonalEmail")->setText("ann@example.org");
        return int(QDialog::Accepted);
    });
    win.w->personalInformationCommand();
    QCOMPARE(dialogs.dialogTitles.last(), QStringLiteral("Personal Information"));
    QCOMPARE(win.w->surface().personalInfo(TGBusinessCardPanel32::piName),
             QStringLiteral("Ann Smith"));
    QCOMPARE(win.w->surface().personalInfo(TGBusinessCardPanel32::piEmail),
             QStringLiteral("ann@example.org"));
    // Cancel after editing leaves the file as it was.
    QFile ini(home.filePath("ORL.INI"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray before = ini.readAll();
    ini.close();
    dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QLineEdit*>("pPersonalName")->setText("Someone Else");
        return int(QDialog::Rejected);
    });
    win.w->personalInformationCommand();
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), before);
    QCOMPARE(win.w->surface().personalInfo(TGBusinessCardPanel32::piName),
             QStringLiteral("Ann Smith"));
}

void tst_MainScreen::backgroundArt() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    QImage art(35, 20, QImage::Format_RGB32);
    art.fill(Qt::blue);
    QVERIFY(art.save(home.filePath("bg/logo.bmp")));
    writeFile(home.filePath("bg/broken.bmp"), "not a bitmap");
    // "Ok" with nothing selected only beeps; then choose the broken file (its preview
    // fails with the message), then the real one.
    dialogs.dialogs.push_back([&dialogs](QDialog& d) {
        auto* list = d.findChild<QListWidget*>("FileListBox");
        d.findChild<QPushButton*>("OKButton")->click();
        const int beeps = dialogs.beeps;
        list->setCurrentItem(list->findItems("broken.bmp", Qt::MatchExactly).front());
        list->setCurrentItem(list->findItems("logo.bmp", Qt::MatchExactly).front());
        d.findChild<QPushButton*>("OKButton")->click();
        return beeps == 1 ? d.result() : -1;
    });
    win.w->backgroundArtCommand();
    QCOMPARE(dialogs.beeps, 1);
    QCOMPARE(dialogs.messages, QStringList{"Error loading file!"});
    QCOMPARE(win.w->backgroundFile(), home.filePath("bg/logo.bmp"));
    QVERIFY(win.w->changesMade());
    QVERIFY(win.w->surface().colorPicture());
    // The dialog selects a missing art file's namesake in the bg folder.
    TLoadBackGround dialog(home.filePath("bg"));
    dialog.selectFile(home.filePath("bg/logo.bmp"));
    QCOMPARE(dialog.selectedFile(), home.filePath("bg/logo.bmp"));
}

void tst_MainScreen::backgroundArtThatCannotBeShown_data() {
    QTest::addColumn<QByteArray>("content"); // of the art file; empty: there is none
    QTest::addColumn<QString>("problem");    // what the status bar says of it
    QTest::newRow("damaged") << QByteArray("not a bitmap") << "is damaged";
    QTest::newRow("missing") << QByteArray() << "cannot be read (";
}

void tst_MainScreen::backgroundArtThatCannotBeShown() {
    // A card whose companion file names art that cannot be shown opens without the art and
    // says why in the status bar; the card keeps naming the art, so a save loses nothing.
    QFETCH(QByteArray, content);
    QFETCH(QString, problem);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    const QString art = home.filePath("art.bmp");
    if (!content.isEmpty()) writeFile(art, content);
    drawRectangle(*win.w, 20, 20);
    const QString card = home.filePath("card.ORL");
    QVERIFY(win.w->saveBCFile(card));
    writeFile(home.filePath("card.ORX"), art.toLocal8Bit() + "\r\n");
    win.w->openBCFile(card);
    QCOMPARE(win.w->backgroundFile(), art);
    QVERIFY(!win.w->surface().colorPicture());
    const QString message = win.w->statusBar()->currentMessage();
    QVERIFY2(message.startsWith(QStringLiteral("The background art %1 %2").arg(art, problem)),
             qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("; the card is shown without it.")),
             qPrintable(message));
    QVERIFY(dialogs.messages.isEmpty());
}

void tst_MainScreen::backgroundArtNoneWithoutArtIsNoChange() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QPushButton*>("NoneButton")->click();
        return d.result();
    });
    win.w->backgroundArtCommand();
    QVERIFY(!win.w->changesMade());
    QCOMPARE(win.w->backgroundFile(), QString());
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - Untitled"));
}

void tst_MainScreen::backgroundArtBrowseCopiesIntoFolder() {
    QTemporaryDir home, elsewhere, userHome;
    // A desktop without a pictures folder.
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(userHome.path()));
    const auto restore = qScopeGuard([&] { qputenv("HOME", oldHome); });
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    QImage art(35, 20, QImage::Format_ARGB32);
    art.fill(QColor(0, 0, 255, 100));
    QVERIFY(art.save(elsewhere.filePath("logo.png")));
    writeFile(home.filePath("bg/logo.png"), "an older namesake");
    QString listed;
    dialogs.fileNames.push_back(elsewhere.filePath("logo.png"));
    dialogs.dialogs.push_back([&listed](QDialog& d) {
        d.findChild<QPushButton*>("BrowseButton")->click();
        const QListWidget* list = d.findChild<QListWidget*>("FileListBox");
        listed = list->currentItem() ? list->currentItem()->text() : QString();
        d.findChild<QPushButton*>("OKButton")->click();
        return d.result();
    });
    win.w->backgroundArtCommand();
    QCOMPARE(listed, QStringLiteral("logo (2).png"));
    // The file dialog opened on a folder that exists, the home folder here.
    QCOMPARE(dialogs.fileDialogs.size(), 1);
    QCOMPARE(dialogs.fileDialogs.front(),
             QStringLiteral("Browse for Background Art|") + QDir(userHome.path()).path());
    QCOMPARE(win.w->backgroundFile(), home.filePath("bg/logo (2).png"));
    QVERIFY(win.w->surface().colorPicture());
    QCOMPARE(win.w->surface().colorPicture()->image().size(), QSize(35, 20));
    QVERIFY(win.w->surface().colorPicture()->image().hasAlphaChannel());
    QCOMPARE(QFileInfo(home.filePath("bg/logo.png")).size(), qint64(17)); // left alone
    QVERIFY(dialogs.errors.isEmpty());
}

void tst_MainScreen::droppedPictureBecomesObject() {
    QTemporaryDir home, elsewhere;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    QImage art(40, 24, QImage::Format_ARGB32);
    art.fill(QColor(255, 0, 0, 200));
    QVERIFY(art.save(elsewhere.filePath("logo.png")));
    writeFile(elsewhere.filePath("broken.gif"), "GIF89a broken");
    const int before = int(win.w->surface().objects().size());

    // A file that is neither card nor picture is not taken.
    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(elsewhere.filePath("notes.txt"))});
    QVERIFY(!win.w->dropFiles(text, QPoint(30, 40)));

    // Dropped through the window's own drop event, as a file manager's drag ends.
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(elsewhere.filePath("logo.png")),
                  QUrl::fromLocalFile(elsewhere.filePath("broken.gif"))});
    const QPoint at = win.w->surfaceView().mapTo(win.w.get(), QPoint(30, 40));
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(win.w.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(win.w.get(), &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(dialogs.errors, QStringList{"Error loading file!"}); // the damaged one
    QCOMPARE(int(win.w->surface().objects().size()), before + 1);
    auto* image = qobject_cast<TGImage*>(win.w->surface().objects().back());
    QVERIFY(image);
    QCOMPARE(image->bounds(), QRect(30, 40, 40, 24));
    QVERIFY(image->graphic().image().hasAlphaChannel());
    QVERIFY(win.w->changesMade());

    // One step of the undo history.
    win.w->undoCommand();
    QCOMPARE(int(win.w->surface().objects().size()), before);
    QVERIFY(!win.w->changesMade());
}

void tst_MainScreen::droppedCardOpensAfterSavePrompt() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    drawRectangle(*win.w, 20, 20);
    const QString card = home.filePath("Saved/dropped.orl");
    QVERIFY(win.w->saveBCFile(card));
    drawRectangle(*win.w, 60, 60);
    drawRectangle(*win.w, 100, 60);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(card)});
    // Cancel at the save prompt keeps the unsaved card.
    dialogs.questions.clear();
    dialogs.yesNoCancelAnswers.push_back(platform::DialogHost::Answer::Cancel);
    QVERIFY(win.w->dropFiles(mime, QPoint(5, 5)));
    QCOMPARE(dialogs.questions, QStringList{"Save changes?"});
    QCOMPARE(int(win.w->surface().objects().size()), 3);
    // No: the dropped card opens.
    dialogs.yesNoCancelAnswers.push_back(platform::DialogHost::Answer::No);
    QVERIFY(win.w->dropFiles(mime, QPoint(5, 5)));
    QCOMPARE(win.w->currentFileName(), card);
    QCOMPARE(int(win.w->surface().objects().size()), 1);
}

void tst_MainScreen::saveWritesAndDeletesCompanion() {
    // The home lies below a folder with a dot in its name, as ~/.local/share does.
    QTemporaryDir root;
    QDir(root.path()).mkdir("my.home");
    QDir home(root.filePath("my.home"));
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    drawRectangle(*win.w, 20, 20);
    QVERIFY(win.w->changesMade());
    QImage art(10, 10, QImage::Format_RGB32);
    art.fill(Qt::green);
    const QString artFile = home.filePath("bg/art.bmp");
    QVERIFY(art.save(artFile));
    dialogs.dialogs.push_back([](QDialog& d) {
        auto* list = d.findChild<QListWidget*>("FileListBox");
        list->setCurrentRow(0);
        return int(QDialog::Accepted);
    });
    win.w->backgroundArtCommand();
    const QString card = home.filePath("Saved/Smith.ORL");
    dialogs.fileNames.push_back(card);
    win.w->saveAsCommand();
    QVERIFY(QFile::exists(card));
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - Smith.ORL"));
    QVERIFY(!win.w->changesMade());
    QFile orx(home.filePath("Saved/Smith.ORX"));
    QVERIFY(orx.open(QIODevice::ReadOnly));
    QCOMPARE(orx.readAll(), artFile.toLocal8Bit() + "\r\n");
    orx.close();
    // Another card without art in the same folder neither takes nor deletes Smith's.
    win.w->newCommand();
    drawRectangle(*win.w, 40, 40);
    dialogs.fileNames.push_back(home.filePath("Saved/Jones.ORL"));
    win.w->saveAsCommand();
    QVERIFY(QFile::exists(home.filePath("Saved/Jones.ORL")));
    QVERIFY(orx.exists());
    QVERIFY(!QFile::exists(home.filePath("Saved/Jones.ORX")));
    win.w->openBCFile(card);
    QCOMPARE(win.w->backgroundFile(), artFile);
    // Without background art the companion file goes.
    dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QPushButton*>("NoneButton")->click();
        return d.result();
    });
    win.w->backgroundArtCommand();
    win.w->saveCommand();
    QVERIFY(!QFile::exists(orx.fileName()));
    QCOMPARE(win.w->recentFiles().files().front(), card);
}

void tst_MainScreen::saveAsTargets_data() {
    QTest::addColumn<QString>("name");    // what the save dialog returns, in Saved
    QTest::addColumn<QString>("link");    // where it links to, when it is a link
    QTest::addColumn<QString>("written"); // the file that holds the card then, empty for none
    QTest::addColumn<QString>("message"); // what the user is told, %1 the full name
    QTest::newRow("a name too long for the system") << QString(300, 'n') + ".ORL"
                                                    << ""
                                                    << ""
                                                    << "Cannot create file %1: File name too long";
    QTest::newRow("a link whose file does not exist yet") << "Link.ORL"
                                                          << "Target.ORL"
                                                          << "Target.ORL"
                                                          << "";
    QTest::newRow("a link into a folder that does not exist")
        << "Link.ORL"
        << "gone/Target.ORL"
        << ""
        << "Cannot create file %1: No such file or directory";
}

void tst_MainScreen::saveAsTargets() {
    QFETCH(QString, name);
    QFETCH(QString, link);
    QFETCH(QString, written);
    QFETCH(QString, message);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    const QDir saved(home.filePath("Saved"));
    const QString full = saved.filePath(name);
    if (!link.isEmpty()) QCOMPARE(::symlink(QFile::encodeName(link), QFile::encodeName(full)), 0);
    drawRectangle(*win.w, 20, 20);
    dialogs.fileNames.push_back(full);
    win.w->saveAsCommand();
    QCOMPARE(dialogs.messages, message.isEmpty() ? QStringList() : QStringList{message.arg(full)});
    QCOMPARE(win.w->changesMade(), written.isEmpty());
    QCOMPARE(win.w->currentFileName(), written.isEmpty() ? QString() : full);
    // A link stays a link; the file it names holds the card.
    if (!link.isEmpty()) QCOMPARE(QFileInfo(full).symLinkTarget(), saved.filePath(link));
    const QStringList files = saved.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
}

void tst_MainScreen::corruptedCardBecomesUntitled() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    drawRectangle(*win.w, 20, 20);
    const QString good = home.filePath("Saved/Good.ORL");
    dialogs.fileNames.push_back(good);
    win.w->saveAsCommand();
    const QString bad = home.filePath("Saved/Bad.ORL");
    writeFile(bad, QByteArray("\x01TPF0\x09TBCShapes\x08Special1\x04Le", 27));
    dialogs.fileNames.push_back(bad);
    win.w->openCommand();
    QCOMPARE(dialogs.messages, QStringList{"Unable to open " + bad +
                                           ". Possibly corrupted, possibly not a ORL file"});
    QVERIFY(win.w->surface().objects().empty());
    QCOMPARE(win.w->currentFileName(), QString());
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - Untitled"));
    // Save now asks for a name instead of writing the empty card over the good one.
    const QByteArray before = [&good] {
        QFile f(good);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    dialogs.fileDialogs.clear();
    win.w->saveCommand();
    QCOMPARE(dialogs.fileDialogs.size(), 1);
    QVERIFY(dialogs.fileDialogs.front().startsWith("Save Business Card|"));
    QFile f(good);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void tst_MainScreen::exitWithCancelledSaveAs() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    win.w->show();
    drawRectangle(*win.w, 20, 20);
    dialogs.yesNoAnswers.push_back(true); // "Save changes?" Yes, then Save As is cancelled
    win.w->exitCommand();
    QCOMPARE(dialogs.questions, QStringList{"Save changes?"});
    // Nothing was saved, so the window stays with the card.
    QVERIFY(win.w->isVisible());
    QVERIFY(win.w->changesMade());
    QVERIFY(QDir(home.filePath("Saved")).entryList(QDir::Files).isEmpty());
}

void tst_MainScreen::cancelAllChangesReloads() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    drawRectangle(*win.w, 20, 20);
    dialogs.fileNames.push_back(home.filePath("Saved/One.ORL"));
    win.w->saveAsCommand();
    drawRectangle(*win.w, 100, 60);
    QCOMPARE(int(win.w->surface().objects().size()), 2);
    dialogs.yesNoCancelAnswers.push_back(platform::DialogHost::Answer::No);
    win.w->cancelChangesCommand();
    QCOMPARE(dialogs.questions.last(), QStringLiteral("Save changes?"));
    QCOMPARE(int(win.w->surface().objects().size()), 1);
    QCOMPARE(win.w->surface().objects().front()->bounds(), QRect(20, 20, 40, 20));
    QVERIFY(!win.w->changesMade());
}

void tst_MainScreen::richTextTool() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    auto* button = win.w->findChild<QAbstractButton*>(QStringLiteral("DrawRichText"));
    QVERIFY(button && button->isEnabled());
    button->click();
    QCOMPARE(win.w->surface().panelState(), TGBusinessCardPanel32::psRichLabel);
    dialogs.dialogs.push_back([](QDialog& d) {
        auto* editor = qobject_cast<TRichTextLabelEditor*>(&d);
        if (!editor) return int(QDialog::Rejected);
        platform::RtfReader::read("{\\rtf1 Hello {\\b rich} text}", editor->document());
        return int(QDialog::Accepted);
    });
    win.w->surface().createObjectInRect(QRect(20, 20, 200, 50));
    QCOMPARE(dialogs.dialogTitles, QStringList{"Rich Text Editor"});
    const auto labels = win.w->findChildren<TGPRichBaseLabel*>();
    QCOMPARE(labels.size(), 1);
    QVERIFY(!labels[0]->richText().document().isEmpty());
    QVERIFY(win.w->changesMade());
}

void tst_MainScreen::openRefusesWhatIsNotAFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("folder") << "folder"
                            << " is a folder, not a card file";
    QTest::newRow("FIFO")
        << "fifo"
        << " is not a card file: it is a device, FIFO or socket, not a regular file";
}

void tst_MainScreen::openRefusesWhatIsNotAFile() {
    // Named on the command line or picked from the recent files: refused with a word, and a
    // FIFO is not opened (that would wait for a writer for ever).
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    const QString name = home.filePath("Saved/Odd.ORL");
    if (kind == "folder")
        QVERIFY(QDir().mkpath(name));
    else
        QCOMPARE(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
    win.w->openFile(name);
    QCOMPARE(dialogs.messages, QStringList{name + message});
    win.w->mruItemClick(name);
    QCOMPARE(dialogs.messages, (QStringList{name + message, name + message}));
    QCOMPARE(win.w->currentFileName(), QString());
}

void tst_MainScreen::namesNotUtf8AcrossStarts() {
    // A card and its background art named in Latin-1 (an old disk's names): the art is
    // picked from its folder's list, the card saved under the chosen bytes, and the next
    // start reopens it, the last of two recent cards, with its art.
    using platform::FileName;
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    const QByteArray root = QFile::encodeName(home.path()) + '/';
    const auto cleanUp = qScopeGuard([&root] {
        for (const char* name : {"bg/f\xf6nd.bmp", "Saved/caf\xe9.ORL", "Saved/caf\xe9.ORX"})
            ::unlink(root + name);
    });
    const QString plain = home.filePath("Saved/Plain.ORL");
    const QString card = FileName::fromBytes(root + "Saved/caf\xe9.ORL");
    {
        Window win(home.path(), dialogs);
        drawRectangle(*win.w, 20, 20);
        dialogs.fileNames.push_back(plain);
        win.w->saveAsCommand();
        drawRectangle(*win.w, 60, 40);
        QImage art(10, 10, QImage::Format_RGB32);
        art.fill(Qt::green);
        QVERIFY(art.save(home.filePath("bg/art.bmp")));
        QVERIFY(::rename(root + "bg/art.bmp", root + "bg/f\xf6nd.bmp") == 0);
        dialogs.dialogs.push_back([](QDialog& d) {
            auto* list = d.findChild<QListWidget*>("FileListBox");
            if (list->count() != 1 || list->item(0)->text() != QStringLiteral("fönd.bmp"))
                return -1;
            list->setCurrentRow(0);
            return int(QDialog::Accepted);
        });
        win.w->backgroundArtCommand();
        QCOMPARE(FileName::toBytes(win.w->backgroundFile()), root + "bg/f\xf6nd.bmp");
        dialogs.fileNames.push_back(card);
        win.w->saveAsCommand();
        QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - café.ORL"));
        QCOMPARE(dialogs.messages, QStringList());
    }
    std::FILE* orx = std::fopen(root + "Saved/caf\xe9.ORX", "rb");
    QVERIFY(orx);
    char line[256] = {};
    std::fgets(line, sizeof line, orx);
    std::fclose(orx);
    QCOMPARE(QByteArray(line), root + "bg/f\xf6nd.bmp\r\n");

    Window again(home.path(), dialogs);
    QCOMPARE(again.w->currentFileName(), card);
    QCOMPARE(again.w->recentFiles().files(), (QStringList{card, plain}));
    QCOMPARE(FileName::toBytes(again.w->backgroundFile()), root + "bg/f\xf6nd.bmp");
    QCOMPARE(again.w->surface().objects().size(), size_t(2));
}

QTEST_MAIN(tst_MainScreen)
#include "tst_MainScreen.moc"
