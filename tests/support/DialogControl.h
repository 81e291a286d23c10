#pragma once
// A dialog's control found by its object name, the name the dialog gives it for help and
// for tests; the test run stops, naming the dialog and the control, when there is none.
#include <QObject>
#include <QtGlobal>

template <class W> W* control(const QObject& dialog, const char* name) {
    auto* w = dialog.findChild<W*>(QLatin1String(name));
    if (!w)
        qFatal("%s has no %s named %s", dialog.metaObject()->className(),
               W::staticMetaObject.className(), name);
    return w;
}
