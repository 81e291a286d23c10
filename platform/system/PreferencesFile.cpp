#include "platform/system/PreferencesFile.h"

#include "platform/system/HomeFolder.h"
#include "platform/widgets/DialogHost.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace platform {

namespace {
// Files whose last write failed and was reported: an unwritable folder would otherwise
// bring up the same message at every save and every window close.
QSet<QString>& reportedFailures() {
    static QSet<QString> files;
    return files;
}

// Files that exist but could not be read. Writing one back would replace whatever it holds
// with the few settings written now, so it is left alone for the rest of the run.
QSet<QString>& unreadableFiles() {
    static QSet<QString> files;
    return files;
}
} // namespace

QString PreferencesFile::fileName() {
    return HomeFolder::path() + QStringLiteral("ORL.INI");
}

IniFile PreferencesFile::read() {
    const QString name = fileName();
    if (unreadableFiles().contains(name)) return {};
    QString error;
    IniFile ini = IniFile::fromFile(name, &error);
    if (!error.isEmpty()) {
        unreadableFiles().insert(name);
        showInformation(QStringLiteral("Unable to read the preferences file %1 (%2).\n"
                                       "The default settings are used, and the file is left "
                                       "as it is.")
                            .arg(QDir::toNativeSeparators(name), error));
    }
    return ini;
}

bool PreferencesFile::write(const IniFile& ini) {
    const QString name = fileName();
    if (unreadableFiles().contains(name)) return false;
    QString error;
    QDir().mkpath(QFileInfo(name).absolutePath());
    if (ini.saveTo(name, &error)) {
        reportedFailures().remove(name);
        return true;
    }
    if (!reportedFailures().contains(name)) {
        reportedFailures().insert(name);
        showInformation(QStringLiteral("Unable to save the preferences file %1 (%2).\n"
                                       "Settings changed now will not be kept after the "
                                       "program ends.")
                            .arg(QDir::toNativeSeparators(name), error));
    }
    return false;
}

} // namespace platform
