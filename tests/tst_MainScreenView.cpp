// The main window's view of the card as the user meets it: zoom keys, Ctrl+wheel and Zoom to
// fit (also at start for a card that would show small), the status bar's figures after a
// drag in inches and millimetres, and printing on a machine without a printer (Preview
// still works, Print offers the PDF export, whose status names the file and offers to open
// it). The window is shown on the offscreen platform, so that keys and the wheel travel the
// window's own shortcuts and event filter.
#include "support/MainWindowFixture.h"
#include "support/ScriptedDialogHost.h"

#include "app/TMainScreen.h"
#include "document/TGBusinessCardPanel32.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/system/SingleInstance.h"
#include "printing/TLabelPrinter.h"
#include "printing/TPreviewForm.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLocalSocket>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QWheelEvent>
#include <QtTest>

#include <sys/stat.h>

namespace {
// A shown window in a fresh home (its ORL.INI as given), activated as at start-up.
struct Window : MainWindowFixture {
    explicit Window(const QString& home, const QByteArray& ini = {}, QSize size = {})
        : MainWindowFixture(home, {.shownAt = QPoint(20, 20), .size = size, .ini = ini}) {}
};

// Whether the card at a zoom percentage fits the scroll box without scroll bars.
bool fits(Window& win, int percent) {
    const QSize room = win.scroll()->maximumViewportSize();
    return qRound(win.surface().width() * percent / 100.0) <= room.width() &&
           qRound(win.surface().height() * percent / 100.0) <= room.height();
}

void wheel(QWidget* target, int delta, Qt::KeyboardModifiers mods) {
    const QPointF at(30, 30);
    QWheelEvent e(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
}

// The status dialog of a run: lets it finish and keeps its final text and whether it offers
// to open a file; then presses the button named.
int finishRun(QDialog& d, QString* status, bool* offersOpen, const QString& press) {
    auto& dialog = static_cast<TLabelPrinter&>(d);
    d.show();
    QElapsedTimer timer;
    timer.start();
    while (!dialog.finished() && timer.elapsed() < 30000)
        QCoreApplication::processEvents();
    *status = d.findChild<QLabel*>(QStringLiteral("RStatusLabel"))->text();
    auto* open = d.findChild<QPushButton*>(QStringLiteral("OpenButton"));
    *offersOpen = open->isVisible();
    d.findChild<QPushButton*>(press)->click();
    return d.result();
}
} // namespace

class tst_MainScreenView : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void zoomKeys_data();
    void zoomKeys();
    void ctrlWheel_data();
    void ctrlWheel();
    void zoomToFit_data();
    void zoomToFit();
    void smallCardFitsAtStart_data();
    void smallCardFitsAtStart();
    void statusAfterDrag_data();
    void statusAfterDrag();
    void noPrinterAtStart();
    void previewWithoutPrinter_data();
    void noPrinterNoticeBesideSelection();
    void previewWithoutPrinter();
    void printOffersPdfExport_data();
    void printOffersPdfExport();
    void secondStartHandsOver_data();
    void secondStartHandsOver();
    void otherStartOpensThroughSavePrompt_data();
    void otherStartOpensThroughSavePrompt();
};

void tst_MainScreenView::initTestCase() {
    // No print system answers: the machine has no printer at all.
    qputenv("CUPS_SERVER",
            QFile::encodeName(QDir::temp().filePath(QStringLiteral("no-cups-here"))));
    platform::ScreenMetrics::setPixelsPerInch(100);
}

void tst_MainScreenView::zoomKeys_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("releaseModifiers"); // those still held when the key is let go
    QTest::addColumn<QString>("caption");
    const int ctrl = Qt::ControlModifier, keypad = Qt::KeypadModifier;
    QTest::newRow("Ctrl++") << 100 << int(Qt::Key_Plus) << ctrl << ctrl << "110%";
    QTest::newRow("Ctrl+= (plus without Shift)")
        << 100 << int(Qt::Key_Equal) << ctrl << ctrl << "110%";
    QTest::newRow("Ctrl+keypad +")
        << 100 << int(Qt::Key_Plus) << (ctrl | keypad) << (ctrl | keypad) << "110%";
    QTest::newRow("Ctrl+-") << 100 << int(Qt::Key_Minus) << ctrl << ctrl << "90%";
    QTest::newRow("Ctrl++ past the buttons' limit")
        << 150 << int(Qt::Key_Plus) << ctrl << ctrl << "160%";
    QTest::newRow("Ctrl++ at the top") << 400 << int(Qt::Key_Plus) << ctrl << ctrl << "400%";
    QTest::newRow("Ctrl+- at the bottom") << 50 << int(Qt::Key_Minus) << ctrl << ctrl << "50%";
    QTest::newRow("Ctrl+0") << 250 << int(Qt::Key_0) << ctrl << ctrl << "100%";
    // One step per press, whichever key is let go first.
    QTest::newRow("Ctrl+keypad -, Ctrl let go first")
        << 200 << int(Qt::Key_Minus) << (ctrl | keypad) << keypad << "190%";
    QTest::newRow("Ctrl+keypad +, Ctrl let go first")
        << 200 << int(Qt::Key_Plus) << (ctrl | keypad) << keypad << "210%";
    QTest::newRow("keypad - alone, on release")
        << 120 << int(Qt::Key_Minus) << keypad << keypad << "110%";
}

void tst_MainScreenView::zoomKeys() {
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, releaseModifiers);
    QFETCH(QString, caption);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    win.w->zoomToPercent(from);
    win.view()->setFocus();
    QTest::keyPress(win.view(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::keyRelease(win.view(), Qt::Key(key), Qt::KeyboardModifiers(releaseModifiers));
    QCOMPARE(win.w->zoomCaption(), caption);
    QCOMPARE(win.w->findChild<QLabel*>(QStringLiteral("ZoomCaption"))->text(), caption);
    QVERIFY(!win.w->changesMade());
}

void tst_MainScreenView::ctrlWheel_data() {
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<QString>("caption");
    QTest::newRow("one notch up") << QList<int>{120} << true << "110%";
    QTest::newRow("two notches down") << QList<int>{-240} << true << "80%";
    QTest::newRow("half notches add up") << QList<int>{60, 60, 60} << true << "110%";
    QTest::newRow("far beyond the top") << QList<int>{120 * 50} << true << "400%";
    QTest::newRow("far beyond the bottom") << QList<int>{-120 * 50} << true << "50%";
    QTest::newRow("without Ctrl it scrolls") << QList<int>{120} << false << "100%";
}

void tst_MainScreenView::ctrlWheel() {
    QFETCH(QList<int>, deltas);
    QFETCH(bool, ctrl);
    QFETCH(QString, caption);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    for (int d : deltas)
        wheel(win.view(), d, ctrl ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(win.w->zoomCaption(), caption);
    // Around the card, the wheel zooms as well.
    if (ctrl && caption == QLatin1String("110%")) {
        wheel(win.scroll()->viewport(), 120, Qt::ControlModifier);
        QCOMPARE(win.w->zoomCaption(), QStringLiteral("120%"));
    }
    QVERIFY(!win.w->changesMade());
}

void tst_MainScreenView::zoomToFit_data() {
    QTest::addColumn<QSize>("window");
    QTest::newRow("default window") << QSize();
    QTest::newRow("large window") << QSize(1500, 1100);
    QTest::newRow("small window") << QSize(360, 300);
    QTest::newRow("tiny window") << QSize(200, 200);
}

void tst_MainScreenView::zoomToFit() {
    QFETCH(QSize, window);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), {}, window);
    // A rectangle drawn at 100 %: Zoom to fit changes nothing on the card.
    TGBusinessCardPanel32& s = win.surface();
    win.w->zoomToPercent(100); // a large window fitted the card at start
    s.setPanelState(TGBusinessCardPanel32::psRectangle);
    s.mouseDown(Qt::LeftButton, {}, 40, 40);
    s.mouseUp(Qt::LeftButton, {}, 90, 70);
    s.setPanelState(TGBusinessCardPanel32::psPointing);
    win.w->saveAsCommand(); // cancelled: the change stays unsaved
    const bool changed = win.w->changesMade();
    const QRect before = s.objects().front()->bounds();

    win.w->findChild<QAction*>(QStringLiteral("mnuZoomToFit"))->trigger();
    const int percent = qRound(s.zoomFactor() * 100);
    QVERIFY(percent >= 50 && percent <= 400 && percent % 10 == 0);
    // The largest step that shows the whole card (or the smallest, when none does).
    QVERIFY(fits(win, percent) || percent == 50);
    QVERIFY(percent == 400 || !fits(win, percent + 10));
    QCOMPARE(win.view()->size(), s.viewSize());
    QCOMPARE(win.w->changesMade(), changed);

    win.w->findChild<QAction*>(QStringLiteral("mnuActualSize"))->trigger();
    QCOMPARE(s.zoomFactor(), 1.0f);
    QCOMPARE(s.objects().front()->bounds(), before);
}

void tst_MainScreenView::smallCardFitsAtStart_data() {
    QTest::addColumn<int>("ppi");
    QTest::addColumn<bool>("fitted");
    QTest::addColumn<QSize>("grownTo"); // the size a window manager gives after the start
    // At 40 pixels an inch the card is 140 x 80 pixels, under a third of the window.
    QTest::newRow("card smaller than a third of the window") << 40 << true << QSize();
    QTest::newRow("card of a usual size") << 100 << false << QSize();
    // 350 x 200 pixels: under a third of a maximised window that arrives late.
    QTest::newRow("window maximised after the start") << 100 << true << QSize(1500, 1000);
}

void tst_MainScreenView::smallCardFitsAtStart() {
    QFETCH(int, ppi);
    QFETCH(bool, fitted);
    QFETCH(QSize, grownTo);
    platform::ScreenMetrics::setPixelsPerInch(ppi);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    platform::ScreenMetrics::setPixelsPerInch(100);
    if (grownTo.isValid()) {
        QCOMPARE(win.surface().zoomFactor(), 1.0f);
        win.w->resize(grownTo);
        QTRY_COMPARE(win.w->size(), grownTo);
    }
    const int percent = qRound(win.surface().zoomFactor() * 100);
    if (fitted) {
        QVERIFY2(percent > 100, qPrintable(win.w->zoomCaption()));
        QVERIFY(fits(win, percent));
        QVERIFY(percent == 400 || !fits(win, percent + 10));
    } else {
        QCOMPARE(percent, 100);
    }
    QVERIFY(!win.w->changesMade());
    QVERIFY(!win.surface().history().stack().canUndo());
}

void tst_MainScreenView::statusAfterDrag_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("pointer");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("halfway"); // the selection's figures in the middle of the drag
    // A rectangle at (0.40, 0.40) inch, 0.40 by 0.20, dragged 0.20 right and 0.10 down.
    QTest::newRow("inches") << 100 << QByteArray() << "0.70, 0.60 in"
                            << "Left 0.60  Top 0.50  Width 0.40  Height 0.20 in"
                            << "Left 0.50  Top 0.45  Width 0.40  Height 0.20 in";
    QTest::newRow("inches at 200 %") << 200 << QByteArray() << "0.70, 0.60 in"
                                     << "Left 0.60  Top 0.50  Width 0.40  Height 0.20 in"
                                     << "Left 0.50  Top 0.45  Width 0.40  Height 0.20 in";
    QTest::newRow("millimetres") << 100 << QByteArray("[Layout]\r\nUseMM=1\r\n") << "17.8, 15.2 mm"
                                 << "Left 15.2  Top 12.7  Width 10.2  Height 5.1 mm"
                                 << "Left 12.7  Top 11.4  Width 10.2  Height 5.1 mm";
}

void tst_MainScreenView::statusAfterDrag() {
    QFETCH(int, zoom);
    QFETCH(QByteArray, ini);
    QFETCH(QString, pointer);
    QFETCH(QString, selection);
    QFETCH(QString, halfway);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path(), ini);
    TGBusinessCardPanel32& s = win.surface();
    s.setPanelState(TGBusinessCardPanel32::psRectangle);
    s.mouseDown(Qt::LeftButton, {}, 40, 40);
    s.mouseUp(Qt::LeftButton, {}, 80, 60);
    s.setPanelState(TGBusinessCardPanel32::psPointing);
    win.w->zoomToPercent(zoom);
    const double z = zoom / 100.0;
    auto at = [z](int x, int y) { return QPoint(qRound(x * z), qRound(y * z)); };

    QWidget* view = win.view();
    QTest::mouseClick(view, Qt::LeftButton, {}, at(50, 50));
    QTest::qWait(300);
    QTest::mousePress(view, Qt::LeftButton, {}, at(50, 50));
    QTest::qWait(300);
    QTest::mouseMove(view, at(60, 55));
    QTRY_COMPARE(win.w->selectionStatus(), halfway);
    QTest::qWait(50);
    QTest::mouseMove(view, at(70, 60));
    QTest::mouseRelease(view, Qt::LeftButton, {}, at(70, 60));
    QTest::mouseMove(view, at(70, 60));
    QTRY_COMPARE(win.w->selectionStatus(), selection);
    QCOMPARE(win.w->pointerStatus(), pointer);
    // The drag at the zoom moved the rectangle in card pixels.
    QCOMPARE(s.objects().front()->bounds(), QRect(60, 50, 40, 20));
}

void tst_MainScreenView::noPrinterAtStart() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    // Said once, in the status bar, not in a message box.
    QVERIFY(dialogs.messages.isEmpty());
    const auto* notice = win.w->findChild<QLabel*>(QStringLiteral("PrinterNotice"));
    QVERIFY(notice);
    QVERIFY2(notice->text().startsWith(QStringLiteral("There are no installed printers.")),
             qPrintable(notice->text()));
    QVERIFY(!win.w->printersAvailable());
    for (const char* name : {"mnuPrint", "mnuPreview", "mnuExportPdf"})
        QVERIFY2(win.w->findChild<QAction*>(QLatin1String(name))->isEnabled(), name);
    for (const char* name : {"mnuPrinterSetup", "mnuPrinterFineTuning", "mnuOutlineTestPage"})
        QVERIFY2(!win.w->findChild<QAction*>(QLatin1String(name))->isEnabled(), name);
    for (const char* name : {"PrintButton", "PreviewButton"})
        QVERIFY2(win.w->findChild<QPushButton*>(QLatin1String(name))->isEnabled(), name);
}

void tst_MainScreenView::previewWithoutPrinter_data() {
    // The background art the opened card's companion file names.
    QTest::addColumn<QString>("art");
    QTest::newRow("no art") << "";
    QTest::newRow("art a FIFO: not waited on") << "FIFO";
    QTest::newRow("art a link to /dev/zero: not read") << "ZERO";
}

void tst_MainScreenView::noPrinterNoticeBesideSelection() {
    // The no-printer notice and the selection's figures each keep a place of their own in
    // the status bar, however narrow the window: the figures whole, the notice cut short.
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    if (win.w->printersAvailable()) QSKIP("a printer is installed");
    TGBusinessCardPanel32& s = win.surface();
    s.setPanelState(TGBusinessCardPanel32::psRectangle);
    s.mouseDown(Qt::LeftButton, {}, 40, 40);
    s.mouseUp(Qt::LeftButton, {}, 80, 60);
    s.setPanelState(TGBusinessCardPanel32::psPointing);
    QTest::mouseClick(win.view(), Qt::LeftButton, {}, QPoint(50, 50));
    QTRY_VERIFY(!win.w->selectionStatus().isEmpty());
    // Nothing is drawn as the bar's own message, under its other widgets.
    QVERIFY2(win.w->statusBar()->currentMessage().isEmpty(),
             qPrintable(win.w->statusBar()->currentMessage()));
    auto* notice = win.w->findChild<QLabel*>(QStringLiteral("PrinterNotice"));
    auto* figures = win.w->findChild<QLabel*>(QStringLiteral("SelectionStatus"));
    QVERIFY(notice);
    QVERIFY(notice->text().startsWith(QStringLiteral("There are no installed printers.")));
    for (int width : {900, 600}) {
        win.w->resize(width, win.w->height());
        QTRY_COMPARE(win.w->width(), width);
        QCoreApplication::processEvents();
        QVERIFY(notice->isVisible());
        QVERIFY2(notice->geometry().right() < figures->geometry().left(),
                 qPrintable(QStringLiteral("%1 wide: notice ends at %2, figures start at %3")
                                .arg(width)
                                .arg(notice->geometry().right())
                                .arg(figures->x())));
        QVERIFY(figures->width() >= figures->sizeHint().width());
    }
}

void tst_MainScreenView::previewWithoutPrinter() {
    QFETCH(QString, art);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    if (!art.isEmpty()) {
        const QString name = home.filePath(QStringLiteral("art.bmp"));
        if (art == QLatin1String("FIFO"))
            QCOMPARE(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), name));
        const QString card = home.filePath(QStringLiteral("ART.ORL"));
        TGBusinessCardPanel32().saveCard(card);
        QFile companion(home.filePath(QStringLiteral("ART.ORX")));
        QVERIFY(companion.open(QIODevice::WriteOnly) &&
                companion.write(name.toUtf8() + "\r\n") > 0);
        companion.close();
        win.w->openFile(card);
        QCOMPARE(win.w->backgroundFile(), name);
    }
    QString status;
    bool offersOpen = true;
    dialogs.dialogs.push_back([&](QDialog& d) {
        return finishRun(d, &status, &offersOpen, QStringLiteral("CancelButton"));
    });
    int pages = 0;
    dialogs.dialogs.push_back([&](QDialog& d) {
        pages = static_cast<TPreviewForm&>(d).report().pageCount();
        return int(QDialog::Accepted);
    });
    win.w->findChild<QPushButton*>(QStringLiteral("PreviewButton"))->click();
    QCOMPARE(dialogs.dialogTitles, (QStringList{"Preview Status", "Preview Business Cards"}));
    QVERIFY2(status.contains(QStringLiteral("preview ready")), qPrintable(status));
    QVERIFY(!offersOpen);
    QCOMPARE(pages, 1);
    QVERIFY(dialogs.messages.isEmpty());
}

void tst_MainScreenView::printOffersPdfExport_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("press"); // the status dialog's button
    QTest::newRow("export and open") << true << "OpenButton";
    QTest::newRow("export, OK") << true << "CancelButton";
    QTest::newRow("declined") << false << "";
}

void tst_MainScreenView::printOffersPdfExport() {
    QFETCH(bool, yes);
    QFETCH(QString, press);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    const QString pdf = home.filePath(QStringLiteral("my cards 100%.pdf"));
    dialogs.yesNoAnswers.push_back(yes);
    dialogs.dialogs.push_back([](QDialog&) { return int(QDialog::Accepted); }); // positions
    dialogs.fileNames.push_back(pdf);
    QString status;
    bool offersOpen = false;
    dialogs.dialogs.push_back(
        [&](QDialog& d) { return finishRun(d, &status, &offersOpen, press); });
    win.w->findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();

    QCOMPARE(dialogs.questions.size(), 1);
    QVERIFY(
        dialogs.questions.front().startsWith(QStringLiteral("There are no installed printers.")));
    QVERIFY(dialogs.questions.front().endsWith(QStringLiteral("Export as PDF... instead?")));
    if (!yes) {
        QVERIFY(dialogs.dialogTitles.isEmpty());
        return;
    }
    QCOMPARE(status, QStringLiteral("\nBusiness cards saved as\n") + pdf);
    QVERIFY(offersOpen);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QCOMPARE(dialogs.openedFiles,
             press == QLatin1String("OpenButton") ? QStringList{pdf} : QStringList());
}

void tst_MainScreenView::secondStartHandsOver_data() {
    QTest::addColumn<QByteArray>("message"); // empty: a second copy started with the file
    QTest::addColumn<QStringList>("activations");
    const QString card =
        QDir::current().absoluteFilePath(QStringLiteral("some folder/Card\nNo 2 ü%.ORL"));
    QTest::newRow("second copy with a card") << QByteArray() << QStringList{card};
    QTest::newRow("second copy without a card")
        << QByteArray("activate\n") << QStringList{QString()};
    QTest::newRow("unknown message") << QByteArray("format c:\n") << QStringList();
    QTest::newRow("line without an end") << QByteArray(100 * 1024, 'x') << QStringList();
}

void tst_MainScreenView::secondStartHandsOver() {
    QFETCH(QByteArray, message);
    QFETCH(QStringList, activations);
    const QString key = QStringLiteral("orlanto-test-%1").arg(QCoreApplication::applicationPid());
    platform::SingleInstance first(key);
    QCOMPARE(first.claim(), platform::SingleInstance::Claim::First);
    QStringList received;
    first.onActivate = [&received](const QString& file) { received << file; };
    if (message.isEmpty()) {
        platform::SingleInstance second(key);
        QCOMPARE(second.claim(QStringLiteral("some folder/Card\nNo 2 ü%.ORL")),
                 platform::SingleInstance::Claim::HandedOver);
    } else {
        QLocalSocket socket;
        socket.connectToServer(first.socketName());
        QVERIFY(socket.waitForConnected(2000));
        socket.write(message);
        QVERIFY(socket.waitForBytesWritten(2000));
    }
    QTest::qWait(300);
    QCOMPARE(received, activations);
}

void tst_MainScreenView::otherStartOpensThroughSavePrompt_data() {
    QTest::addColumn<int>("answer"); // to "Save changes?"
    QTest::addColumn<bool>("opened");
    QTest::newRow("No: the card opens") << int(platform::DialogHost::Answer::No) << true;
    QTest::newRow("Cancel: the changes stay") << int(platform::DialogHost::Answer::Cancel) << false;
}

void tst_MainScreenView::otherStartOpensThroughSavePrompt() {
    QFETCH(int, answer);
    QFETCH(bool, opened);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    Window win(home.path());
    const QString card = home.filePath(QStringLiteral("Other.ORL"));
    {
        QFile f(card);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\x01\x00", 2)); // a card holding no objects
    }
    TGBusinessCardPanel32& s = win.surface();
    s.setPanelState(TGBusinessCardPanel32::psRectangle);
    s.mouseDown(Qt::LeftButton, {}, 40, 40);
    s.mouseUp(Qt::LeftButton, {}, 80, 60);
    s.setPanelState(TGBusinessCardPanel32::psPointing);
    QVERIFY(win.w->changesMade());
    dialogs.yesNoCancelAnswers.push_back(platform::DialogHost::Answer(answer));
    win.w->openFromAnotherStart(card);
    QCOMPARE(dialogs.questions, QStringList{QStringLiteral("Save changes?")});
    QCOMPARE(win.w->currentFileName() == card, opened);
    QCOMPARE(win.w->changesMade(), !opened);
    QCOMPARE(s.objects().empty(), opened);
}

QTEST_MAIN(tst_MainScreenView)
#include "tst_MainScreenView.moc"
