// Undo and redo of every kind of change to the card, made through the surface's input
// calls with real object kinds and scripted menus and dialogs: after undo the card file
// bytes are those from before the change, after redo those from after it, and each
// change is exactly one step.
#include "support/ManualTickClock.h"
#include "support/ScriptedDialogHost.h"

#include "app/TMainScreen.h"
#include "document/TGBusinessCardPanel32.h"
#include "document/TGLabelObjectFiler.h"
#include "objects/text/TGBusinessCardLabel.h"
#include "platform/system/HomeFolder.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QRandomGenerator>
#include <QtTest>

#include <functional>

namespace {
using Panel = TGBusinessCardPanel32;
const QPoint rectA(50, 40), rectB(130, 55), ellipse(80, 115), label(200, 110), empty(300, 170);

// A main window in a fresh home with three rectangles and a text label on the card.
struct Card {
    Card() {
        platform::HomeFolder::set(home.path());
        w = std::make_unique<TMainScreen>();
        s().setClock(&clock);
        draw(Panel::psRectangle, {20, 20}, {80, 60});
        draw(Panel::psRectangle, {100, 30}, {160, 80});
        draw(Panel::psEllipse, {40, 90}, {120, 140});
        s().place<TGBusinessCardLabel>(
            QRect(QPoint(180, 100), QPoint(260, 130)),
            [](TGBusinessCardLabel& label) { label.setCaption(QStringLiteral("Hello")); });
        // The label fits its text when its layout settles; that is no change under test.
        s().settleLayout();
        s().handle().clear();
        s().history().clear();
    }
    Panel& s() { return w->surface(); }
    QUndoStack& stack() { return s().history().stack(); }
    QByteArray bytes() { return TGLabelObjectFiler(s().classes()).writeObjects(s().objects()); }
    void draw(Panel::TLPanelState tool, QPoint from, QPoint to) {
        s().setPanelState(tool);
        s().mouseDown(Qt::LeftButton, {}, from.x(), from.y());
        clock.advance(50);
        s().mouseMove(Qt::LeftButton, {}, to.x(), to.y());
        s().mouseUp(Qt::LeftButton, {}, to.x(), to.y());
        s().setPanelState(Panel::psPointing);
        clock.advance(50);
    }
    void click(QPoint p, Qt::KeyboardModifiers mods = {}, Qt::MouseButton button = Qt::LeftButton) {
        s().mouseDown(button, mods, p.x(), p.y());
        clock.advance(50);
        s().mouseUp(button, mods, p.x(), p.y());
        s().mouseMove(Qt::NoButton, mods, p.x(), p.y());
        clock.advance(50);
    }
    void drag(QPoint from, QPoint to) {
        s().mouseMove(Qt::NoButton, {}, from.x(), from.y());
        s().mouseDown(Qt::LeftButton, {}, from.x(), from.y());
        clock.advance(200);
        s().mouseMove(Qt::LeftButton, {}, from.x(), from.y());
        clock.advance(200);
        s().mouseMove(Qt::LeftButton, {}, to.x(), to.y());
        clock.advance(200);
        s().mouseUp(Qt::LeftButton, {}, to.x(), to.y());
        s().mouseMove(Qt::NoButton, {}, to.x(), to.y());
        clock.advance(200);
    }
    void key(int k, Qt::KeyboardModifiers mods = {}) {
        s().keyDown(k, mods);
        s().keyUp(k, mods);
    }
    // A right click at p that picks the menu item ("Submenu/Item" for a submenu).
    void popup(QPoint p, const QString& choice) {
        dialogs.menuChoices.push_back(choice);
        click(p, {}, Qt::RightButton);
    }
    void selectAll() {
        s().selectAll();
        s().handle().setFocused(true);
    }
    // Drops a noisy 600 x 600 picture file (seeded, so each seed gives other bytes) on the
    // card at p, as a file manager's drag does; returns the file's size.
    qint64 dropPicture(QPoint p, quint32 seed) {
        QImage picture(600, 600, QImage::Format_RGB32);
        QRandomGenerator random(seed);
        for (int y = 0; y < picture.height(); ++y)
            random.fillRange(reinterpret_cast<quint32*>(picture.scanLine(y)), picture.width());
        const QString file = home.filePath(QStringLiteral("picture%1.bmp").arg(seed));
        picture.save(file);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        w->dropFiles(mime, p);
        return QFileInfo(file).size();
    }

    QTemporaryDir home;
    ManualTickClock clock;
    ScriptedDialogHost dialogs;
    std::unique_ptr<TMainScreen> w;
};

struct Change {
    const char* name;
    const char* undoText;
    std::function<void(Card&)> act;
};

const Change changes[] = {
    {"create with a tool", "Create",
     [](Card& c) {
         c.draw(Panel::psRectangle, {200, 20}, {260, 60});
     }},
    {"create text with its dialog", "Create",
     [](Card& c) {
         c.s().font().setName("Liberation Serif");
         c.dialogs.dialogs.push_back([](QDialog& d) {
             d.findChild<QLineEdit*>("LabelText")->setText("Typed");
             return int(QDialog::Accepted);
         });
         c.draw(Panel::psLabel, {200, 20}, {280, 50});
     }},
    {"Delete key", "Delete",
     [](Card& c) {
         c.click(rectA);
         c.key(Qt::Key_Delete);
     }},
    {"Ctrl+X", "Cut",
     [](Card& c) {
         c.click(rectB);
         c.key(Qt::Key_X, Qt::ControlModifier);
     }},
    {"Ctrl+V", "Paste",
     [](Card& c) {
         c.click(rectA);
         c.key(Qt::Key_C, Qt::ControlModifier);
         c.stack().clear(); // copying changes nothing
         c.key(Qt::Key_V, Qt::ControlModifier);
     }},
    {"Clone", "Clone", [](Card& c) { c.popup(ellipse, "Clone"); }},
    {"popup Delete", "Delete", [](Card& c) { c.popup(label, "Delete"); }},
    {"drag of three selected objects", "Move",
     [](Card& c) {
         c.click(rectA);
         c.click(rectB, Qt::ShiftModifier);
         c.click(ellipse, Qt::ShiftModifier);
         c.drag(rectA, rectA + QPoint(17, 9));
     }},
    {"resize by the corner grip", "Resize",
     [](Card& c) {
         c.click(rectA);
         c.drag({81, 61}, {101, 75});
     }},
    {"held arrow key", "Move",
     [](Card& c) {
         c.click(rectB);
         for (int i = 0; i < 20; ++i)
             c.s().keyDown(Qt::Key_Right, {});
         c.s().keyUp(Qt::Key_Right, {});
     }},
    {"Shift+arrow", "Resize",
     [](Card& c) {
         c.click(rectB);
         c.key(Qt::Key_Down, Qt::ShiftModifier);
     }},
    {"Bring To Front", "Bring To Front", [](Card& c) { c.popup(rectA, "Bring To Front"); }},
    {"Send To Back", "Send To Back", [](Card& c) { c.popup(label, "Send To Back"); }},
    {"Background Color", "Background Color",
     [](Card& c) {
         c.dialogs.colors.push_back(TColor::clRed);
         c.popup(rectB, "Background Color");
     }},
    {"Line Thickness", "3 Point", [](Card& c) { c.popup(rectA, "Line Thickness/3 Point"); }},
    {"label Font", "Font",
     [](Card& c) {
         c.dialogs.fonts.push_back(QFont("Liberation Serif", 20));
         c.popup(label, "Font");
     }},
    {"label Text Color", "Text Color",
     [](Card& c) {
         c.dialogs.colors.push_back(TColor::clGreen);
         c.popup(label, "Text Color...");
     }},
    {"label Alignment", "Right", [](Card& c) { c.popup(label, "Alignment/Right"); }},
    {"label Border", "Border", [](Card& c) { c.popup(label, "Border"); }},
    {"label text dialog from a double-click", "Text",
     [](Card& c) {
         c.click(label);
         c.dialogs.menuChoices.push_back("Text");
         c.dialogs.dialogs.push_back([](QDialog& d) {
             d.findChild<QLineEdit*>("LabelText")->setText("Changed");
             return int(QDialog::Accepted);
         });
         c.s().doubleClick({}, label.x(), label.y());
         c.s().mouseUp(Qt::LeftButton, {}, label.x(), label.y());
     }},
    {"Locked", "Locked", [](Card& c) { c.popup(rectA, "Locked"); }},
    {"Unselectable", "Unselectable", [](Card& c) { c.popup(rectB, "Unselectable"); }},
    {"Center Horizontally", "Center Horizontally",
     [](Card& c) { c.popup(ellipse, "Center Horizontally"); }},
    {"Align Left", "Align Left",
     [](Card& c) {
         c.selectAll();
         c.popup(rectB, "Align Left");
     }},
    {"Align Bottoms", "Align Bottoms",
     [](Card& c) {
         c.selectAll();
         c.popup(rectB, "Align Bottoms");
     }},
    {"surface Center Vertically", "Center Vertically",
     [](Card& c) {
         c.selectAll();
         c.popup(rectB, "Center Vertically");
     }},
    {"Lock All", "Lock All", [](Card& c) { c.popup(empty, "Lock All"); }},
    {"Mark All Unselectable", "Mark All Unselectable",
     [](Card& c) { c.popup(empty, "Mark All Unselectable"); }},
    {"surface Font", "Font",
     [](Card& c) {
         c.selectAll();
         c.dialogs.fonts.push_back(QFont("Liberation Mono", 16));
         c.popup(rectB, "Font");
     }},
};
} // namespace

class tst_UndoHistory : public QObject {
    Q_OBJECT
  private slots:
    void changeRoundTrips_data();
    void changeRoundTrips();
    void undoMenuAndSelection();
    void zoomBetweenChangeAndUndo();
    void boundedAndEmptiedByNew();
    void backgroundArtAndLayout();
    void movedPictureStoredOnce();
    void boundedInBytes();
};

void tst_UndoHistory::changeRoundTrips_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(changes)); ++i)
        QTest::newRow(changes[i].name) << i;
}

void tst_UndoHistory::changeRoundTrips() {
    QFETCH(int, index);
    const Change& change = changes[index];
    Card c;
    const QByteArray before = c.bytes();
    change.act(c);
    const QByteArray after = c.bytes();
    QVERIFY2(after != before, "the change changed nothing");
    QCOMPARE(c.stack().count(), 1);
    QCOMPARE(c.stack().undoText(), QString::fromLatin1(change.undoText));
    c.w->undoCommand();
    QCOMPARE(c.bytes(), before);
    QVERIFY(!c.w->changesMade());
    c.w->redoCommand();
    QCOMPARE(c.bytes(), after);
    QVERIFY(c.w->changesMade());
    // Undo and redo again: the restored objects are as good as the originals.
    c.w->undoCommand();
    QCOMPARE(c.bytes(), before);
    c.w->redoCommand();
    QCOMPARE(c.bytes(), after);
}

void tst_UndoHistory::undoMenuAndSelection() {
    Card c;
    QAction* undo = c.w->findChild<QAction*>("mnuUndo");
    QAction* redo = c.w->findChild<QAction*>("mnuRedo");
    QCOMPARE(undo->text(), QStringLiteral("&Undo"));
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(redo->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                                     QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    c.click(rectA);
    c.click(ellipse, Qt::ShiftModifier);
    c.drag(rectA, rectA + QPoint(30, 0));
    QCOMPARE(undo->text(), QStringLiteral("&Undo Move"));
    c.s().handle().clear();
    undo->trigger();
    QCOMPARE(redo->text(), QStringLiteral("&Redo Move"));
    QCOMPARE(undo->text(), QStringLiteral("&Undo"));
    // The objects put back are the selection, at their old places.
    QCOMPARE(c.s().handle().count(), 2);
    QCOMPARE(c.s().handle().item(0)->bounds(), QRect(20, 20, 60, 40));
    QCOMPARE(c.s().handle().item(1)->bounds().topLeft(), QPoint(40, 90));
    // The z-order is as it was: the label stays on top.
    QCOMPARE(c.s().objects().back()->metaObject()->className(), "TGBusinessCardLabel");
    QCOMPARE(c.s().indexOf(c.s().handle().item(0)), 0);
}

void tst_UndoHistory::zoomBetweenChangeAndUndo() {
    Card c;
    const QByteArray before = c.bytes();
    c.click(rectB);
    c.key(Qt::Key_Left);
    const QByteArray after = c.bytes();
    c.w->zoomIn();
    c.w->zoomIn();
    c.w->undoCommand();
    c.w->zoomOut();
    c.w->zoomOut();
    QCOMPARE(c.bytes(), before);
    c.w->redoCommand();
    QCOMPARE(c.bytes(), after);
    QCOMPARE(c.stack().count(), 1);
}

void tst_UndoHistory::boundedAndEmptiedByNew() {
    Card c;
    c.click(rectA);
    for (int i = 0; i < TGUndoHistory::stepLimit + 20; ++i)
        c.key(i % 2 ? Qt::Key_Left : Qt::Key_Right);
    QCOMPARE(c.stack().count(), TGUndoHistory::stepLimit);
    c.dialogs.yesNoCancelAnswers.push_back(platform::DialogHost::Answer::No);
    c.w->newCommand();
    QCOMPARE(c.stack().count(), 0);
    QVERIFY(!c.w->findChild<QAction*>("mnuUndo")->isEnabled());
}

void tst_UndoHistory::backgroundArtAndLayout() {
    Card c;
    QImage art(10, 10, QImage::Format_RGB32);
    art.fill(Qt::green);
    const QString artFile = c.home.filePath("bg/art.bmp");
    QVERIFY(art.save(artFile));
    c.dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QListWidget*>("FileListBox")->setCurrentRow(0);
        return int(QDialog::Accepted);
    });
    c.w->backgroundArtCommand();
    QCOMPARE(c.stack().undoText(), QStringLiteral("Background Art"));
    c.w->undoCommand();
    QCOMPARE(c.w->backgroundFile(), QString());
    QVERIFY(!c.s().colorPicture());
    QVERIFY(!c.w->changesMade());
    c.w->redoCommand();
    QCOMPARE(c.w->backgroundFile(), artFile);
    QVERIFY(c.s().colorPicture());
    // Choosing the same art again is no change.
    c.dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QListWidget*>("FileListBox")->setCurrentRow(0);
        return int(QDialog::Accepted);
    });
    c.w->backgroundArtCommand();
    QCOMPARE(c.stack().count(), 1);

    // The card size from the layout.
    const QSize size(c.s().width(), c.s().height());
    c.dialogs.dialogs.push_back([](QDialog& d) {
        auto* width = d.findChild<QLineEdit*>("eCardwidth");
        if (!width) return -1;
        width->setText("3");
        return int(QDialog::Accepted);
    });
    c.w->layoutCommand();
    QVERIFY(c.s().width() < size.width());
    QCOMPARE(c.stack().undoText(), QStringLiteral("Business Card Layout"));
    c.w->undoCommand();
    QCOMPARE(QSize(c.s().width(), c.s().height()), size);
    QCOMPARE(c.w->preferences().print.layout.width, 3.5f);
}

QTEST_MAIN(tst_UndoHistory)
void tst_UndoHistory::movedPictureStoredOnce() {
    // Every step of moving a picture with the arrow keys shares the picture's bytes with
    // the card and the other steps; so do steps made after undoing some, when the
    // picture has been read back from the history.
    Card c;
    const qint64 picture = c.dropPicture(empty, 1);
    const QByteArray placed = c.bytes();
    c.click(c.s().objects().back()->bounds().center());
    for (int i = 0; i < 30; ++i)
        c.key(Qt::Key_Left);
    QCOMPARE(c.stack().count(), 31);
    const qint64 once = picture + 64 * 1024;
    QVERIFY2(c.s().history().storedBytes() < once,
             qPrintable(QString::number(c.s().history().storedBytes())));
    const QByteArray moved = c.bytes();
    for (int i = 0; i < 10; ++i)
        c.w->undoCommand();
    c.key(Qt::Key_Right);
    QVERIFY2(c.s().history().storedBytes() < once,
             qPrintable(QString::number(c.s().history().storedBytes())));
    for (int i = 0; i < 21; ++i)
        c.w->undoCommand();
    QCOMPARE(c.bytes(), placed);
    c.w->undoCommand();
    c.w->redoCommand();
    QCOMPARE(c.bytes(), placed);
    for (int i = 0; i < 21; ++i)
        c.w->redoCommand();
    c.w->undoCommand(); // the step right
    for (int i = 0; i < 10; ++i)
        c.key(Qt::Key_Left);
    QCOMPARE(c.bytes(), moved);
}

void tst_UndoHistory::boundedInBytes() {
    // Five pictures dropped one by one, with room for three: the two oldest steps go, and
    // the card as it was before them can no longer be reached, so it stays changed.
    Card c;
    const qint64 picture = c.dropPicture(empty, 1);
    c.s().history().setByteLimit(picture * 7 / 2);
    c.w->undoCommand();
    c.w->setChangesMade(false);
    const QByteArray before = c.bytes();
    std::vector<QByteArray> cards;
    for (quint32 seed = 1; seed <= 5; ++seed) {
        c.dropPicture(empty, seed);
        cards.push_back(c.bytes());
    }
    QCOMPARE(c.stack().count(), 3);
    QVERIFY(c.s().history().storedBytes() <= c.s().history().byteLimit());
    for (int i = 0; i < 3; ++i)
        c.w->undoCommand();
    QCOMPARE(c.bytes(), cards[1]);
    QVERIFY(c.bytes() != before);
    QVERIFY(!c.stack().canUndo());
    QVERIFY(c.w->changesMade());
    QVERIFY(!c.w->findChild<QAction*>("mnuUndo")->isEnabled());
    for (int i = 0; i < 3; ++i)
        c.w->redoCommand();
    QCOMPARE(c.bytes(), cards[4]);
}

#include "tst_UndoHistory.moc"
