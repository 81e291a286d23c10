#include "TRecoveryFile.h"

#include "document/TGBasePanel.h"
#include "document/TGFilerError.h"
#include "platform/HomeFolder.h"

#include <QFile>
#include <QSaveFile>

TRecoveryFile::TRecoveryFile(TGBasePanel& surface) : surface_(surface) {}

QString TRecoveryFile::cardPath() {
    return platform::HomeFolder::path() + QStringLiteral("Recover.ORL");
}

QString TRecoveryFile::backgroundPath() {
    return platform::HomeFolder::path() + QStringLiteral("Recover.ORX");
}

bool TRecoveryFile::exists() {
    return QFile::exists(cardPath());
}

QString TRecoveryFile::poll(bool modified, const QString& background) {
    if (!modified) {
        since_.reset();
        return QString();
    }
    const quint32 now = clock_->tick();
    if (!since_) since_ = now;
    if (now - *since_ < interval_) return QString();
    since_ = now;
    return write(background);
}

QString TRecoveryFile::write(const QString& background) {
    try {
        surface_.SaveCard(cardPath());
    } catch (const TGFilerError& e) {
        return e.message();
    }
    if (background.isEmpty()) {
        QFile::remove(backgroundPath());
        return QString();
    }
    QSaveFile f(backgroundPath());
    if (!f.open(QIODevice::WriteOnly) || f.write(background.toUtf8()) < 0 || !f.commit())
        return QStringLiteral("Cannot write file %1: %2").arg(backgroundPath(), f.errorString());
    return QString();
}

void TRecoveryFile::remove() {
    QFile::remove(cardPath());
    QFile::remove(backgroundPath());
}

QString TRecoveryFile::background() {
    QFile f(backgroundPath());
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.read(4096)).trimmed();
}

QString TRecoveryFile::setAside() {
    const QString aside = cardPath() + QStringLiteral(".damaged");
    QFile::remove(aside);
    if (!QFile::rename(cardPath(), aside)) QFile::remove(cardPath());
    QFile::remove(backgroundPath());
    return aside;
}
