#include "WidgetMap.h"

#include "app/TMainScreen.h"
#include "platform/system/AtomicFile.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QStatusBar>

WidgetMap::WidgetMap(TMainScreen& window, const QString& fileName)
    : window_(window), fileName_(fileName) {
    connect(&refresh_, &QTimer::timeout, this, &WidgetMap::write);
    connect(&window, &TMainScreen::activated, this, [this] {
        write();
        refresh_.start(250);
    });
    // Once the layout has settled around the buttons that came or went.
    connect(&window, &TMainScreen::buttonsChanged, this,
            [this] { QTimer::singleShot(100, this, &WidgetMap::write); });
}

void WidgetMap::write() const {
    QJsonObject map;
    auto put = [&map](const QWidget* w) {
        if (!w || w->objectName().isEmpty() || !w->isVisible()) return;
        const QPoint g = w->mapToGlobal(QPoint(0, 0));
        QJsonObject entry{{"x", g.x()}, {"y", g.y()}, {"w", w->width()}, {"h", w->height()}};
        if (const auto* label = qobject_cast<const QLabel*>(w)) entry.insert("text", label->text());
        if (const auto* bar = qobject_cast<const QStatusBar*>(w))
            entry.insert("text", bar->currentMessage());
        map.insert(w->objectName(), entry);
    };
    for (const QWidget* w : window_.findChildren<QWidget*>())
        put(w);
    // A map that cannot be written is left as it was: the test reading it times out.
    platform::AtomicFile(fileName_).write(QJsonDocument(map).toJson());
}
