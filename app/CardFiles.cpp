#include "CardFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString CardFiles::companionName(const QString& cardFile)
{
    // The first dot of the file's own name: folder names may hold dots too.
    const qsizetype dot = cardFile.indexOf(QLatin1Char('.'), cardFile.lastIndexOf(QLatin1Char('/')) + 1);
    return (dot < 0 ? cardFile : cardFile.left(dot)) + QStringLiteral(".ORX");
}

bool CardFiles::isCardFile(const QString& fileName)
{
    return QFileInfo(fileName).suffix().toUpper() == QLatin1String("ORL");
}

QString CardFiles::proposedName(const QString& folder)
{
    const QDir dir(folder);
    for (int n = 10001; n <= 99999; ++n) {
        const QString name = QStringLiteral("BC") + QString::number(n).mid(1) + QStringLiteral(".ORL");
        if (!dir.exists(name)) return name;
    }
    return QString();
}

QString CardFiles::readCompanion(const QString& cardFile)
{
    const QString name = companionName(cardFile);
    // Anything but a regular file (a FIFO would wait for a writer) is no companion file.
    if (!QFileInfo(name).isFile()) return QString();
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return QString();
    // One line, the background file's full name; a longer file is not a companion file.
    const QByteArray line = f.readLine(4096);
    return QString::fromLocal8Bit(line).trimmed();
}

bool CardFiles::writeCompanion(const QString& cardFile, const QString& backgroundFile)
{
    const QString name = companionName(cardFile);
    if (backgroundFile.isEmpty()) {
        return !QFile::exists(name) || QFile::remove(name);
    }
    QSaveFile f(name);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(backgroundFile.toLocal8Bit() + "\r\n");
    return f.commit();
}
