#include "PreferencesFile.h"

#include "DialogHost.h"
#include "HomeFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace platform {

namespace {
// Files whose last write failed and was reported: an unwritable folder would otherwise
// bring up the same message at every save and every window close.
QSet<QString>& reportedFailures()
{
    static QSet<QString> files;
    return files;
}
} // namespace

QString PreferencesFile::fileName()
{
    return HomeFolder::path() + QStringLiteral("ORL.INI");
}

IniFile PreferencesFile::read()
{
    return IniFile::fromFile(fileName());
}

bool PreferencesFile::write(const IniFile& ini)
{
    const QString name = fileName();
    QString error;
    QDir().mkpath(QFileInfo(name).absolutePath());
    if (ini.saveTo(name, &error)) {
        reportedFailures().remove(name);
        return true;
    }
    if (!reportedFailures().contains(name)) {
        reportedFailures().insert(name);
        ShowInformation(QStringLiteral("Unable to save the preferences file %1 (%2).\n"
                                       "Settings changed now will not be kept after the "
                                       "program ends.")
                            .arg(QDir::toNativeSeparators(name), error));
    }
    return false;
}

} // namespace platform
