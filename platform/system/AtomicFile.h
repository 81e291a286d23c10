#pragma once
// Writes a whole file so that it is either replaced completely or not at all: the bytes go
// into a temporary file beside it, each write checked, are flushed to the disk, and the
// temporary file takes the old one's place only when every byte was written. A buffered
// QSaveFile would hold small files in its buffer and, when the disk is full, commit an
// empty or shortened file as complete; nor can it take a name that is not UTF-8 (see
// FileName). The file keeps the old one's permissions, or is the owner's alone when asked;
// a link is followed, so the file it points to is replaced (or created, when the link
// dangles) and the link stays. A file that exists but may not be written is left alone.
// Every file the program writes goes through it (cards, preferences, PDF files, the widget
// map); a writer whose bytes come in parts opens the file, appends each part and commits.
//
// The temporary file is hidden and named after the file, ".NAME.<random>.orlanto-tmp", and
// is locked while it is written: one that a killed program left behind can be told from a
// write under way, and removed (removeStale).
#include <QByteArray>
#include <QString>

namespace platform {

class AtomicFile {
  public:
    enum class Access {
        AsUmask,   // a new file as the user's umask makes it; a replaced one keeps its mode
        OwnerOnly, // readable and writable by its owner alone (0600), new or replaced
    };

    explicit AtomicFile(const QString& fileName, Access access = Access::AsUmask)
        : fileName_(fileName), access_(access) {}
    // A file opened and never committed is removed; the old file stays as it was.
    ~AtomicFile() { cancel(); }
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when the file could not be written; the old file, if any, is left as it was.
    bool write(const QByteArray& bytes);

    // The same in steps: open creates the temporary file (false when it cannot be created),
    // append writes to it, and commit puts it in the file's place. After any failure the
    // temporary file is gone and the old file is left as it was.
    bool open();
    bool append(const QByteArray& bytes);
    bool commit();
    // Removes the temporary file of an open write; the old file stays as it was.
    void cancel();

    // After a failed write: whether the file could not even be created (no such folder,
    // no right to write there, a name too long for the system).
    bool createFailed() const { return createFailed_; }
    // After a failed write: why, in the system's words ("No space left on device").
    const QString& errorString() const { return error_; }

    // Removes the temporary files in the folder that writes which never finished left
    // behind; those of writes still under way are locked and stay.
    static void removeStale(const QString& folder);

  private:
    bool fail(int reason, bool creating);

    QString fileName_;
    Access access_;
    int fd_ = -1;
    QByteArray name_;      // the file replaced: where the name's links lead
    QByteArray temporary_; // the file written until it takes the name
    bool replacing_ = false;
    unsigned oldMode_ = 0;
    bool createFailed_ = false;
    QString error_;
};

} // namespace platform
