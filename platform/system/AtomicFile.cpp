#include "platform/system/AtomicFile.h"

#include "platform/system/FileName.h"

#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr char temporarySuffix[] = ".orlanto-tmp";
// How much of the file's own name a temporary name keeps: enough to recognise it, and short
// enough that any name the system takes leaves room for the rest.
constexpr qsizetype keptNameBytes = 100;
// Links followed before giving up, as the system does.
constexpr int maxLinks = 40;

QByteArray folderOf(const QByteArray& name) {
    const qsizetype slash = name.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : name.left(slash);
}

QByteArray baseOf(const QByteArray& name) {
    return name.mid(name.lastIndexOf('/') + 1);
}

// The file a name stands for: the end of a chain of links, which need not exist yet (a
// dangling link names the file to create).
QByteArray finalName(QByteArray name) {
    for (int i = 0; i < maxLinks; ++i) {
        struct stat st {};
        if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return name;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(name.constData(), target, sizeof target);
        if (n <= 0 || n == ssize_t(sizeof target)) return name;
        const QByteArray t(target, n);
        name = t.startsWith('/') ? t : name.left(name.lastIndexOf('/') + 1) + t;
    }
    return name;
}

// Why the system cannot take the name at all, or 0. Asked first: the temporary file's
// shorter name would be created, and only the last step fail.
int nameError(const QByteArray& name) {
    if (name.isEmpty()) return ENOENT;
    if (name.size() >= PATH_MAX) return ENAMETOOLONG;
    const long longest = ::pathconf(folderOf(name).constData(), _PC_NAME_MAX);
    return longest > 0 && baseOf(name).size() > longest ? ENAMETOOLONG : 0;
}

// Creates and locks a new temporary file beside name; -1 when none could be created.
int createTemporary(const QByteArray& name, mode_t mode, QByteArray& temporary) {
    const QByteArray start =
        name.left(name.lastIndexOf('/') + 1) + '.' + baseOf(name).left(keptNameBytes) + '.';
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = start + QByteArray::number(QRandomGenerator::global()->generate(), 36) +
                    temporarySuffix;
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            // Where the file system keeps no locks, a clean-up at that moment could take
            // the file for a stale one; the write then fails and says so.
            ::flock(fd, LOCK_EX | LOCK_NB);
            return fd;
        }
        if (errno != EEXIST) return fd;
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

bool isTemporary(const QByteArray& base) {
    return base.startsWith('.') && base.endsWith(temporarySuffix) &&
           base.size() > qsizetype(sizeof temporarySuffix);
}

} // namespace

bool AtomicFile::write(const QByteArray& bytes) {
    return open() && append(bytes) && commit();
}

bool AtomicFile::fail(int reason, bool creating) {
    createFailed_ = creating;
    error_ = FileName::errorText(reason ? reason : EIO);
    cancel();
    return false;
}

bool AtomicFile::open() {
    cancel();
    createFailed_ = false;
    error_.clear();
    name_ = finalName(FileName::toBytes(fileName_));
    if (const int reason = nameError(name_)) return fail(reason, true);
    struct stat old {};
    replacing_ = ::stat(name_.constData(), &old) == 0;
    oldMode_ = old.st_mode & 07777;
    if (replacing_ && S_ISDIR(old.st_mode)) return fail(EISDIR, true);
    if (replacing_ && ::access(name_.constData(), W_OK) != 0) return fail(errno, true);
    // 0666 as any new file, for the user's umask to decide.
    fd_ = createTemporary(name_, access_ == Access::OwnerOnly ? 0600 : 0666, temporary_);
    return fd_ >= 0 || fail(errno, true);
}

bool AtomicFile::append(const QByteArray& bytes) {
    return fd_ >= 0 && (writeAll(fd_, bytes) || fail(errno, false));
}

bool AtomicFile::commit() {
    if (fd_ < 0) return false;
    bool written = !replacing_ || access_ == Access::OwnerOnly || ::fchmod(fd_, oldMode_) == 0;
    if (written) written = ::fsync(fd_) == 0;
    // Renamed while still open and locked, so that no clean-up takes it for a stale one.
    // fsync has reported every write error; closing afterwards adds none that matters.
    if (written) written = ::rename(temporary_.constData(), name_.constData()) == 0;
    if (!written) return fail(errno, false);
    ::close(fd_);
    fd_ = -1;
    return true;
}

void AtomicFile::cancel() {
    if (fd_ < 0) return;
    const int reason = errno; // the failure being reported stays readable
    ::unlink(temporary_.constData());
    ::close(fd_);
    fd_ = -1;
    errno = reason;
}

void AtomicFile::removeStale(const QString& folder) {
    const QByteArray path = FileName::toBytes(folder) + '/';
    for (const QString& file : FileName::files(folder)) {
        const QByteArray name = path + FileName::toBytes(file);
        if (!isTemporary(baseOf(name))) continue;
        const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(name.constData());
        ::close(fd);
    }
}

} // namespace platform
