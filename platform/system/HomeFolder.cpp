#include "platform/system/HomeFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

namespace {
QString explicitHome;

QString withSlash(QString dir) {
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}
} // namespace

QString HomeFolder::path() {
    if (!explicitHome.isEmpty()) return withSlash(explicitHome);
    const QString env = qEnvironmentVariable("ORLANTO_HOME");
    if (!env.isEmpty()) return withSlash(env);
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share");
    return withSlash(data + QStringLiteral("/orlanto"));
}

void HomeFolder::set(const QString& dir) {
    explicitHome = dir;
}

QStringList HomeFolder::takeHomeArgument(const QStringList& args) {
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--home") && i + 1 < args.size()) {
            set(args.at(++i));
        } else if (a.startsWith(QLatin1String("--home="))) {
            set(a.mid(7));
        } else {
            rest << a;
        }
    }
    return rest;
}

} // namespace platform
