#pragma once
// Writes a whole file so that it is either replaced completely or not at all: the bytes go
// into a temporary file beside it, each write checked, are flushed to the disk, and the
// temporary file takes the old one's place only when every byte was written. A buffered
// QSaveFile would hold small files in its buffer and, when the disk is full, commit an
// empty or shortened file as complete; nor can it take a name that is not UTF-8 (see
// FileName). The file keeps the old one's permissions; a link is followed, so the file it
// points to is replaced and the link stays. A file that exists but may not be written is
// left alone. The card writer and the preferences writer both write through it.
#include <QByteArray>
#include <QString>

namespace platform {

class AtomicFile {
  public:
    explicit AtomicFile(const QString& fileName) : fileName_(fileName) {}

    // False when the file could not be written; the old file, if any, is left as it was.
    bool write(const QByteArray& bytes);
    // After a failed write: whether the temporary file could not even be created.
    bool createFailed() const { return createFailed_; }
    // After a failed write: why, in the system's words ("No space left on device").
    const QString& errorString() const { return error_; }

  private:
    QString fileName_;
    bool createFailed_ = false;
    QString error_;
};

} // namespace platform
