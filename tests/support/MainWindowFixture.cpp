#include "MainWindowFixture.h"

#include "ScriptedDialogHost.h"

#include "document/TGBusinessCardPanel32.h"
#include "document/TGLabelObjectFiler.h"
#include "platform/system/HomeFolder.h"

#include <QFile>
#include <QScrollArea>
#include <QtTest>

MainWindowFixture::MainWindowFixture(const QString& home, const Start& start) {
    startUp(home, nullptr, start);
}

MainWindowFixture::MainWindowFixture(const QString& home, ScriptedDialogHost& dialogs,
                                     const Start& start) {
    startUp(home, &dialogs, start);
}

void MainWindowFixture::startUp(const QString& home, ScriptedDialogHost* dialogs,
                                const Start& start) {
    platform::HomeFolder::set(home);
    if (!start.ini.isEmpty()) {
        QFile f(home + QStringLiteral("/ORL.INI"));
        if (f.open(QIODevice::WriteOnly)) f.write(start.ini);
    }
    w = std::make_unique<TMainScreen>();
    if (start.shownAt) w->move(*start.shownAt);
    if (start.size.isValid()) w->resize(start.size);
    w->firstActivation();
    if (dialogs) {
        startMessages = dialogs->messages;
        dialogs->messages.clear();
    }
    if (start.shownAt) {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
}

QWidget* MainWindowFixture::view() const {
    return w->findChild<QWidget*>(QStringLiteral("SurfaceView"));
}

QScrollArea* MainWindowFixture::scroll() const {
    return w->findChild<QScrollArea*>(QStringLiteral("ScrollBox"));
}

QByteArray MainWindowFixture::bytes() {
    return TGLabelObjectFiler(surface().classes()).writeObjects(surface().objects());
}
