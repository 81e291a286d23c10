// Zoom is a way of looking, never a change: zooming a card by every route the window offers
// (keys, Ctrl+wheel, the zoom buttons and keypad keys, Zoom to fit) through 50 % to 400 %
// and back leaves the saved bytes as they were, the title unmarked and the undo history
// empty; the card keeps its size in card pixels and shows it at the zoom. A save while
// zoomed clears the mark; the selection stays through the zooms, a new layout keeps the
// zoom; undo and redo walk a card holding symbols both ways.
#include "support/EveryKindCard.h"
#include "support/MainWindowFixture.h"
#include "support/ScriptedDialogHost.h"

#include "app/TMainScreen.h"
#include "document/TGBusinessCardPanel32.h"
#include "platform/drawing/ScreenMetrics.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

namespace {
// A shown window in a fresh home, activated as at start-up.
struct Window : MainWindowFixture {
    explicit Window(const QString& home)
        : MainWindowFixture(home, {.shownAt = QPoint(20, 20), .size = QSize(900, 700)}) {}
    TGBusinessCardPanel32& s() { return surface(); }
    bool marked() const { return w->windowTitle().endsWith(QLatin1String(" *")); }
    void press(const char* button) {
        w->findChild<QToolButton*>(QLatin1String(button))->click();
        QCoreApplication::processEvents();
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        QTest::keyClick(view(), Qt::Key(k), mods);
        QCoreApplication::processEvents();
    }
    void wheel(int notches) {
        const QPointF at(10, 10);
        QWheelEvent e(at, view()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view(), &e);
        QCoreApplication::processEvents();
    }
};

// Up to 400 %, down to 50 % and back to 100 % by one route, repainting at every step as a
// shown window does.
void zoomRoundTrip(Window& win, const QString& route) {
    if (route == QLatin1String("keys")) {
        for (int i = 0; i < 32; ++i)
            win.key(Qt::Key_Plus);
        for (int i = 0; i < 37; ++i)
            win.key(Qt::Key_Minus);
        win.key(Qt::Key_0);
    } else if (route == QLatin1String("wheel")) {
        for (int i = 0; i < 32; ++i)
            win.wheel(1);
        for (int i = 0; i < 37; ++i)
            win.wheel(-1);
        for (int i = 0; i < 5; ++i)
            win.wheel(1);
    } else if (route == QLatin1String("buttons")) {
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < 6; ++i)
                win.press("ZoomInButton");
            for (int i = 0; i < 6; ++i)
                win.press("ZoomOutButton");
        }
    } else {
        for (int percent : {400, 50, 250}) {
            win.w->zoomToPercent(percent);
            win.s().image();
            win.press("ZoomFitButton");
            win.s().image();
        }
        win.key(Qt::Key_0);
    }
    win.s().image();
}
} // namespace

class tst_ZoomView : public QObject {
    Q_OBJECT
  private slots:
    void zoomLeavesCardAlone_data();
    void zoomLeavesCardAlone();
    void zoomKeepsSelection_data();
    void zoomKeepsSelection();
    void layoutWhileZoomedKeepsZoom();
    void saveWhileZoomedClearsMark();
    void viewShowsCardAtZoom_data();
    void viewShowsCardAtZoom();
    void inputMapsToCardPixels();
    void undoRedoWithSymbols();

  private:
    QTemporaryDir home_;
};

void tst_ZoomView::zoomLeavesCardAlone_data() {
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("route");
    QStringList cards;
    const QString source = QFINDTESTDATA("../examples");
    for (const QString& name : QDir(source).entryList({QStringLiteral("*.ORL")}))
        cards << source + QLatin1Char('/') + name;
    QVERIFY(!cards.isEmpty());
    cards << QStringLiteral("every kind");
    for (const QString& card : cards)
        for (const char* route : {"keys", "wheel", "buttons", "fit"})
            QTest::newRow(
                qPrintable(QFileInfo(card).fileName() + QLatin1Char(' ') + QLatin1String(route)))
                << card << QString::fromLatin1(route);
}

void tst_ZoomView::zoomLeavesCardAlone() {
    QFETCH(QString, card);
    QFETCH(QString, route);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    QString file = home.filePath(QStringLiteral("card.ORL"));
    if (card == QLatin1String("every kind")) {
        EveryKindCard::addTo(win.s());
        win.s().saveCard(file);
    } else {
        QVERIFY(QFile::copy(card, file));
    }
    win.w->openBCFile(file);
    win.w->zoomToPercent(100);
    win.s().image();
    QCoreApplication::processEvents();
    const QByteArray before = win.bytes();
    const QSize cardSize(win.s().width(), win.s().height());
    QVERIFY(!win.marked());
    const QString first = home.filePath(QStringLiteral("first.ORL"));
    win.s().saveCard(first);

    zoomRoundTrip(win, route);

    QCOMPARE(win.w->zoomCaption(), QStringLiteral("100%"));
    QCOMPARE(win.bytes(), before);
    QCOMPARE(QSize(win.s().width(), win.s().height()), cardSize);
    QCOMPARE(win.view()->size(), cardSize);
    QVERIFY2(!win.marked(), qPrintable(win.w->windowTitle()));
    QVERIFY(!win.w->changesMade());
    QCOMPARE(win.s().history().stack().count(), 0);
    // Saved again, the file holds the bytes saved before the zooms.
    const QString again = home.filePath(QStringLiteral("again.ORL"));
    win.s().saveCard(again);
    QFile a(first), b(again);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());
}

void tst_ZoomView::zoomKeepsSelection_data() {
    QTest::addColumn<QString>("route");
    for (const char* route : {"keys", "wheel", "buttons", "fit"})
        QTest::newRow(route) << QString::fromLatin1(route);
}

void tst_ZoomView::zoomKeepsSelection() {
    QFETCH(QString, route);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    EveryKindCard::addTo(win.s());
    win.key(Qt::Key_A);
    const std::vector<TGGraphicControl*> selected = win.s().handle().selection();
    QVERIFY(selected.size() > 1);
    zoomRoundTrip(win, route);
    QVERIFY(win.s().handle().selection() == selected);
    QVERIFY(win.s().handle().isVisible());
}

void tst_ZoomView::layoutWhileZoomedKeepsZoom() {
    // A new card layout sizes the card in card pixels and shows it at the zoom it had.
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    win.w->zoomToPercent(250);
    dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("eCardwidth"))->setText(QStringLiteral("3"));
        return int(QDialog::Accepted);
    });
    win.w->layoutCommand();
    const QSize card =
        win.w->preferences().print.layout.cardPixelSize(platform::ScreenMetrics::pixelsPerInch());
    QCOMPARE(QSize(win.s().width(), win.s().height()), card);
    QCOMPARE(win.w->zoomCaption(), QStringLiteral("250%"));
    QCOMPARE(win.view()->size(), QSize(qRound(card.width() * 2.5), qRound(card.height() * 2.5)));
}

void tst_ZoomView::saveWhileZoomedClearsMark() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    EveryKindCard::addTo(win.s());
    const QString file = home.filePath(QStringLiteral("card.ORL"));
    win.s().saveCard(file);
    win.w->openBCFile(file);
    win.s().mouseDown(Qt::LeftButton, {}, 60, 40);
    win.s().mouseUp(Qt::LeftButton, {}, 60, 40);
    win.s().keyDown(Qt::Key_Right, {});
    win.s().keyUp(Qt::Key_Right, {});
    QVERIFY(win.marked());
    win.w->zoomToPercent(400);
    win.key(Qt::Key_S);
    QVERIFY2(!win.marked(), qPrintable(win.w->windowTitle()));
    QVERIFY(!win.w->changesMade());
    win.w->zoomToFitCommand();
    win.s().image();
    QVERIFY(!win.marked());
}

void tst_ZoomView::viewShowsCardAtZoom_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<QSize>("view");
    QTest::newRow("50 %") << 50 << QSize(168, 96);
    QTest::newRow("100 %") << 100 << QSize(336, 192);
    QTest::newRow("250 %") << 250 << QSize(840, 480);
    QTest::newRow("400 %") << 400 << QSize(1344, 768);
}

void tst_ZoomView::viewShowsCardAtZoom() {
    QFETCH(int, percent);
    QFETCH(QSize, view);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    QCOMPARE(QSize(win.s().width(), win.s().height()), QSize(336, 192));
    win.w->zoomToPercent(percent);
    QCOMPARE(win.view()->size(), view);
    QCOMPARE(win.s().image().size(), view * win.view()->devicePixelRatioF());
    // The card keeps its size in card pixels whatever the zoom.
    QCOMPARE(QSize(win.s().width(), win.s().height()), QSize(336, 192));
}

void tst_ZoomView::inputMapsToCardPixels() {
    // A drag with the rectangle tool at 400 % makes a rectangle in card pixels; a band
    // drawn edge to edge on the zoomed view covers the whole card.
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    win.w->zoomToPercent(400);
    win.s().setPanelState(TGBusinessCardPanel32::psRectangle);
    QTest::mousePress(win.view(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseMove(win.view(), QPoint(200, 200));
    QTest::mouseRelease(win.view(), Qt::LeftButton, {}, QPoint(1343, 767));
    QCOMPARE(win.s().objects().size(), size_t(1));
    QCOMPARE(win.s().objects().front()->bounds(), QRect(0, 0, 335, 191));
    win.w->zoomToPercent(100);
    QCOMPARE(win.s().objects().front()->bounds(), QRect(0, 0, 335, 191));
}

void tst_ZoomView::undoRedoWithSymbols() {
    // A text label and a symbol made with their tools, changed, then undone to the bottom and
    // redone to the top while the window repaints between the steps.
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    auto& s = win.s();
    auto settle = [&win] {
        QCoreApplication::processEvents();
        win.s().image();
        QCoreApplication::processEvents();
    };
    auto drawWith = [&](TGBusinessCardPanel32::TLPanelState tool, QPoint from, QPoint to) {
        s.setPanelState(tool);
        dialogs.dialogs.push_back([](QDialog&) { return int(QDialog::Accepted); });
        s.mouseDown(Qt::LeftButton, {}, from.x(), from.y());
        s.mouseMove(Qt::LeftButton, {}, to.x(), to.y());
        s.mouseUp(Qt::LeftButton, {}, to.x(), to.y());
        s.setPanelState(TGBusinessCardPanel32::psPointing);
        settle();
    };
    std::vector<QByteArray> states{win.bytes()};
    drawWith(TGBusinessCardPanel32::psLabel, {20, 20}, {120, 40});
    states.push_back(win.bytes());
    drawWith(TGBusinessCardPanel32::psSymbolLabel, {200, 60}, {240, 100});
    states.push_back(win.bytes());
    const QPoint symbol = s.objects().back()->bounds().center();
    s.mouseDown(Qt::LeftButton, {}, symbol.x(), symbol.y());
    s.mouseUp(Qt::LeftButton, {}, symbol.x(), symbol.y());
    for (int k : {Qt::Key_Right, Qt::Key_Down}) {
        s.keyDown(k, {});
        s.keyUp(k, {});
        settle();
        states.push_back(win.bytes());
    }
    QVERIFY(states.back() != states[states.size() - 2]);
    QCOMPARE(s.history().stack().count(), int(states.size()) - 1);
    for (auto i = states.size() - 1; i-- > 0;) {
        win.w->undoCommand();
        settle();
        QCOMPARE(win.bytes(), states[i]);
    }
    for (size_t i = 1; i < states.size(); ++i) {
        QVERIFY(s.history().stack().canRedo());
        win.w->redoCommand();
        settle();
        QCOMPARE(win.bytes(), states[i]);
    }
    QVERIFY(!s.history().stack().canRedo());
}

QTEST_MAIN(tst_ZoomView)
#include "tst_ZoomView.moc"
