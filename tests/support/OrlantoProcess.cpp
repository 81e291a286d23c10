#include "OrlantoProcess.h"

#include "platform/system/FileName.h"

namespace {
// A shell word holding exactly the bytes of the argument.
QString shellWord(const QString& arg) {
    QString word = QStringLiteral("$'");
    for (const char c : platform::FileName::toBytes(arg))
        word += QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
    return word + QLatin1Char('\'');
}
} // namespace

void OrlantoProcess::start(QProcess& process, const QStringList& args, const Env& env,
                           const std::function<void()>& childSetup) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (auto it = env.begin(); it != env.end(); ++it) {
        if (it.value().isEmpty())
            e.remove(it.key());
        else
            e.insert(it.key(), it.value());
    }
    process.setProcessEnvironment(e);
    if (childSetup) process.setChildProcessModifier(childSetup);
    QString command =
        QStringLiteral("exec ") + shellWord(QStringLiteral(ORLANTO_BINARY_DIR "/orlanto"));
    for (const QString& a : args)
        command += QLatin1Char(' ') + shellWord(a);
    process.start(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), command});
}

OrlantoProcess::Result OrlantoProcess::run(const QStringList& args, const Env& env,
                                           const std::function<void()>& childSetup) {
    QProcess p;
    start(p, args, env, childSetup);
    Result r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        r.code = -1;
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
