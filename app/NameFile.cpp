#include "NameFile.h"

#include "platform/system/AtomicFile.h"
#include "platform/system/FileName.h"

#include <QFile>

QString NameFile::write(const QString& file, const QString& name) {
    if (name.isEmpty()) {
        platform::FileName::remove(file);
        return QString();
    }
    platform::AtomicFile f(file, platform::AtomicFile::Access::OwnerOnly);
    if (f.write(platform::FileName::toBytes(name))) return QString();
    return QStringLiteral("Cannot write file %1: %2").arg(file, f.errorString());
}

QString NameFile::read(const QString& file) {
    QFile f;
    if (!platform::FileName::openForReading(f, file)) return QString();
    return platform::FileName::fromBytes(f.read(4096).trimmed());
}
