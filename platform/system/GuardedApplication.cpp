#include "platform/system/GuardedApplication.h"

#include "platform/widgets/DialogHost.h"

#include <exception>

namespace platform {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    // A failure must not unwind into the toolkit's event loop, which would end the
    // program: it is reported here, where the command that raised it was dispatched.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        showError(QStringLiteral("The command could not be completed."));
    }
    return false;
}

} // namespace platform
