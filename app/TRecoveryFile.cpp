#include "TRecoveryFile.h"

#include "app/HeadlessCard.h"
#include "app/NameFile.h"
#include "document/TGFilerError.h"
#include "platform/system/AtomicFile.h"
#include "platform/system/FileName.h"
#include "platform/system/HomeFolder.h"

#include <new>
#include <sys/stat.h>

namespace {
constexpr auto ownerOnly = platform::AtomicFile::Access::OwnerOnly;
} // namespace

TRecoveryFile::TRecoveryFile(TGBasePanel& surface) : surface_(surface) {}

QString TRecoveryFile::cardPath() {
    return platform::HomeFolder::path() + QStringLiteral("Recover.ORL");
}

QString TRecoveryFile::backgroundPath() {
    return platform::HomeFolder::path() + QStringLiteral("Recover.ORX");
}

QString TRecoveryFile::namePath() {
    return platform::HomeFolder::path() + QStringLiteral("Recover.ORN");
}

bool TRecoveryFile::exists() {
    return platform::FileName::exists(cardPath());
}

QString TRecoveryFile::poll(bool modified, const QString& cardName, const QString& background) {
    if (!modified) {
        since_.reset();
        return QString();
    }
    const quint32 now = clock_->tick();
    if (!since_) since_ = now;
    if (now - *since_ < interval_) return QString();
    since_ = now;
    return write(cardName, background);
}

QString TRecoveryFile::write(const QString& cardName, const QString& background) {
    try {
        surface_.saveCard(cardPath(), ownerOnly);
    } catch (const TGFilerError& e) {
        return e.message();
    }
    if (QString error = NameFile::write(backgroundPath(), background); !error.isEmpty())
        return error;
    return NameFile::write(namePath(), cardName);
}

void TRecoveryFile::remove() {
    platform::FileName::remove(cardPath());
    platform::FileName::remove(backgroundPath());
    platform::FileName::remove(namePath());
}

QString TRecoveryFile::background() {
    return NameFile::read(backgroundPath());
}

QString TRecoveryFile::cardName() {
    return NameFile::read(namePath());
}

QDateTime TRecoveryFile::keptAt() {
    struct stat st {};
    if (::stat(platform::FileName::toBytes(cardPath()).constData(), &st) != 0) return QDateTime();
    return QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec);
}

QString TRecoveryFile::load(TGBasePanel& surface) {
    // Whatever goes wrong while reading ends here: the start-up that offers the copy must
    // go on.
    try {
        surface.loadCard(cardPath());
    } catch (const TGFilerError& e) {
        return e.message();
    } catch (const std::bad_alloc&) {
        return QStringLiteral("not enough memory to read it");
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("an unknown error");
    }
    return QString();
}

QString TRecoveryFile::check() {
    HeadlessCard scratch;
    return load(scratch);
}

QString TRecoveryFile::setAside() {
    platform::FileName::remove(backgroundPath());
    platform::FileName::remove(namePath());
    const QString aside = cardPath() + QStringLiteral(".damaged");
    platform::FileName::remove(aside);
    if (platform::FileName::rename(cardPath(), aside)) return aside;
    platform::FileName::remove(cardPath());
    return QString();
}
