#include "platform/system/IniFile.h"

#include "platform/drawing/Cp1252.h"
#include "platform/system/AtomicFile.h"
#include "platform/system/FileName.h"
#include <QByteArrayView>

#include <QFile>
#include <QStringDecoder>

#include <cstring>
#include <sys/stat.h>

namespace platform {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// End of the line that starts at pos: the position of its "\n", or end.
qsizetype lineEnd(const QByteArray& text, qsizetype pos, qsizetype end) {
    const void* nl = std::memchr(text.constData() + pos, '\n', size_t(end - pos));
    return nl ? static_cast<const char*>(nl) - text.constData() : end;
}

void trim(const QByteArray& text, qsizetype& start, qsizetype& end) {
    while (start < end && isBlank(text.at(start)))
        ++start;
    while (end > start && isBlank(text.at(end - 1)))
        --end;
}

bool sameName(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

bool validUtf8(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes); // decoding happens on conversion
    return !utf8.hasError();
}

QString oneLine(const QString& value) {
    QString v = value;
    for (QChar& c : v) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0)) c = u' ';
    }
    return v;
}

} // namespace

IniFile::IniFile(QByteArray text) : text_(std::move(text)), utf8_(validUtf8(text_)) {
    parse();
}

IniFile IniFile::fromFile(const QString& fileName, QString* error) {
    const QByteArray name = FileName::toBytes(fileName);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0) return {};
    const auto failed = [error](const QString& reason) {
        if (error) *error = reason;
        return IniFile();
    };
    // Checked before opening: opening a FIFO would wait for a writer.
    if (!FileName::isFile(fileName)) return failed(QStringLiteral("not a regular file"));
    QFile f;
    QString reason;
    if (!FileName::openForReading(f, fileName, &reason)) return failed(reason);
    if (f.size() > maxFileSize)
        return failed(QStringLiteral("larger than %1 MB").arg(maxFileSize / (1024 * 1024)));
    // At most the limit and one byte more, even if the file grows meanwhile.
    QByteArray text = f.read(maxFileSize + 1);
    if (f.error() != QFileDevice::NoError) return failed(f.errorString());
    if (text.size() > maxFileSize)
        return failed(QStringLiteral("larger than %1 MB").arg(maxFileSize / (1024 * 1024)));
    return IniFile(std::move(text));
}

bool IniFile::saveTo(const QString& fileName, QString* error) const {
    AtomicFile file(fileName);
    if (file.write(text_)) return true;
    if (error) *error = file.errorString();
    return false;
}

QString IniFile::decode(QByteArrayView bytes) const {
    return utf8_ ? QString::fromUtf8(bytes) : Cp1252::decode(bytes);
}

QByteArray IniFile::encoded(const QString& name) const {
    // Text the code page cannot hold matches nothing in a code-page file.
    return utf8_ ? name.toUtf8() : Cp1252::encode(name).value_or(QByteArray());
}

void IniFile::makeRoomFor(const QString& text) {
    if (utf8_ || Cp1252::encode(text)) return;
    text_ = Cp1252::decode(text_).toUtf8();
    utf8_ = true;
    parse();
}

void IniFile::parse() {
    sections_.clear();
    const qsizetype end = text_.size();
    qsizetype pos = text_.startsWith("\xEF\xBB\xBF") ? 3 : 0; // a UTF-8 byte-order mark
    while (pos < end) {
        const qsizetype le = lineEnd(text_, pos, end);
        qsizetype ts = pos, te = le;
        trim(text_, ts, te);
        if (ts < te && text_.at(ts) == '[') {
            const void* rb = std::memchr(text_.constData() + ts + 1, ']', size_t(te - ts - 1));
            if (rb) {
                qsizetype ns = ts + 1;
                qsizetype ne = static_cast<const char*>(rb) - text_.constData();
                trim(text_, ns, ne);
                if (!sections_.empty()) sections_.back().bodyEnd = pos;
                const qsizetype next = le < end ? le + 1 : end;
                sections_.push_back({pos, ns, ne - ns, next, end});
            }
        }
        pos = le + 1;
    }
}

int IniFile::findSection(const QString& section) const {
    const QByteArray name = encoded(section);
    for (size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        if (sameName(QByteArrayView(text_.constData() + s.nameStart, s.nameLength), name))
            return int(i);
    }
    return -1;
}

template <typename Visit>
std::optional<IniFile::KeyLine> IniFile::findKeyLine(const Section& s, Visit visit) const {
    qsizetype pos = s.bodyStart;
    while (pos < s.bodyEnd) {
        const qsizetype le = lineEnd(text_, pos, s.bodyEnd);
        qsizetype ts = pos, te = le;
        trim(text_, ts, te);
        if (ts < te && text_.at(ts) != ';') {
            const void* eq = std::memchr(text_.constData() + ts, '=', size_t(te - ts));
            if (eq) {
                const qsizetype eqPos = static_cast<const char*>(eq) - text_.constData();
                qsizetype ks = ts, ke = eqPos;
                trim(text_, ks, ke);
                qsizetype valueEnd = le;
                if (valueEnd > eqPos + 1 && text_.at(valueEnd - 1) == '\r') --valueEnd;
                qsizetype vs = eqPos + 1, ve = te;
                trim(text_, vs, ve);
                const KeyLine line{ks, ke, eqPos + 1, valueEnd, vs, ve};
                if (visit(line)) return line;
            }
        }
        pos = le + 1;
    }
    return std::nullopt;
}

std::optional<IniFile::KeyLine> IniFile::findKey(const Section& s, const QByteArray& key) const {
    return findKeyLine(s, [this, &key](const KeyLine& line) {
        return sameName(
            QByteArrayView(text_.constData() + line.keyStart, line.keyEnd - line.keyStart), key);
    });
}

std::optional<QByteArray> IniFile::rawValue(const QString& section, const QString& key) const {
    const int i = findSection(section);
    if (i < 0) return std::nullopt;
    const auto line = findKey(sections_[size_t(i)], encoded(key));
    if (!line) return std::nullopt;
    return text_.mid(line->trimmedValueStart, line->trimmedValueEnd - line->trimmedValueStart);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    const auto raw = rawValue(section, key);
    return raw ? decode(*raw) : def;
}

std::optional<int> IniFile::parseInteger(const QString& text) {
    bool ok = false;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QStringView digits = QStringView(text).mid(2);
        // Only hex digits: the number parser would also take a sign or a second "0x".
        for (QChar c : digits) {
            if (!c.isDigit() && !QStringView(u"abcdefABCDEF").contains(c)) return std::nullopt;
        }
        const uint v = digits.toUInt(&ok, 16);
        // Eight hex digits cover the whole 32-bit pattern, as the platform reads them.
        if (ok) return int(v);
        return std::nullopt;
    }
    const int v = text.toInt(&ok, 10);
    if (ok) return v;
    return std::nullopt;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    const auto raw = rawValue(section, key);
    if (!raw) return def;
    return parseInteger(decode(*raw)).value_or(def);
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

QStringList IniFile::readSectionValues(const QString& section) const {
    QStringList values;
    const int i = findSection(section);
    if (i < 0) return values;
    findKeyLine(sections_[size_t(i)], [this, &values](const KeyLine& line) {
        values << decode(QByteArrayView(text_.constData() + line.trimmedValueStart,
                                        line.trimmedValueEnd - line.trimmedValueStart));
        return false;
    });
    return values;
}

bool IniFile::sectionExists(const QString& section) const {
    return findSection(section) >= 0;
}

QByteArray IniFile::eol() const {
    // New lines follow the file's own line ends.
    const qsizetype nl = text_.indexOf('\n');
    return nl > 0 && text_.at(nl - 1) == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

void IniFile::splice(int owner, qsizetype pos, qsizetype removed, const QByteArray& bytes) {
    text_.replace(pos, removed, bytes);
    const qsizetype delta = bytes.size() - removed;
    sections_[size_t(owner)].bodyEnd += delta;
    for (size_t i = size_t(owner) + 1; i < sections_.size(); ++i) {
        Section& s = sections_[i];
        s.headerStart += delta;
        s.nameStart += delta;
        s.bodyStart += delta;
        s.bodyEnd += delta;
    }
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString text = oneLine(value);
    makeRoomFor(section + key + text);
    const QByteArray v = encoded(text);
    const QByteArray k = encoded(key);
    const QByteArray name = encoded(section);
    const QByteArray nl = eol();
    const int i = findSection(section);
    if (i < 0) {
        if (!text_.isEmpty()) {
            if (!text_.endsWith('\n')) text_ += nl;
            if (!text_.endsWith("\n\n") && !text_.endsWith("\n\r\n")) text_ += nl;
        }
        const qsizetype start = text_.size();
        if (!sections_.empty()) sections_.back().bodyEnd = start;
        text_ += '[' + name + ']' + nl;
        sections_.push_back({start, start + 1, name.size(), text_.size(), 0});
        text_ += k + '=' + v + nl;
        sections_.back().bodyEnd = text_.size();
        return;
    }
    const Section& s = sections_[size_t(i)];
    if (const auto line = findKey(s, k)) {
        splice(i, line->valueStart, line->valueEnd - line->valueStart, v);
        return;
    }
    // After the last non-blank line of the section, so blank separators stay below it.
    qsizetype insertAt = s.bodyStart;
    for (qsizetype pos = s.bodyStart; pos < s.bodyEnd;) {
        const qsizetype le = lineEnd(text_, pos, s.bodyEnd);
        qsizetype ts = pos, te = le;
        trim(text_, ts, te);
        if (ts < te) insertAt = le < s.bodyEnd ? le + 1 : le;
        pos = le + 1;
    }
    QByteArray line = k + '=' + v + nl;
    // The header or the last line may end the file without a line break.
    if (insertAt > 0 && text_.at(insertAt - 1) != '\n') line.prepend(nl);
    splice(i, insertAt, 0, line);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeInteger(section, key, value ? 1 : 0);
}

void IniFile::eraseSection(const QString& section) {
    const QByteArray name = encoded(section);
    bool removed = false;
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
        if (sameName(QByteArrayView(text_.constData() + it->nameStart, it->nameLength), name)) {
            text_.remove(it->headerStart, it->bodyEnd - it->headerStart);
            removed = true;
        }
    }
    if (removed) parse();
}

} // namespace platform
