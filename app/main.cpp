// Start-up: a command-line command runs without a window; otherwise the single-instance
// guard, then the main window until it closes.
#include "CommandLine.h"
#include "PrintCommand.h"
#include "TMainScreen.h"
#include "WidgetMap.h"
#include "platform/system/Allocator.h"
#include "platform/system/FileName.h"
#include "platform/system/GuardedApplication.h"
#include "platform/system/HomeFolder.h"
#include "platform/system/SingleInstance.h"
#include "platform/widgets/ConsoleDialogHost.h"
#include "platform/widgets/DialogHost.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

namespace {
// Messages the toolkit gives while the application object is being created. When it cannot
// reach a display it ends the program with several lines about platform plugins; the user
// gets one line instead, saying what to do.
QStringList startupMessages;

[[noreturn]] void noDisplay() {
    std::fputs("orlanto: the designer needs a display, and none could be opened; "
               "`orlanto print CARD.ORL -o OUT.pdf` works without one.\n",
               stderr);
    std::_Exit(1);
}

void startupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) noDisplay();
    startupMessages << message;
}

// The arguments the toolkit left, by their bytes: a file name that is not UTF-8 stays exact.
QStringList arguments(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << platform::FileName::fromBytes(argv[i]);
    return args;
}

// A command-line command; any failure, even running out of memory, ends it with a message.
int runCommand(int argc, char** argv, const QString& command) {
    PrintCommand::prepareEnvironment();
    QApplication app(argc, argv);
    platform::ConsoleDialogHost console;
    platform::DialogHost::install(&console);
    const QStringList args = arguments(argc, argv).mid(1);
    try {
        if (command == QLatin1String("print")) return PrintCommand().run(args);
        return CommandLine().run(args);
    } catch (const std::bad_alloc&) {
        QTextStream(stderr) << QStringLiteral("Not enough memory to finish the command.")
                            << Qt::endl;
    } catch (const std::exception& e) {
        QTextStream(stderr) << QString::fromLocal8Bit(e.what()) << Qt::endl;
    }
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    platform::Allocator::keepLargeBlocks();
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (command == QLatin1String("print") || CommandLine::handles(command))
        return runCommand(argc, argv, command);
    // Options of the window itself, answered before anything needs a display.
    if (const std::optional<int> code = CommandLine::windowOptions(argc, argv)) return *code;

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        noDisplay();
    const QtMessageHandler previous = qInstallMessageHandler(startupMessageHandler);
    platform::GuardedApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& message : std::as_const(startupMessages))
        qWarning().noquote() << message;

    QApplication::setApplicationName(QStringLiteral("Orlanto"));
    QApplication::setDesktopFileName(QStringLiteral("orlanto"));
    const QStringList args = platform::HomeFolder::takeHomeArgument(arguments(argc, argv));

    // A card named on the command line; a copy already running opens it instead.
    const QString file = args.size() > 1 ? args.at(1) : QString();
    platform::SingleInstance guard(platform::SingleInstance::keyFor(platform::HomeFolder::path()));
    const platform::SingleInstance::Claim claim = guard.claim(file);
    if (claim == platform::SingleInstance::Claim::HandedOver) return 0;
    if (claim == platform::SingleInstance::Claim::Refused)
        QTextStream(stderr) << "orlanto: " << guard.problem() << Qt::endl;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    TMainScreen window;
    QApplication::restoreOverrideCursor();
    std::unique_ptr<WidgetMap> widgetMap;
    if (const QString map = qEnvironmentVariable("ORLANTO_UI_MAP"); !map.isEmpty())
        widgetMap = std::make_unique<WidgetMap>(window, map);
    guard.onActivate = [&window](const QString& fileName) {
        // Later, from the window's own events: opening may ask about unsaved changes.
        QMetaObject::invokeMethod(
            &window, [&window, fileName] { window.openFromAnotherStart(fileName); },
            Qt::QueuedConnection);
    };
    window.show();
    // Said in the window as well, once it is up: the user may have started it from a menu.
    if (claim == platform::SingleInstance::Claim::Refused) {
        QMetaObject::invokeMethod(
            &window, [&guard] { platform::showInformation(guard.problem()); },
            Qt::QueuedConnection);
    }
    // A card named on the command line opens once the window is up.
    if (!file.isEmpty()) {
        QMetaObject::invokeMethod(
            &window,
            [&window, file] {
                window.firstActivation();
                window.openFile(file);
            },
            Qt::QueuedConnection);
    }
    return app.exec();
}
