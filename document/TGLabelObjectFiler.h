#pragma once
// Writes design objects to, and reads them from, the card file format: a list of "TPF0"
// object records, each with its class name, name and stored properties by name. The same
// format carries the private clipboard and the clone command. Generic over the objects'
// Q_PROPERTYs (see TGPropertyCodec): a new object kind needs no code here. Failures throw
// TGFilerError with the message the user is shown.
//
// Files are written whole through AtomicFile: a save that fails leaves the previous file as
// it was. Files are read as a stream, and every length is checked against the bytes left. When
// reading fails, the object being read is destroyed and the ones completed before it stay on the
// surface, finished (out of the loading state, popup built), as after a successful read.
#include "TGPropertyCodec.h"
#include "platform/system/AtomicFile.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <vector>

class QIODevice;
class QObject;
class TGBasePanel;
class TGClassRegistry;
class TGGraphicControl;
class TGHandle;
class TGStreamReader;
class TGStreamWriter;

class TGLabelObjectFiler {
  public:
    explicit TGLabelObjectFiler(const TGClassRegistry& classes);

    void saveAll(const TGBasePanel& surface, const QString& fileName,
                 platform::AtomicFile::Access access = platform::AtomicFile::Access::AsUmask);
    void loadAll(QObject* owner, TGBasePanel& surface, const QString& fileName);
    // The selection or one object, for the private clipboard: written for the owner alone.
    void saveSelection(const TGHandle& frame, const QString& fileName);
    void loadWithOffset(QObject* owner, TGBasePanel& surface, const QString& fileName);
    void saveObject(TGGraphicControl* object, const QString& fileName);
    // Writes the object to memory and reads it straight back; returns the copy.
    TGGraphicControl* cloneObject(TGGraphicControl* object, QObject* owner, TGBasePanel& surface);

    // The stream level, for callers that hold the bytes themselves.
    QByteArray writeObjects(const std::vector<TGGraphicControl*>& objects);
    void writeObjects(QIODevice& out, const std::vector<TGGraphicControl*>& objects);
    // Returns the objects read, in file order.
    std::vector<TGGraphicControl*> readObjects(QByteArrayView data, QObject* owner,
                                               TGBasePanel& surface);
    std::vector<TGGraphicControl*> readObjects(QIODevice& in, QObject* owner, TGBasePanel& surface);
    // One object's record alone, as the writer's blocks (long payloads shared with the
    // object, see TGStreamWriter), and a stream made of such records, for callers that keep
    // objects apart (the undo history).
    using Record = std::vector<QByteArray>;
    Record writeRecord(const TGGraphicControl& object);
    static QByteArray streamOf(const std::vector<Record>& records);
    // Writes the bytes to the file in one piece.
    static void
    writeFile(const QString& fileName, const QByteArray& bytes,
              platform::AtomicFile::Access access = platform::AtomicFile::Access::AsUmask);
    // Why the name cannot be read as a card file ("... is a folder, not a card file", "...
    // does not exist"); empty for a regular file.
    static QString notACardFile(const QString& fileName);

    // How far a pasted object lands from where it was copied, right and down.
    static constexpr int pasteOffset = 15;

  private:
    void writeRecord(TGStreamWriter& out, const TGGraphicControl& object);
    std::vector<TGGraphicControl*> readObjects(TGStreamReader& in, QObject* owner,
                                               TGBasePanel& surface);
    // Reads one record into a new object (or, with the flag for it, an existing one).
    TGGraphicControl* readRecord(TGStreamReader& in, QObject* owner, TGBasePanel& surface,
                                 std::vector<TGPropertyCodec::Fixup>& fixups);
    void giveName(TGGraphicControl& object, const QString& nameRead);
    static void finish(const std::vector<TGGraphicControl*>& objects, QObject* owner,
                       const std::vector<TGPropertyCodec::Fixup>& fixups);

    const TGClassRegistry& classes_;
    bool offset_ = false;
    TGPropertyCodec codec_;
    // Names of the owner's components during a read, and the first ComponentN number that
    // may still be free (names are only ever added during a read).
    QSet<QString> takenNames_;
    int nextComponent_ = 0;
};
