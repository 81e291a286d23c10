#pragma once
// An initialisation file ("[Section]" lines and "Key=Value" lines) held in memory exactly as
// written. Sections and keys are found without regard to ASCII letter case, the first of
// duplicated sections or keys wins, and every line the program does not touch (comments,
// garbage, duplicates, blank lines) is written back unchanged. New keys go to the end of
// their section, new sections to the end of the file, so a file keeps the order in which its
// entries were first written.
//
// The text is kept as one byte array with an index of the section headers only, so a huge or
// noisy file costs little more memory than its own size.
//
// A file that is valid UTF-8 as a whole is read and written as UTF-8; any other file is
// taken as code page 1252 (as older programs wrote it) and stays so, until a value that page
// cannot hold is written: the whole text then turns into UTF-8, so nothing is lost. A new
// file is UTF-8.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace platform {

class IniFile {
  public:
    // Far above any real preferences file; a larger file is not read.
    static constexpr qint64 maxFileSize = 32 * 1024 * 1024;

    IniFile() = default;
    explicit IniFile(QByteArray text);

    // Reads a file; a missing file gives an empty one. A file that exists but could not be
    // read whole (unreadable, not a regular file, larger than maxFileSize) gives an empty one
    // too, and then, when error is given, the reason.
    static IniFile fromFile(const QString& fileName, QString* error = nullptr);
    // Writes atomically (a failed write leaves the old file as it was). On failure returns
    // false and, when error is given, says why.
    bool saveTo(const QString& fileName, QString* error = nullptr) const;

    const QByteArray& text() const { return text_; }
    // False when the text is taken as code page 1252.
    bool isUtf8() const { return utf8_; }

    // A missing section or key gives the default.
    QString readString(const QString& section, const QString& key, const QString& def) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives the default.
    int readInteger(const QString& section, const QString& key, int def) const;
    // Read as an integer: any value other than 0 is true.
    bool readBool(const QString& section, const QString& key, bool def) const;
    // The text after the first "=" of every key line of the section, in file order,
    // whatever the keys are.
    QStringList readSectionValues(const QString& section) const;
    bool sectionExists(const QString& section) const;

    // Line breaks and NUL characters in values become spaces: a value is one line.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    // Removes every section of that name with all its lines.
    void eraseSection(const QString& section);

    // The integer reading rule on its own.
    static std::optional<int> parseInteger(const QString& text);

  private:
    struct Section {
        qsizetype headerStart; // first byte of the "[Name]" line
        qsizetype nameStart;
        qsizetype nameLength;
        qsizetype bodyStart; // first byte after the header line
        qsizetype bodyEnd;   // first byte of the next header line, or the end of the text
    };
    struct KeyLine {
        qsizetype keyStart; // the key, trimmed
        qsizetype keyEnd;
        qsizetype valueStart; // first byte after "="
        qsizetype valueEnd;   // end of the line, before any "\r"
        qsizetype trimmedValueStart;
        qsizetype trimmedValueEnd;
    };

    void parse();
    int findSection(const QString& section) const;
    // Calls visit(KeyLine) for every "key=value" line of the section, in file order, until
    // it returns true; returns that line.
    template <typename Visit>
    std::optional<KeyLine> findKeyLine(const Section& s, Visit visit) const;
    std::optional<KeyLine> findKey(const Section& s, const QByteArray& key) const;
    std::optional<QByteArray> rawValue(const QString& section, const QString& key) const;
    QByteArray eol() const;
    QString decode(QByteArrayView bytes) const;
    // Text in the file's encoding.
    QByteArray encoded(const QString& name) const;
    // Turns a code-page file into UTF-8 when the page cannot hold the text.
    void makeRoomFor(const QString& text);
    // Replaces bytes inside section `owner` and moves the index of everything after them.
    void splice(int owner, qsizetype pos, qsizetype removed, const QByteArray& bytes);

    QByteArray text_;
    bool utf8_ = true;
    std::vector<Section> sections_;
};

} // namespace platform
