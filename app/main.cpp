// Start-up: a command-line command runs without a window; otherwise the single-instance
// guard, then the main window until it closes.
#include "CommandLine.h"
#include "PrintCommand.h"
#include "TMainScreen.h"
#include "platform/GuardedApplication.h"
#include "platform/HomeFolder.h"
#include "platform/SingleInstance.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (command == QLatin1String("print") || CommandLine::handles(command)) {
        PrintCommand::prepareEnvironment();
        QApplication app(argc, argv);
        const QStringList args = QApplication::arguments().mid(1);
        if (command == QLatin1String("print")) return PrintCommand().run(args);
        return CommandLine().run(args);
    }

    platform::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orlanto"));
    QApplication::setDesktopFileName(QStringLiteral("orlanto"));
    const QStringList args = platform::HomeFolder::takeHomeArgument(QApplication::arguments());

    platform::SingleInstance guard(platform::SingleInstance::keyFor(platform::HomeFolder::path()));
    if (!guard.claim()) return 0;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    TMainScreen window;
    QApplication::restoreOverrideCursor();
    guard.onActivate = [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    };
    window.show();
    // A card named on the command line opens once the window is up.
    if (args.size() > 1) {
        QMetaObject::invokeMethod(&window, [&window, file = args.at(1)] {
            window.firstActivation();
            window.openFile(file);
        }, Qt::QueuedConnection);
    }
    return app.exec();
}
