#include "AtomicFile.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace platform {

bool AtomicFile::write(const QByteArray& bytes) {
    QSaveFile file(fileName_);
    createFailed_ = false;
    error_.clear();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        createFailed_ = true;
        error_ = file.errorString();
        return false;
    }
    errno = 0;
    const qint64 written = file.write(bytes);
    const int reason = errno;
    if (written == bytes.size() && file.commit()) return true;
    // A write cut short without an error from the file engine (the disk filled up part-way)
    // leaves no reason in the file: the system's own is in errno.
    error_ = file.error() != QFileDevice::NoError
                 ? file.errorString()
                 : QString::fromLocal8Bit(std::strerror(reason ? reason : EIO));
    file.cancelWriting();
    return false;
}

} // namespace platform
