// Commands that fail in the window: the failure ends as a message box, the window goes on
// with what it holds, and nothing unwinds into the event loop. Runs under the program's own
// application object, as the designer does.
#include "support/ScriptedDialogHost.h"

#include "app/SurfaceView.h"
#include "app/TMainScreen.h"
#include "document/TGBusinessCardPanel32.h"
#include "platform/system/GuardedApplication.h"
#include "platform/system/HomeFolder.h"

#include <QtTest>

class tst_CommandFailures : public QObject {
    Q_OBJECT
  private slots:
    void damagedClipboardPaste_data();
    void damagedClipboardPaste();
};

void tst_CommandFailures::damagedClipboardPaste_data() {
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("Ctrl+V") << false;
    QTest::newRow("surface menu Paste") << true;
}

void tst_CommandFailures::damagedClipboardPaste() {
    QFETCH(bool, fromMenu);
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    platform::HomeFolder::set(home.path());
    TMainScreen w;
    w.firstActivation();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TGBusinessCardPanel32& s = w.surface();
    SurfaceView& view = w.surfaceView();

    // Two rectangles drawn with the tool, both selected and copied with Ctrl+C.
    for (int x : {10, 100}) {
        s.setPanelState(TGBusinessCardPanel32::psRectangle);
        s.mouseDown(Qt::LeftButton, {}, x, 10);
        s.mouseUp(Qt::LeftButton, {}, x + 40, 30);
    }
    s.setPanelState(TGBusinessCardPanel32::psPointing);
    QCOMPARE(s.objects().size(), size_t(2));
    s.handle().clear(); // the tool left the new rectangle selected: select both in z-order
    for (TGGraphicControl* o : s.objects())
        s.handle().add(o);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    s.handle().clear();

    // The second record of the clipboard file is cut short.
    QFile file(s.clipboardFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.left(bytes.size() - 10));
    file.close();

    dialogs.messages.clear();
    if (fromMenu) {
        dialogs.menuChoices = {QStringLiteral("Paste")};
        QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(250, 150));
        QVERIFY(dialogs.menuChoices.empty());
    } else {
        QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(dialogs.errors, QStringList{QStringLiteral("Stream read error")});
    // The object read before the failing one stays, usable, 15 pixels right and down.
    QCOMPARE(s.objects().size(), size_t(3));
    QCOMPARE(s.objects()[2]->bounds().topLeft(), QPoint(25, 25));
    QVERIFY(s.objects()[2]->objectMenu());
    QVERIFY(!s.objects()[2]->isLoading());
    QVERIFY(w.changesMade());
    // The window goes on: the next command works.
    s.handle().add(s.objects()[2]);
    QTest::keyClick(&view, Qt::Key_Delete);
    QCOMPARE(s.objects().size(), size_t(2));
}

int main(int argc, char** argv) {
    platform::GuardedApplication app(argc, argv);
    tst_CommandFailures test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_CommandFailures.moc"
