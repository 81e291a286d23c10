// The main window never drops unsaved changes: every way of closing or replacing the card
// asks "Save changes?" with Yes, No and Cancel, and only goes on when the card is saved or
// given up; the caption marks unsaved changes; the shortcuts; the recovery copy written
// while changes are unsaved and offered at the next start; what killed saves leave is gone at
// the next start; a card whose last opening did not finish is not opened again at start.
#include "support/CardBytes.h"
#include "support/MainWindowFixture.h"
#include "support/ManualTickClock.h"
#include "support/OrlantoProcess.h"
#include "support/ScriptedDialogHost.h"

#include "app/TMainScreen.h"
#include "app/TOpeningMark.h"
#include "app/TRecoveryFile.h"
#include "document/TGBusinessCardPanel32.h"
#include "document/TGLabelObjectFiler.h"
#include "platform/system/FileName.h"
#include "platform/system/HomeFolder.h"

#include <QAction>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
using Answer = platform::DialogHost::Answer;
using Panel = TGBusinessCardPanel32;

// The window's own dialog host, made before the window.
struct OwnDialogs {
    ScriptedDialogHost dialogs;
};

struct Window : OwnDialogs, MainWindowFixture {
    explicit Window(const QString& home) : MainWindowFixture(home, dialogs) {
        dialogs.questions.clear();
    }
    Panel& s() { return surface(); }
    void drawRectangle(int x, int y) {
        s().setPanelState(Panel::psRectangle);
        s().mouseDown(Qt::LeftButton, {}, x, y);
        s().mouseUp(Qt::LeftButton, {}, x + 40, y + 20);
        s().setPanelState(Panel::psPointing);
    }
};

QByteArray fileBytes(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QRect> bounds(const Panel& surface) {
    QList<QRect> all;
    for (const TGGraphicControl* o : surface.objects())
        all << o->bounds();
    return all;
}

mode_t fileMode(const QString& name) {
    struct stat st {};
    return ::stat(QFile::encodeName(name).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

enum Command { Close, Exit, New, Open, Recent, CancelButton };
enum Reply { Cancel, YesSaveAsCancelled, YesSaveFails, No, YesSaved };
} // namespace
Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(Reply)

class tst_UnsavedChanges : public QObject {
    Q_OBJECT
  private slots:
    void saveQuestion_data();
    void saveQuestion();
    void noQuestionWithoutChanges();
    void openedCardFitsWithoutChanges();
    void caption();
    void shortcuts();
    void saveOnUntitledIsSaveAs();
    void recoveryCopyWrittenAndOffered_data();
    void recoveryCopyWrittenAndOffered();
    void damagedRecoveryCopySetAside();
    void killedSaveLeavesNothingAtNextStart_data();
    void killedSaveLeavesNothingAtNextStart();
    void startKeepsWhatIsNotStale();
    void cardWhoseOpeningDidNotFinishIsNotReopened();
};

void tst_UnsavedChanges::saveQuestion_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<bool>("titled");
    const std::pair<const char*, Command> commands[] = {
        {"close", Close}, {"Exit", Exit},     {"New", New},
        {"Open", Open},   {"recent", Recent}, {"Cancel button", CancelButton}};
    for (const auto& [name, command] : commands) {
        const QByteArray n(name);
        QTest::newRow(n + ", Cancel") << command << Cancel << true;
        QTest::newRow(n + ", Yes, Save As cancelled") << command << YesSaveAsCancelled << false;
        QTest::newRow(n + ", Yes, save fails") << command << YesSaveFails << true;
        QTest::newRow(n + ", No") << command << No << true;
        QTest::newRow(n + ", Yes, saved") << command << YesSaved << false;
    }
}

void tst_UnsavedChanges::saveQuestion() {
    QFETCH(Command, command);
    QFETCH(Reply, reply);
    QFETCH(bool, titled);
    QTemporaryDir home;
    Window win(home.path());
    win.w->show();
    // Another card to open, also from the recent-files list.
    const QString other = home.filePath("Saved/Other.ORL");
    win.drawRectangle(200, 100);
    win.dialogs.fileNames.push_back(other);
    win.w->saveAsCommand();
    win.w->newCommand();
    // The card with unsaved changes, titled in its own folder or untitled.
    const QString folder = home.filePath("Cards");
    const QString card = folder + "/Card.ORL";
    QDir().mkpath(folder);
    win.drawRectangle(20, 20);
    if (titled) {
        win.dialogs.fileNames.push_back(card);
        win.w->saveAsCommand();
        win.drawRectangle(80, 60);
    }
    const QByteArray unsaved = win.bytes();
    const QByteArray onDisk = fileBytes(card);
    QVERIFY(win.w->changesMade());
    win.dialogs.questions.clear();
    win.dialogs.messages.clear();

    switch (reply) {
    case Cancel:
        win.dialogs.yesNoCancelAnswers.push_back(Answer::Cancel);
        break;
    case No:
        win.dialogs.yesNoCancelAnswers.push_back(Answer::No);
        break;
    case YesSaveAsCancelled:
        win.dialogs.yesNoCancelAnswers.push_back(Answer::Yes);
        break;
    case YesSaveFails:
        // The card's folder is gone and a file stands in its place: nothing can be written.
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
        win.dialogs.yesNoCancelAnswers.push_back(Answer::Yes);
        break;
    case YesSaved:
        win.dialogs.yesNoCancelAnswers.push_back(Answer::Yes);
        win.dialogs.fileNames.push_back(card);
        break;
    }
    switch (command) {
    case Close:
        win.w->close();
        break;
    case Exit:
        win.w->findChild<QAction*>("mnuExit")->trigger();
        break;
    case New:
        win.w->newCommand();
        break;
    case Open:
        if (reply == No || reply == YesSaved) win.dialogs.fileNames.push_back(other);
        win.w->openCommand();
        break;
    case Recent:
        win.w->mruItemClick(other);
        break;
    case CancelButton:
        win.w->cancelChangesCommand();
        break;
    }
    QCOMPARE(win.dialogs.questions, QStringList{"Save changes?"});

    const bool goesOn = reply == No || reply == YesSaved;
    if (!goesOn) {
        // The window and the card stay exactly as they were, still unsaved.
        QVERIFY(win.w->isVisible());
        QCOMPARE(win.bytes(), unsaved);
        QVERIFY(win.w->changesMade());
        QCOMPARE(win.w->currentFileName(), titled ? card : QString());
        if (reply == YesSaveFails) {
            QCOMPARE(win.dialogs.messages.size(), 1);
            QVERIFY2(win.dialogs.messages.front().startsWith("Cannot create file"),
                     qPrintable(win.dialogs.messages.front()));
        }
        if (command == Recent) QVERIFY(win.w->recentFiles().files().contains(other));
        return;
    }
    if (reply == YesSaved) {
        // What was saved is the card with its changes.
        QCOMPARE(fileBytes(card), unsaved);
    } else {
        QCOMPARE(fileBytes(card), onDisk);
    }
    switch (command) {
    case Close:
    case Exit:
        QVERIFY(!win.w->isVisible());
        break;
    case New:
        QVERIFY(win.s().objects().empty());
        break;
    case Open:
    case Recent:
        QCOMPARE(win.w->currentFileName(), other);
        break;
    case CancelButton:
        // No gives the changes up: the card is the one on disk again.
        if (reply == No)
            QCOMPARE(int(win.s().objects().size()), 1);
        else
            QCOMPARE(win.bytes(), unsaved);
        break;
    }
    if (command != Close && command != Exit) QVERIFY(!win.w->changesMade());
}

void tst_UnsavedChanges::noQuestionWithoutChanges() {
    QTemporaryDir home;
    Window win(home.path());
    win.w->show();
    win.drawRectangle(20, 20);
    win.w->undoCommand(); // back to the card as it was: nothing to save
    QVERIFY(!win.w->changesMade());
    win.w->cancelChangesCommand();
    win.w->newCommand();
    win.w->close();
    QVERIFY(win.dialogs.questions.isEmpty());
    QVERIFY(!win.w->isVisible());
}

void tst_UnsavedChanges::openedCardFitsWithoutChanges() {
    // Effect text stored lower than its text grows to fit when first painted; opening
    // the card and showing it is no change of the user's.
    QTemporaryDir home;
    const QString card = home.filePath("Saved/low.ORL");
    QDir().mkpath(home.filePath("Saved"));
    QFile file(card);
    QVERIFY(file.open(QIODevice::WriteOnly));
    TGValue caption;
    caption.tag = TGValue::String;
    caption.bytes = "Big";
    file.write(oneObjectCard("TGSuperText", {{"Width", TGValue::fromInt(100)},
                                             {"Height", TGValue::fromInt(40)},
                                             {"Caption", caption}}));
    file.close();
    Window win(home.path());
    win.w->show();
    win.dialogs.fileNames.push_back(card);
    win.w->openCommand();
    QCOMPARE(win.s().objects().size(), size_t(1));
    QCoreApplication::processEvents();
    QVERIFY(win.s().objects().front()->height() > 40);
    QVERIFY(!win.w->changesMade());
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - low.ORL"));
}

void tst_UnsavedChanges::caption() {
    QTemporaryDir home;
    Window win(home.path());
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - Untitled"));
    win.drawRectangle(20, 20);
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - Untitled *"));
    win.dialogs.fileNames.push_back(home.filePath("Saved/Smith.ORL"));
    win.w->saveAsCommand();
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - Smith.ORL"));
    win.drawRectangle(100, 20);
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - Smith.ORL *"));
    win.w->undoCommand();
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - Smith.ORL"));
    win.w->undoCommand();
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - Smith.ORL *"));
    win.w->redoCommand();
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Orlanto - Smith.ORL"));
    QVERIFY(!win.w->findChild<QPushButton*>("Savebutton")->isVisibleTo(win.w.get()));
}

void tst_UnsavedChanges::shortcuts() {
    QTemporaryDir home;
    Window win(home.path());
    const std::pair<const char*, QKeySequence> expected[] = {
        {"mnuNew", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"mnuOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"mnuPrint", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"mnuExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"mnuUndo", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"mnuRedo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {"mnuSelectAll", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"mnuWindowHelp", QKeySequence(Qt::Key_F1)},
    };
    for (const auto& [name, keys] : expected) {
        auto* action = win.w->findChild<QAction*>(name);
        QVERIFY2(action, name);
        QCOMPARE(action->shortcut(), keys);
    }
    win.drawRectangle(20, 20);
    win.drawRectangle(100, 20);
    win.s().handle().clear();
    win.w->findChild<QAction*>("mnuSelectAll")->trigger();
    QCOMPARE(win.s().handle().count(), 2);
}

void tst_UnsavedChanges::saveOnUntitledIsSaveAs() {
    QTemporaryDir home;
    Window win(home.path());
    win.drawRectangle(20, 20);
    const QString card = home.filePath("Saved/BC0001.ORL");
    win.dialogs.fileNames.push_back(card);
    win.w->findChild<QAction*>("mnuSave")->trigger();
    QCOMPARE(win.dialogs.fileDialogs.size(), 1);
    QCOMPARE(win.w->currentFileName(), card);
    QVERIFY(QFile::exists(card));
    QVERIFY(!win.w->changesMade());
}

void tst_UnsavedChanges::recoveryCopyWrittenAndOffered_data() {
    QTest::addColumn<bool>("titled");
    QTest::newRow("a card never saved") << false;
    QTest::newRow("a saved card") << true;
}

void tst_UnsavedChanges::recoveryCopyWrittenAndOffered() {
    QFETCH(bool, titled);
    QTemporaryDir home;
    ManualTickClock clock;
    const QString card = home.filePath("Saved/Mine.ORL");
    QByteArray changed;
    QList<QRect> shapes;
    // The copy and its companions are the user's alone, whatever the umask.
    const mode_t umaskBefore = ::umask(022);
    const auto restoreUmask = qScopeGuard([umaskBefore] { ::umask(umaskBefore); });
    {
        Window win(home.path());
        win.w->recovery().setClock(&clock);
        if (titled) {
            win.drawRectangle(100, 60);
            win.dialogs.fileNames.push_back(card);
            win.w->saveAsCommand();
        }
        win.drawRectangle(20, 20);
        changed = win.bytes();
        win.w->pollRecovery();
        clock.advance(59999);
        win.w->pollRecovery();
        QVERIFY(!TRecoveryFile::exists());
        clock.advance(1);
        win.w->pollRecovery();
        QCOMPARE(fileBytes(TRecoveryFile::cardPath()), changed);
        QCOMPARE(fileMode(TRecoveryFile::cardPath()), mode_t(0600));
        QCOMPARE(platform::FileName::exists(TRecoveryFile::namePath()), titled);
        if (titled) QCOMPARE(fileMode(TRecoveryFile::namePath()), mode_t(0600));
        // A copy an earlier version left readable by all becomes the user's alone.
        QCOMPARE(::chmod(QFile::encodeName(TRecoveryFile::cardPath()).constData(), 0644), 0);
        win.drawRectangle(200, 20);
        changed = win.bytes();
        shapes = bounds(win.s());
        clock.advance(60000);
        win.w->pollRecovery();
        QCOMPARE(fileBytes(TRecoveryFile::cardPath()), changed);
        QCOMPARE(fileMode(TRecoveryFile::cardPath()), mode_t(0600));
        // The session ends without closing the window, as a killed one would.
    }
    const QDateTime kept = QFileInfo(TRecoveryFile::cardPath()).lastModified();
    // The next start asks in its first activation, naming the card and when it was kept.
    {
        platform::HomeFolder::set(home.path());
        ScriptedDialogHost dialogs;
        dialogs.yesNoAnswers.push_back(true);
        TMainScreen w;
        w.firstActivation();
        QCOMPARE(dialogs.questions.size(), 1);
        const QString question = dialogs.questions.front();
        QVERIFY2(question.startsWith("Recover unsaved changes?\n"), qPrintable(question));
        QVERIFY2(question.contains(titled ? "Card: " + card : QStringLiteral("Card: Untitled")),
                 qPrintable(question));
        QVERIFY2(question.contains(QLocale().toString(kept.date(), QLocale::LongFormat)) &&
                     question.contains(QLocale().toString(kept.time(), QLocale::ShortFormat)),
                 qPrintable(question));
        QCOMPARE(bounds(w.surface()), shapes);
        // The card keeps its name, its changes still unsaved.
        QCOMPARE(w.currentFileName(), titled ? card : QString());
        QVERIFY(w.changesMade());
        QCOMPARE(w.windowTitle(), titled ? QStringLiteral("Orlanto - Mine.ORL *")
                                         : QStringLiteral("Orlanto - Untitled *"));
        // Saving writes the card where it was, and removes the copy.
        const QByteArray recovered =
            TGLabelObjectFiler(w.surface().classes()).writeObjects(w.surface().objects());
        dialogs.fileNames.push_back(home.filePath("Saved/Back.ORL"));
        w.findChild<QAction*>("mnuSave")->trigger();
        QCOMPARE(fileBytes(titled ? card : home.filePath("Saved/Back.ORL")), recovered);
        QCOMPARE(dialogs.fileDialogs.size(), titled ? 0 : 1);
        QVERIFY(!TRecoveryFile::exists());
        QVERIFY(!platform::FileName::exists(TRecoveryFile::namePath()));
    }
}

void tst_UnsavedChanges::damagedRecoveryCopySetAside() {
    QTemporaryDir home;
    platform::HomeFolder::set(home.path());
    // The user's card, opened from the recent-files list at start-up.
    const QString card = home.filePath("Saved/Mine.ORL");
    QByteArray cardBytes;
    {
        ScriptedDialogHost dialogs;
        TMainScreen w;
        w.firstActivation();
        w.surface().setPanelState(Panel::psRectangle);
        w.surface().mouseDown(Qt::LeftButton, {}, 20, 20);
        w.surface().mouseUp(Qt::LeftButton, {}, 60, 40);
        dialogs.fileNames.push_back(card);
        w.saveAsCommand();
        cardBytes = TGLabelObjectFiler(w.surface().classes()).writeObjects(w.surface().objects());
    }
    QFile damaged(TRecoveryFile::cardPath());
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\x01TPF0\x09TBCShapes\x08Special1\x04Le", 27));
    damaged.close();
    for (int start = 0; start < 2; ++start) {
        ScriptedDialogHost dialogs;
        TMainScreen w;
        w.firstActivation();
        QVERIFY(dialogs.questions.isEmpty());
        // Reported once, then set aside; the user's card is open and untouched.
        QCOMPARE(dialogs.messages.filter("set aside").size(), start == 0 ? 1 : 0);
        QCOMPARE(w.currentFileName(), card);
        QCOMPARE(int(w.surface().objects().size()), 1);
        QCOMPARE(fileBytes(card), cardBytes);
        QVERIFY(!w.changesMade());
    }
    QVERIFY(!TRecoveryFile::exists());
    QVERIFY(QFile::exists(TRecoveryFile::cardPath() + ".damaged"));
}

void tst_UnsavedChanges::killedSaveLeavesNothingAtNextStart_data() {
    QTest::addColumn<QString>("target");
    QTest::newRow("the recovery copy") << "Recover.ORL";
    QTest::newRow("a card in Saved") << "Saved/Mine.ORL";
}

void tst_UnsavedChanges::killedSaveLeavesNothingAtNextStart() {
    // A save killed part-way, as a session killed while it writes: the program writes a
    // 256 KB card and is killed by the system when the file passes 64 KB. The next start
    // leaves nothing of it behind.
    QFETCH(QString, target);
    QTemporaryDir home;
    QDir().mkpath(home.filePath("Saved"));
    const QString big = home.filePath("big.ORL");
    QFile bigFile(big);
    QVERIFY(bigFile.open(QIODevice::WriteOnly));
    bigFile.write(
        oneObjectCard("TBCShapes", {{"Hint", TGValue::fromString(QString(256 * 1024, 'x'))}}));
    bigFile.close();
    const OrlantoProcess::Result killed =
        OrlantoProcess::run({"resave", big, home.filePath(target)}, {}, [] {
            const rlimit limit{64 * 1024, 64 * 1024};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    QCOMPARE(killed.code, -2);
    const QFileInfo written(home.filePath(target));
    const auto leftOver = [&written] {
        return written.dir().entryList({"*" + written.fileName() + "*"},
                                       QDir::Files | QDir::Hidden);
    };
    QVERIFY(!leftOver().isEmpty());

    platform::HomeFolder::set(home.path());
    ScriptedDialogHost dialogs;
    TMainScreen w;
    w.firstActivation();
    QVERIFY(dialogs.questions.isEmpty());
    QCOMPARE(leftOver(), QStringList());
}

void tst_UnsavedChanges::startKeepsWhatIsNotStale() {
    QTemporaryDir home;
    const QDir folder(home.path());
    // A write under way in another program holds its temporary file locked.
    const QString underWay = folder.filePath(".Recover.ORL.k2f9x.orlanto-tmp");
    QFile busy(underWay);
    QVERIFY(busy.open(QIODevice::WriteOnly));
    QCOMPARE(::flock(busy.handle(), LOCK_EX), 0);
    // The user's own files, whatever their names.
    const QStringList own{"Recover.ORL.damaged", ".hidden", "notes.orlanto-tmp", ".orlanto-tmp"};
    for (const QString& name : own) {
        QFile f(folder.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    platform::HomeFolder::set(home.path());
    ScriptedDialogHost dialogs;
    TMainScreen w;
    w.firstActivation();
    QVERIFY(QFile::exists(underWay));
    for (const QString& name : own)
        QVERIFY2(QFile::exists(folder.filePath(name)), qPrintable(name));
}

void tst_UnsavedChanges::cardWhoseOpeningDidNotFinishIsNotReopened() {
    QTemporaryDir home;
    platform::HomeFolder::set(home.path());
    const QString card = home.filePath("Saved/Heavy.ORL");
    {
        Window win(home.path());
        win.drawRectangle(20, 20);
        win.dialogs.fileNames.push_back(card);
        win.w->saveAsCommand();
    }
    const auto statusText = [](TMainScreen& w) {
        return w.findChild<QStatusBar*>("StatusBar")->currentMessage();
    };
    {
        // Reopened at start, and the opening finishes: nothing is said.
        Window win(home.path());
        QCOMPARE(win.w->currentFileName(), card);
        QCOMPARE(statusText(*win.w), QString());
    }
    // The program ended while it opened the card (frozen and killed, or crashed): the mark
    // of the opening is left.
    TOpeningMark::begin(card);
    for (int start = 0; start < 2; ++start) {
        Window win(home.path());
        QCOMPARE(win.w->currentFileName(), QString());
        QVERIFY(win.s().objects().empty());
        QVERIFY(win.dialogs.messages.isEmpty());
        QVERIFY(statusText(*win.w).contains("Heavy.ORL was not opened again"));
        QCOMPARE(win.w->recentFiles().files().value(0), card);
        if (start == 1) win.w->mruItemClick(card); // the user opens it: now it finishes
        QCOMPARE(int(win.s().objects().size()), start);
    }
    Window win(home.path());
    QCOMPARE(win.w->currentFileName(), card);
    QCOMPARE(statusText(*win.w), QString());
}

QTEST_MAIN(tst_UnsavedChanges)
#include "tst_UnsavedChanges.moc"
