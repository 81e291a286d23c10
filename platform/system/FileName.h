#pragma once
// File names as the file system holds them. A name is a string of bytes, mostly UTF-8 but
// not always: a disk written by an older system holds names such as "caf\xE9.ORL". The
// toolkit turns every byte that is not UTF-8 into U+FFFD, after which the file cannot be
// found again. Here such a byte becomes a lone surrogate U+DC80..U+DCFF in the QString and
// goes back to the same byte, so every name read from the system, the command line or the
// preferences file reaches the file system unchanged. A name in valid UTF-8 reads exactly
// as the toolkit reads it.
//
// Everything that opens, tests, removes or renames a file by a name that may have come
// from outside goes through here; the toolkit's own file classes are given the open file.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QFile;

namespace platform {

class FileName {
  public:
    static QString fromBytes(QByteArrayView bytes);
    static QByteArray toBytes(QStringView name);
    // The name to show (captions, messages, menus): each byte that is not UTF-8 read as
    // code page 1252, so "caf\xE9.ORL" shows as "café.ORL".
    static QString display(QStringView name);

    // The name as stored among text (the preferences file): itself when it is valid UTF-8,
    // otherwise a "file://" address with the bytes percent-encoded.
    static QString toText(const QString& name);
    static QString fromText(const QString& text);

    // The full name: a relative name taken from the current folder, "." and ".." removed.
    static QString absolute(const QString& name);
    // The names of the regular files in a folder (links followed), exactly: the toolkit's
    // folder listing leaves out every name that is not UTF-8.
    static QStringList files(const QString& folder);

    // As the system sees them, links followed.
    static bool exists(const QString& name);
    static bool isFile(const QString& name);
    static bool isDir(const QString& name);
    static bool remove(const QString& name);
    static bool rename(const QString& from, const QString& to);
    // Opens for reading; on failure says why in the system's words.
    static bool openForReading(QFile& file, const QString& name, QString* error = nullptr);
    // The system's words for an error number.
    static QString errorText(int error);
};

} // namespace platform
