#include "platform/system/FileName.h"

#include "platform/drawing/Cp1252.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr char16_t escapeBase = 0xDC00;
const QString fileScheme = QStringLiteral("file://");

// The code point of the UTF-8 sequence at p (n bytes left) and its length, or 0 when the
// bytes there are no valid sequence (overlong, a surrogate, beyond U+10FFFF, cut short).
int sequence(const uchar* p, qsizetype n, char32_t& cp) {
    const uchar b = p[0];
    // The length a lead byte announces, and the least code point that needs it.
    const int len = b >= 0xC2 && b <= 0xDF   ? 2
                    : (b & 0xF0) == 0xE0     ? 3
                    : b >= 0xF0 && b <= 0xF4 ? 4
                                             : 0;
    if (len == 0 || n < len) return 0;
    const char32_t least = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
    cp = b & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (p[k] & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

// Whether the unit at i stands for one byte that is not UTF-8.
bool isEscape(QStringView name, qsizetype i) {
    const char16_t c = name[i].unicode();
    return c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !name[i - 1].isHighSurrogate());
}

bool statName(const QString& name, struct stat& st) {
    return ::stat(FileName::toBytes(name).constData(), &st) == 0;
}

} // namespace

QString FileName::fromBytes(QByteArrayView bytes) {
    QString name;
    name.reserve(bytes.size());
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        if (p[i] < 0x80) {
            name += QChar(p[i++]);
            continue;
        }
        char32_t cp = 0;
        const int len = sequence(p + i, n - i, cp);
        if (len == 0) {
            name += QChar(char16_t(escapeBase + p[i++]));
            continue;
        }
        const char32_t units[] = {cp};
        name += QString::fromUcs4(units, 1);
        i += len;
    }
    return name;
}

QByteArray FileName::toBytes(QStringView name) {
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        const bool end = i == name.size();
        if (!end && !isEscape(name, i)) continue;
        bytes += name.mid(start, i - start).toUtf8();
        if (!end) bytes += char(name[i].unicode() - escapeBase);
        start = i + 1;
    }
    return bytes;
}

QString FileName::display(QStringView name) {
    QString shown;
    shown.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isEscape(name, i)) {
            shown += name[i];
            continue;
        }
        const char byte = char(name[i].unicode() - escapeBase);
        const QString c = Cp1252::decode(QByteArrayView(&byte, 1));
        // The few bytes the code page leaves out read as control characters.
        shown += c.size() == 1 && c.at(0).category() != QChar::Other_Control
                     ? c.at(0)
                     : QChar(QChar::ReplacementCharacter);
    }
    return shown;
}

QString FileName::toText(const QString& name) {
    const QByteArray bytes = toBytes(name);
    if (QString::fromUtf8(bytes) == name) return name;
    return fileScheme + QString::fromLatin1(bytes.toPercentEncoding("/"));
}

QString FileName::fromText(const QString& text) {
    if (!text.startsWith(fileScheme)) return text;
    return fromBytes(QByteArray::fromPercentEncoding(text.mid(fileScheme.size()).toLatin1()));
}

QString FileName::absolute(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('/'))) return QDir::cleanPath(name);
    // The current folder by its bytes: the toolkit's reading of it is not exact.
    const std::unique_ptr<char, decltype(&std::free)> cwd(::getcwd(nullptr, 0), &std::free);
    if (!cwd) return QDir::cleanPath(QDir::currentPath() + QLatin1Char('/') + name);
    return QDir::cleanPath(fromBytes(cwd.get()) + QLatin1Char('/') + name);
}

QStringList FileName::files(const QString& folder) {
    QStringList names;
    const auto close = [](DIR* d) { ::closedir(d); };
    const std::unique_ptr<DIR, decltype(close)> dir(::opendir(toBytes(folder).constData()), close);
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QString name = fromBytes(entry->d_name);
        if (isFile(folder + QLatin1Char('/') + name)) names << name;
    }
    return names;
}

bool FileName::exists(const QString& name) {
    struct stat st {};
    return statName(name, st);
}

bool FileName::isFile(const QString& name) {
    struct stat st {};
    return statName(name, st) && S_ISREG(st.st_mode);
}

bool FileName::isDir(const QString& name) {
    struct stat st {};
    return statName(name, st) && S_ISDIR(st.st_mode);
}

bool FileName::remove(const QString& name) {
    return ::unlink(toBytes(name).constData()) == 0;
}

bool FileName::rename(const QString& from, const QString& to) {
    return ::rename(toBytes(from).constData(), toBytes(to).constData()) == 0;
}

bool FileName::openForReading(QFile& file, const QString& name, QString* error) {
    const int fd = ::open(toBytes(name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
    const int reason = errno;
    if (fd >= 0) ::close(fd);
    if (error) *error = fd < 0 ? errorText(reason) : file.errorString();
    return false;
}

QString FileName::errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace platform
