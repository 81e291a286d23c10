#pragma once
// The orlanto program run as a user runs it: its arguments passed by their bytes (QProcess
// would pass a file name that is not UTF-8 through the toolkit's lossy conversion), with
// changes to the environment (an empty value removes the variable) and a set-up run in the
// child just before the program starts (limits on memory or file size).
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

class OrlantoProcess {
  public:
    using Env = QMap<QString, QString>;
    struct Result {
        int code = 0; // -1: still running after a minute, and killed; -2: it crashed
        QString out, err;
    };

    // Starts the program in the process given.
    static void start(QProcess& process, const QStringList& args, const Env& env = {},
                      const std::function<void()>& childSetup = {});
    // Runs the program to its end.
    static Result run(const QStringList& args, const Env& env = {},
                      const std::function<void()>& childSetup = {});
};
