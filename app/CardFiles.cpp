#include "CardFiles.h"

#include "platform/system/AtomicFile.h"
#include "platform/system/FileName.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

QString CardFiles::companionName(const QString& cardFile) {
    // The first dot of the file's own name: folder names may hold dots too.
    const qsizetype dot =
        cardFile.indexOf(QLatin1Char('.'), cardFile.lastIndexOf(QLatin1Char('/')) + 1);
    return (dot < 0 ? cardFile : cardFile.left(dot)) + QStringLiteral(".ORX");
}

bool CardFiles::isCardFile(const QString& fileName) {
    return QFileInfo(fileName).suffix().toUpper() == QLatin1String("ORL");
}

QString CardFiles::proposedName(const QString& folder) {
    for (int n = 10001; n <= 99999; ++n) {
        const QString name =
            QStringLiteral("BC") + QString::number(n).mid(1) + QStringLiteral(".ORL");
        if (!platform::FileName::exists(folder + QLatin1Char('/') + name)) return name;
    }
    return QString();
}

QString CardFiles::readCompanion(const QString& cardFile) {
    const QString name = companionName(cardFile);
    // Anything but a regular file (a FIFO would wait for a writer) is no companion file.
    if (!platform::FileName::isFile(name)) return QString();
    QFile f;
    if (!platform::FileName::openForReading(f, name)) return QString();
    // One line, the background file's full name by its bytes; a longer file is not a
    // companion file.
    return platform::FileName::fromBytes(f.readLine(4096).trimmed());
}

QString CardFiles::writeCompanion(const QString& cardFile, const QString& backgroundFile) {
    const QString name = companionName(cardFile);
    if (backgroundFile.isEmpty()) {
        if (!platform::FileName::exists(name) || platform::FileName::remove(name)) return QString();
        return platform::FileName::errorText(errno);
    }
    platform::AtomicFile file(name);
    if (file.write(platform::FileName::toBytes(backgroundFile) + "\r\n")) return QString();
    return file.errorString();
}
