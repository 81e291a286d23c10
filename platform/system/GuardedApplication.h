#pragma once
// The application object of the designer's window. Every event it delivers (keys, mouse
// buttons, menu items, dialogs' buttons, timers, queued calls, drops) runs under one
// guard: a command that fails (a damaged clipboard file, a card that cannot be written)
// ends as a message box with its failure, and the program goes on with what it holds.
#include <QApplication>

namespace platform {

class GuardedApplication : public QApplication {
    Q_OBJECT
  public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace platform
