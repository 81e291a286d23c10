#include "TRecoveryFile.h"

#include "document/TGBasePanel.h"
#include "document/TGFilerError.h"
#include "platform/AtomicFile.h"
#include "platform/FileName.h"
#include "platform/HomeFolder.h"

#include <QFile>

TRecoveryFile::TRecoveryFile(TGBasePanel& surface) : surface_(surface) {}

QString TRecoveryFile::cardPath() {
    return platform::HomeFolder::path() + QStringLiteral("Recover.ORL");
}

QString TRecoveryFile::backgroundPath() {
    return platform::HomeFolder::path() + QStringLiteral("Recover.ORX");
}

bool TRecoveryFile::exists() {
    return platform::FileName::exists(cardPath());
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
        platform::FileName::remove(backgroundPath());
        return QString();
    }
    // The name by its bytes, as the card's companion file keeps it.
    platform::AtomicFile f(backgroundPath());
    if (!f.write(platform::FileName::toBytes(background)))
        return QStringLiteral("Cannot write file %1: %2").arg(backgroundPath(), f.errorString());
    return QString();
}

void TRecoveryFile::remove() {
    platform::FileName::remove(cardPath());
    platform::FileName::remove(backgroundPath());
}

QString TRecoveryFile::background() {
    QFile f;
    if (!platform::FileName::openForReading(f, backgroundPath())) return QString();
    return platform::FileName::fromBytes(f.read(4096).trimmed());
}

QString TRecoveryFile::setAside() {
    const QString aside = cardPath() + QStringLiteral(".damaged");
    platform::FileName::remove(aside);
    if (!platform::FileName::rename(cardPath(), aside)) platform::FileName::remove(cardPath());
    platform::FileName::remove(backgroundPath());
    return aside;
}
