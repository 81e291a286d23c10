// The main window as the user meets it around the card: Save As names, menu mnemonics,
// Enter and Escape, the dialogs it opens (centred across it, clear of the card, with
// what's-this help), error messages
// of the picture dialogs, a broken stored layout, card files naming their objects, and
// zoom keys in the middle of a drag or a nudge. The window is shown on the offscreen
// platform, so that keys travel the window's own event filter.
#include "support/CardBytes.h"
#include "support/MainWindowFixture.h"
#include "support/ScriptedDialogHost.h"

#include "app/PrintCommand.h"
#include "app/TMainScreen.h"
#include "app/TPreferences.h"
#include "document/TGBusinessCardPanel32.h"
#include "objects/shapes/TGImageBrowser.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/widgets/HelpViewer.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBrowser>
#include <QToolButton>
#include <QWhatsThis>
#include <QtTest>

#include <cstdlib>
#include <functional>

namespace {
// A shown window in a fresh home, activated as at start-up, with its start-up messages
// (such as having no printer) kept apart.
struct Window : MainWindowFixture {
    Window(const QString& home, ScriptedDialogHost& dialogs)
        : MainWindowFixture(home, dialogs, {.shownAt = QPoint(40, 30)}) {}
};

void drawRectangle(TMainScreen& w, int x, int y) {
    TGBusinessCardPanel32& s = w.surface();
    s.setPanelState(TGBusinessCardPanel32::psRectangle);
    s.mouseDown(Qt::LeftButton, {}, x, y);
    s.mouseUp(Qt::LeftButton, {}, x + 40, y + 20);
    s.setPanelState(TGBusinessCardPanel32::psPointing);
}

void writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The letter after a single "&" in a caption, or none.
QChar mnemonic(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

using Command = std::function<void(TMainScreen&)>;
} // namespace

Q_DECLARE_METATYPE(Command)

class tst_MainScreenShell : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void saveAsAddsExtension_data();
    void saveAsAddsExtension();
    void menuMnemonicsDistinct();
    void enterAndEscape_data();
    void enterAndEscape();
    void dialogsBesideCardWithWhatsThis_data();
    void dialogsBesideCardWithWhatsThis();
    void whatsThisKeyAndButton();
    void personalInfoTextDialogFitsScreen();
    void pictureErrorsUseErrorBox_data();
    void pictureErrorsUseErrorBox();
    void invalidLayoutFallsBackAsAWhole();
    void storedNameIgnored();
    void zoomKeysEraseOutlines_data();
    void zoomKeysEraseOutlines();
    void newObjectSelected_data();
    void newObjectSelected();
    void altVOpensViewMenu();
    void helpFollowsWindow();
    void recentFilesAboveExit();
    void statusFieldsApart();
};

void tst_MainScreenShell::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
}

void tst_MainScreenShell::saveAsAddsExtension_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no dot") << "Smith"
                            << "Smith.ORL";
    QTest::newRow("dot in the name") << "Jane v1.2"
                                     << "Jane v1.2.ORL";
    QTest::newRow("other extension") << "card.txt"
                                     << "card.txt.ORL";
    QTest::newRow("lower case") << "Smith.orl"
                                << "Smith.orl";
    QTest::newRow("mixed case") << "Smith.Orl"
                                << "Smith.Orl";
}

void tst_MainScreenShell::saveAsAddsExtension() {
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    drawRectangle(*win.w, 20, 20);
    dialogs.fileNames.push_back(home.filePath("Saved/" + typed));
    win.w->saveAsCommand();
    const QString file = home.filePath("Saved/" + saved);
    QVERIFY(QFile::exists(file));
    QCOMPARE(win.w->currentFileName(), file);
    // File › Open takes it back.
    win.w->newCommand();
    dialogs.fileNames.push_back(file);
    win.w->openCommand();
    QCOMPARE(dialogs.messages, QStringList());
    QCOMPARE(win.surface().objects().size(), size_t(1));
}

void tst_MainScreenShell::menuMnemonicsDistinct() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    for (QAction* top : win.w->menuBar()->actions()) {
        QMap<QChar, QString> taken;
        for (const QAction* a : top->menu()->actions()) {
            const QChar m = mnemonic(a->text());
            if (m.isNull()) continue;
            QVERIFY2(!taken.contains(m), qPrintable(a->text() + " and " + taken.value(m)));
            taken.insert(m, a->text());
        }
    }
}

void tst_MainScreenShell::enterAndEscape_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("asked"); // the file dialog or question that follows, if any
    QTest::newRow("Return saves") << int(Qt::Key_Return) << true << "Save Business Card";
    QTest::newRow("keypad Enter saves") << int(Qt::Key_Enter) << true << "Save Business Card";
    QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << true << "Save changes?";
    QTest::newRow("Return without changes") << int(Qt::Key_Return) << false << "";
    QTest::newRow("Escape without changes") << int(Qt::Key_Escape) << false << "";
}

void tst_MainScreenShell::enterAndEscape() {
    QFETCH(int, key);
    QFETCH(bool, changed);
    QFETCH(QString, asked);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    if (changed) drawRectangle(*win.w, 20, 20);
    QCOMPARE(win.w->changesMade(), changed);
    // The buttons show exactly while there are changes.
    QCOMPARE(win.w->findChild<QPushButton*>("Savebutton")->isVisible(), changed);
    QCOMPARE(win.w->findChild<QPushButton*>("Cancelbutton")->isVisible(), changed);
    win.view()->setFocus();
    QTest::keyClick(win.view(), Qt::Key(key));
    const QStringList seen =
        dialogs.fileDialogs.replaceInStrings(QRegularExpression("\\|.*"), "") + dialogs.questions;
    QCOMPARE(seen, asked.isEmpty() ? QStringList() : QStringList{asked});
}

void tst_MainScreenShell::dialogsBesideCardWithWhatsThis_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("title");
    QTest::newRow("about") << Command(&TMainScreen::aboutCommand) << "About Orlanto";
    QTest::newRow("personal information")
        << Command(&TMainScreen::personalInformationCommand) << "Personal Information";
    QTest::newRow("background art")
        << Command(&TMainScreen::backgroundArtCommand) << "Load  Business Card Background Art ";
    QTest::newRow("card layout") << Command(&TMainScreen::layoutCommand) << "Business Card Layout";
    QTest::newRow("text tool, a dialog without a parent") << Command([](TMainScreen& w) {
        w.surface().setPanelState(TGBusinessCardPanel32::psLabel);
        w.surface().mouseDown(Qt::LeftButton, {}, 20, 20);
        w.surface().mouseUp(Qt::LeftButton, {}, 20, 20);
    }) << "Text";
}

void tst_MainScreenShell::dialogsBesideCardWithWhatsThis() {
    QFETCH(Command, command);
    QFETCH(QString, title);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    bool ran = false;
    const auto check = [&](QDialog& d) {
        ran = true;
        // Centred across the window; the card at 100 %, which a dialog centred on the window
        // would hide, stays in sight.
        const int centre = win.w->frameGeometry().center().x();
        const int own = d.frameGeometry().center().x();
        QVERIFY2(std::abs(own - centre) <= 2,
                 qPrintable(QStringLiteral("%1 vs %2").arg(own).arg(centre)));
        const QRect card(win.view()->mapToGlobal(QPoint(0, 0)), win.view()->size());
        QVERIFY(!d.frameGeometry().intersects(card));
        // The "?" button sits in the row of the dialog's buttons.
        auto* whatsThis = d.findChild<QToolButton*>("WhatsThisButton");
        QVERIFY(whatsThis);
        QCOMPARE(whatsThis->text(), QStringLiteral("?"));
        const auto buttons = d.findChildren<QPushButton*>();
        QVERIFY(!buttons.isEmpty());
        const auto rowOf = [&d](QWidget* w) {
            for (QBoxLayout* l : d.findChildren<QBoxLayout*>())
                if (l->indexOf(w) >= 0) return l;
            return static_cast<QBoxLayout*>(nullptr);
        };
        bool besideAButton = whatsThis->parentWidget() == buttons.front()->parentWidget() &&
                             whatsThis->parentWidget() != &d;
        for (QPushButton* b : buttons)
            besideAButton |= rowOf(b) && rowOf(b) == rowOf(whatsThis);
        QVERIFY(besideAButton);
        // Shift+F1 is the dialog's what's-this key.
        bool shiftF1 = false;
        for (const QAction* a : d.actions())
            shiftF1 |= a->shortcut() == QKeySequence(Qt::SHIFT | Qt::Key_F1);
        QVERIFY(shiftF1);
        // Every button says what it is; so does every control a label names.
        for (QAbstractButton* b : d.findChildren<QAbstractButton*>())
            if (!b->text().isEmpty()) QVERIFY2(!b->whatsThis().isEmpty(), qPrintable(b->text()));
        for (QLabel* l : d.findChildren<QLabel*>())
            if (l->buddy()) QVERIFY2(!l->buddy()->whatsThis().isEmpty(), qPrintable(l->text()));
    };
    dialogs.dialogs.push_back([&check](QDialog& d) {
        check(d);
        return int(QDialog::Rejected);
    });
    command(*win.w);
    QVERIFY(ran);
    QCOMPARE(dialogs.dialogTitles, QStringList{title});
}

void tst_MainScreenShell::whatsThisKeyAndButton() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    for (bool viaKey : {true, false}) {
        bool entered = false;
        dialogs.dialogs.push_back([viaKey, &entered](QDialog& d) {
            d.show();
            d.activateWindow();
            [&] { QTRY_COMPARE(QApplication::activeWindow(), &d); }();
            auto* name = d.findChild<QLineEdit*>("pPersonalName");
            if (viaKey)
                QTest::keyClick(name, Qt::Key_F1, Qt::ShiftModifier);
            else
                d.findChild<QToolButton*>("WhatsThisButton")->click();
            entered = QWhatsThis::inWhatsThisMode();
            QWhatsThis::leaveWhatsThisMode();
            [&] { QCOMPARE(name->whatsThis(), QStringLiteral("Name")); }();
            return int(QDialog::Rejected);
        });
        win.w->personalInformationCommand();
        QVERIFY2(entered, viaKey ? "Shift+F1" : "the ? button");
    }
}

void tst_MainScreenShell::personalInfoTextDialogFitsScreen() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    const QString address = QStringLiteral("Unit 7, ") + QString(290, QLatin1Char('x')) + "END";
    win.surface().setPersonalInfo(TGBusinessCardPanel32::piAddress1, address);
    bool ran = false;
    dialogs.dialogs.push_back([&](QDialog& d) {
        ran = true;
        d.show();
        const QRect screen = d.screen()->availableGeometry();
        [&] {
            QVERIFY2(d.frameGeometry().width() <= screen.width(),
                     qPrintable(QString::number(d.frameGeometry().width())));
            for (QPushButton* b : d.findChildren<QPushButton*>()) {
                const QRect r(b->mapToGlobal(QPoint(0, 0)), b->size());
                QVERIFY2(screen.contains(r), qPrintable(b->text()));
            }
            // The value is still offered whole and picks the whole text.
            auto* combo = d.findChild<QComboBox*>("PersonalInfoCombo");
            combo->setCurrentIndex(combo->findData(address));
        }();
        return int(QDialog::Accepted);
    });
    win.surface().setPanelState(TGBusinessCardPanel32::psLabel);
    win.surface().mouseDown(Qt::LeftButton, {}, 20, 20);
    win.surface().mouseUp(Qt::LeftButton, {}, 20, 20);
    QVERIFY(ran);
    QCOMPARE(win.surface().objects().size(), size_t(1));
    QCOMPARE(win.surface().objects().front()->property("Caption").toString(), address);
}

void tst_MainScreenShell::pictureErrorsUseErrorBox_data() {
    QTest::addColumn<Command>("command");
    QTest::newRow("background art") << Command([](TMainScreen& w) { w.backgroundArtCommand(); });
    QTest::newRow("picture object") << Command([](TMainScreen& w) {
        TGBusinessCardPanel32& s = w.surface();
        s.setPanelState(TGBusinessCardPanel32::psImage);
        s.mouseDown(Qt::LeftButton, {}, 20, 20);
        s.mouseUp(Qt::LeftButton, {}, 20, 20);
    });
}

void tst_MainScreenShell::pictureErrorsUseErrorBox() {
    QFETCH(Command, command);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    const QString broken = home.filePath("bg/broken.bmp");
    writeFile(broken, "BM not a bitmap");
    dialogs.dialogs.push_back([&broken](QDialog& d) {
        if (auto* browser = dynamic_cast<TGImageBrowser*>(&d))
            browser->selectFile(broken);
        else // the background art dialog lists the bg folder
            d.findChild<QListWidget*>("FileListBox")->setCurrentRow(0);
        return int(QDialog::Rejected);
    });
    command(*win.w);
    QCOMPARE(dialogs.errors, QStringList{"Error loading file!"});
    QCOMPARE(dialogs.messages, dialogs.errors);
}

void tst_MainScreenShell::invalidLayoutFallsBackAsAWhole() {
    QTemporaryDir home;
    // A card wider than A4 with the file's own pitches, margins, counts and paper.
    writeFile(home.filePath("ORL.INI"), "[Layout]\nWidth=9000\nHeight=1000\nHPitch=4000\n"
                                        "VPitch=1500\nTopMargin=250\nLeftMargin=300\nAcross=1\n"
                                        "Down=3\nPapersize=9\nPredefLayout=11\nUseMM=1\n");
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    QCOMPARE(win.startMessages.count(TPreferences::layoutReplacedMessage()), 1);
    TCardLayout expected;
    expected.useMM = true;
    QCOMPARE(win.w->preferences().print.layout, expected);
    QCOMPARE(QSize(win.surface().width(), win.surface().height()), QSize(336, 192));
    // Reading the preferences again later says nothing more.
    win.w->personalInformationCommand();
    QCOMPARE(dialogs.messages, QStringList());
    // The command line prints with the same layout and says so too.
    const QString card = home.filePath("CARD.ORL");
    win.surface().saveCard(card);
    PrintCommand print;
    QCOMPARE(print.run({"print", card, "-o", home.filePath("out.pdf"), "--home", home.path()}), 0);
    QCOMPARE(print.messages, QStringList{TPreferences::layoutReplacedMessage()});
}

void tst_MainScreenShell::storedNameIgnored() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    const QString card = home.filePath("Saved/Named.ORL");
    writeFile(card, oneObjectCard("TBCShapes", {{"Left", TGValue::fromInt(30)},
                                                {"Name", TGValue::fromString("Other")},
                                                {"Width", TGValue::fromInt(40)}}));
    win.w->openFile(card);
    QCOMPARE(dialogs.messages, QStringList());
    QCOMPARE(win.w->currentFileName(), card);
    QCOMPARE(win.surface().objects().size(), size_t(1));
    const TGGraphicControl* o = win.surface().objects().front();
    QVERIFY(o->objectName() != QLatin1String("Other"));
    QCOMPARE(o->left(), 30);
    QCOMPARE(o->width(), 40);
}

void tst_MainScreenShell::zoomKeysEraseOutlines_data() {
    QTest::addColumn<bool>("mouseDrag"); // else an arrow key held down
    QTest::addColumn<int>("key");
    QTest::newRow("keypad + during a drag") << true << int(Qt::Key_Plus);
    QTest::newRow("keypad - during a drag") << true << int(Qt::Key_Minus);
    QTest::newRow("keypad + with an arrow held") << false << int(Qt::Key_Plus);
}

void tst_MainScreenShell::zoomKeysEraseOutlines() {
    QFETCH(bool, mouseDrag);
    QFETCH(int, key);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    drawRectangle(*win.w, 40, 40);
    if (key == Qt::Key_Minus) win.w->zoomIn();
    TGBusinessCardPanel32& s = win.surface();
    QWidget* view = win.view();
    view->setFocus();
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(s.handle().count(), 1);
    const QRect bounds = s.objects().front()->bounds();
    if (mouseDrag) {
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::qWait(30);
        QMouseEvent move(QEvent::MouseMove, QPointF(70, 60), view->mapToGlobal(QPointF(70, 60)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    } else {
        QTest::keyPress(view, Qt::Key_Right);
        QTest::keyPress(view, Qt::Key_Right);
    }
    QVERIFY(!s.xorOutlines().empty());
    const float zoom = s.zoomFactor();
    QTest::keyPress(view, Qt::Key(key), Qt::KeypadModifier);
    QTest::keyRelease(view, Qt::Key(key), Qt::KeypadModifier);
    QVERIFY(s.zoomFactor() != zoom);
    QCOMPARE(s.xorOutlines().size(), size_t(0));
    QCOMPARE(s.handle().count(), 1); // the zoom ends the gesture, not the selection
    if (mouseDrag)
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(70, 60));
    else
        QTest::keyRelease(view, Qt::Key_Right);
    QCOMPARE(s.xorOutlines().size(), size_t(0));
    QCOMPARE(s.objects().front()->bounds(), bounds); // the gesture ended moves nothing
}

void tst_MainScreenShell::newObjectSelected_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("rectangle dragged") << "DrawRectanglebutton" << QPoint(20, 20) << QPoint(90, 60);
    QTest::newRow("ellipse clicked") << "DrawEllipseButton" << QPoint(30, 30) << QPoint(30, 30);
    QTest::newRow("line dragged") << "DrawLinebutton" << QPoint(20, 80) << QPoint(120, 84);
}

void tst_MainScreenShell::newObjectSelected() {
    QFETCH(QString, tool);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    win.w->findChild<QToolButton*>(tool)->click();
    QWidget* view = win.view();
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    QTest::mouseMove(view, to);
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
    QCOMPARE(win.surface().objects().size(), size_t(1));
    QCOMPARE(win.surface().handle().count(), 1);
    QCOMPARE(win.surface().handle().selection().front(), win.surface().objects().front());
}

void tst_MainScreenShell::altVOpensViewMenu() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    QMenu* viewMenu = nullptr;
    for (QAction* top : win.w->menuBar()->actions())
        if (top->text() == QStringLiteral("&View")) viewMenu = top->menu();
    QVERIFY(viewMenu);
    win.view()->setFocus();
    QTest::keyClick(win.w.get(), Qt::Key_V, Qt::AltModifier);
    QTRY_VERIFY(viewMenu->isVisible());
    QVERIFY(QApplication::focusWidget() != win.w->findChild<QPushButton*>("PreviewButton"));
    viewMenu->close();
}

void tst_MainScreenShell::helpFollowsWindow() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    win.view()->setFocus();
    QTest::keyClick(win.view(), Qt::Key_F1);
    auto* help = qobject_cast<QTextBrowser*>(platform::HelpViewer::openWindow());
    QVERIFY(help);
    // The page names the zoom range the window has.
    const QString range = QStringLiteral("from %1% to %2%")
                              .arg(TMainScreen::minZoomPercent)
                              .arg(TMainScreen::maxZoomPercent);
    QVERIFY2(help->toPlainText().contains(range), qPrintable(help->toPlainText()));
    // Exit closes help with the window, so that the program ends.
    win.w->findChild<QAction*>("mnuExit")->trigger();
    QVERIFY(!win.w->isVisible());
    QTRY_VERIFY(!platform::HelpViewer::openWindow());
}

void tst_MainScreenShell::recentFilesAboveExit() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    drawRectangle(*win.w, 20, 20);
    const QString card = home.filePath("Saved/Recent.ORL");
    dialogs.fileNames.push_back(card);
    win.w->saveAsCommand();
    QCOMPARE(win.w->recentFiles().files(), QStringList{card});
    QMenu* file = nullptr;
    for (QAction* top : win.w->menuBar()->actions())
        if (top->text() == QStringLiteral("&File")) file = top->menu();
    QVERIFY(file);
    QStringList texts;
    for (const QAction* a : file->actions())
        if (!a->isSeparator() && a->isVisible()) texts << a->text();
    const qsizetype recent = texts.indexOf(QRegularExpression("^&1 .*Recent\\.ORL$"));
    QVERIFY2(recent >= 0, qPrintable(texts.join(" | ")));
    QCOMPARE(texts.last(), QStringLiteral("E&xit"));
}

void tst_MainScreenShell::statusFieldsApart() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), dialogs);
    drawRectangle(*win.w, 20, 20);
    QWidget* view = win.view();
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseMove(view, QPoint(40, 40));
    auto* selection = win.w->findChild<QLabel*>("SelectionStatus");
    auto* pointer = win.w->findChild<QLabel*>("PointerStatus");
    QTRY_VERIFY(!selection->text().isEmpty() && !pointer->text().isEmpty());
    // Where one field's text ends and the next begins, at least a few pixels apart.
    auto textRect = [](QLabel* l) {
        const QRect c = l->contentsRect();
        const int w = l->fontMetrics().horizontalAdvance(l->text());
        return QRect(l->mapTo(l->window(), c.topLeft()), QSize(std::min(w, c.width()), c.height()));
    };
    const QRect a = textRect(selection), b = textRect(pointer);
    const QRect left = a.left() < b.left() ? a : b, right = a.left() < b.left() ? b : a;
    QVERIFY2(right.left() - (left.left() + left.width()) >= 8,
             qPrintable(QStringLiteral("%1 / %2").arg(left.right()).arg(right.left())));
}

QTEST_MAIN(tst_MainScreenShell)
#include "tst_MainScreenShell.moc"
