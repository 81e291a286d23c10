#pragma once
// The main window in a home folder, made and activated as at start-up; the messages start-up
// showed through the scripted dialog host are set aside, so that a test sees only its own.
#include "app/TMainScreen.h"

#include <QByteArray>
#include <QPoint>
#include <QSize>
#include <QStringList>

#include <memory>
#include <optional>

class QScrollArea;
class ScriptedDialogHost;
class TGBusinessCardPanel32;

struct MainWindowFixture {
    // How the window starts: ini (when not empty) written as the home's ORL.INI first; shown
    // at shownAt and active (else only made), size when valid.
    struct Start {
        std::optional<QPoint> shownAt;
        QSize size;
        QByteArray ini;
    };

    explicit MainWindowFixture(const QString& home, const Start& start = {});
    MainWindowFixture(const QString& home, ScriptedDialogHost& dialogs, const Start& start = {});

    TGBusinessCardPanel32& surface() { return w->surface(); }
    QWidget* view() const;
    QScrollArea* scroll() const;
    // The surface's objects as a card file writes them.
    QByteArray bytes();

    std::unique_ptr<TMainScreen> w;
    QStringList startMessages;

  private:
    void startUp(const QString& home, ScriptedDialogHost* dialogs, const Start& start);
};
