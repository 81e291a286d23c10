#include "AtomicFile.h"

#include "FileName.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The file a name stands for: the target of a link, which need not exist yet.
QByteArray finalName(const QByteArray& name) {
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return name;
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(name.constData(), nullptr),
                                                           &std::free);
    return real ? QByteArray(real.get()) : name;
}

// Creates a new file "<name>.XXXXXX" beside name; -1 when none could be created.
int createTemporary(const QByteArray& name, QByteArray& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = name + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        // 0666 as any new file: the user's umask decides.
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        // No error, yet nothing written: the disk is full.
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

bool AtomicFile::write(const QByteArray& bytes) {
    createFailed_ = false;
    error_.clear();
    const QByteArray name = finalName(FileName::toBytes(fileName_));
    const auto failed = [this](int reason, bool creating) {
        createFailed_ = creating;
        error_ = FileName::errorText(reason ? reason : EIO);
        return false;
    };
    struct stat old {};
    const bool replacing = ::stat(name.constData(), &old) == 0;
    if (replacing && ::access(name.constData(), W_OK) != 0) return failed(errno, true);

    QByteArray temporary;
    const int fd = createTemporary(name, temporary);
    if (fd < 0) return failed(errno, true);
    bool written = writeAll(fd, bytes);
    if (written && replacing) written = ::fchmod(fd, old.st_mode & 07777) == 0;
    if (written) written = ::fsync(fd) == 0;
    int reason = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        reason = errno;
    }
    if (written && ::rename(temporary.constData(), name.constData()) == 0) return true;
    if (written) reason = errno;
    ::unlink(temporary.constData());
    return failed(reason, false);
}

} // namespace platform
