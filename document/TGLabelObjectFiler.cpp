#include "TGLabelObjectFiler.h"

#include "TGBasePanel.h"
#include "TGClassRegistry.h"
#include "TGFilerError.h"
#include "TGGraphicControl.h"
#include "TGHandle.h"
#include "TGStreamReader.h"
#include "TGStreamWriter.h"
#include "platform/drawing/Cp1252.h"

#include "platform/system/AtomicFile.h"
#include "platform/system/FileName.h"

#include <QFile>
#include <QIODevice>

#include <exception>
#include <memory>

namespace {
constexpr char signature[] = "TPF0";
// Flags byte of a record: 0xF0 and up; the low bits say what follows.
constexpr quint8 flagsMark = 0xF0;
constexpr quint8 flagExisting = 0x01;
constexpr quint8 flagChildPos = 0x02;
constexpr int maxComponentNumber = 1000;
// The clipboard holds what the user copied: it is theirs alone.
constexpr auto clipboardAccess = platform::AtomicFile::Access::OwnerOnly;

[[noreturn]] void fail(const QString& message) {
    throw TGFilerError(message);
}
} // namespace

TGLabelObjectFiler::TGLabelObjectFiler(const TGClassRegistry& classes) : classes_(classes) {}

// --- writing

void TGLabelObjectFiler::writeRecord(TGStreamWriter& out, const TGGraphicControl& object) {
    out.writeBytes(signature);
    out.writeShortString(object.metaObject()->className());
    out.writeShortString(TGValue::nameBytes(object.objectName()));
    std::vector<TGPropertyCodec::Entry> entries;
    codec_.collect(object, TGPropertyCodec::Selection::Stored, entries);
    for (const auto& [name, value] : entries) {
        out.writeShortString(name);
        out.writeValue(value);
    }
    out.writeByte(TGValue::Null); // end of properties
    out.writeByte(TGValue::Null); // no children
}

QByteArray TGLabelObjectFiler::writeObjects(const std::vector<TGGraphicControl*>& objects) {
    TGStreamWriter out;
    out.writeByte(TGValue::List);
    for (const TGGraphicControl* o : objects)
        writeRecord(out, *o);
    out.writeByte(TGValue::Null);
    return out.bytes();
}

TGLabelObjectFiler::Record TGLabelObjectFiler::writeRecord(const TGGraphicControl& object) {
    TGStreamWriter out;
    writeRecord(out, object);
    return out.blocks();
}

QByteArray TGLabelObjectFiler::streamOf(const std::vector<Record>& records) {
    TGStreamWriter out;
    out.writeByte(TGValue::List);
    for (const Record& r : records)
        for (const QByteArray& block : r)
            out.writeBytes(block);
    out.writeByte(TGValue::Null);
    return out.bytes();
}

void TGLabelObjectFiler::writeObjects(QIODevice& out,
                                      const std::vector<TGGraphicControl*>& objects) {
    const QByteArray bytes = writeObjects(objects);
    if (out.write(bytes) != bytes.size()) fail(QStringLiteral("Stream write error"));
}

void TGLabelObjectFiler::writeFile(const QString& fileName, const QByteArray& bytes,
                                   platform::AtomicFile::Access access) {
    if (fileName.isEmpty()) fail(QStringLiteral("Cannot create a file without a name"));
    platform::AtomicFile file(fileName, access);
    if (file.write(bytes)) return;
    fail((file.createFailed() ? QStringLiteral("Cannot create file %1: %2")
                              : QStringLiteral("Cannot write file %1: %2"))
             .arg(fileName, file.errorString()));
}

void TGLabelObjectFiler::saveAll(const TGBasePanel& surface, const QString& fileName,
                                 platform::AtomicFile::Access access) {
    writeFile(fileName, writeObjects(surface.objects()), access);
}

void TGLabelObjectFiler::saveSelection(const TGHandle& frame, const QString& fileName) {
    if (frame.count() == 0) return;
    std::vector<TGGraphicControl*> selected;
    for (int i = 0; i < frame.count(); ++i)
        selected.push_back(frame.item(i));
    writeFile(fileName, writeObjects(selected), clipboardAccess);
}

void TGLabelObjectFiler::saveObject(TGGraphicControl* object, const QString& fileName) {
    writeFile(fileName, writeObjects({object}), clipboardAccess);
}

// --- reading

QString TGLabelObjectFiler::notACardFile(const QString& fileName) {
    if (platform::FileName::isFile(fileName)) return QString();
    if (platform::FileName::isDir(fileName))
        return QStringLiteral("%1 is a folder, not a card file").arg(fileName);
    if (platform::FileName::exists(fileName))
        return QStringLiteral("%1 is not a card file: it is a device, FIFO or socket, not a "
                              "regular file")
            .arg(fileName);
    return QStringLiteral("%1 does not exist").arg(fileName);
}

void TGLabelObjectFiler::loadAll(QObject* owner, TGBasePanel& surface, const QString& fileName) {
    if (!platform::FileName::exists(fileName)) return;
    // Checked before opening: opening a FIFO waits for a writer, and a device never ends.
    if (const QString problem = notACardFile(fileName); !problem.isEmpty()) fail(problem);
    QFile file;
    if (!platform::FileName::openForReading(file, fileName))
        fail(QStringLiteral("Cannot open file %1").arg(fileName));
    readObjects(file, owner, surface);
}

void TGLabelObjectFiler::loadWithOffset(QObject* owner, TGBasePanel& surface,
                                        const QString& fileName) {
    offset_ = true;
    loadAll(owner, surface, fileName);
}

TGGraphicControl* TGLabelObjectFiler::cloneObject(TGGraphicControl* object, QObject* owner,
                                                  TGBasePanel& surface) {
    const std::vector<TGGraphicControl*> read = readObjects(writeObjects({object}), owner, surface);
    return read.empty() ? nullptr : read.back();
}

std::vector<TGGraphicControl*> TGLabelObjectFiler::readObjects(QIODevice& device, QObject* owner,
                                                               TGBasePanel& surface) {
    TGStreamReader in(device);
    return readObjects(in, owner, surface);
}

std::vector<TGGraphicControl*> TGLabelObjectFiler::readObjects(QByteArrayView data, QObject* owner,
                                                               TGBasePanel& surface) {
    TGStreamReader in(data);
    return readObjects(in, owner, surface);
}

std::vector<TGGraphicControl*> TGLabelObjectFiler::readObjects(TGStreamReader& in, QObject* owner,
                                                               TGBasePanel& surface) {
    takenNames_.clear();
    for (const QObject* child : owner->children())
        takenNames_.insert(child->objectName());
    nextComponent_ = 0;
    std::vector<TGGraphicControl*> read;
    std::vector<TGPropertyCodec::Fixup> fixups;
    try {
        if (in.readByte() != TGValue::List) TGValue::invalid();
        while (in.peekByte() != TGValue::Null)
            read.push_back(readRecord(in, owner, surface, fixups));
    } catch (...) {
        // The objects completed so far stay, usable; the caller decides what to do with them.
        finish(read, owner, fixups);
        throw;
    }
    finish(read, owner, fixups);
    in.readByte(); // end of list
    return read;
}

TGGraphicControl* TGLabelObjectFiler::readRecord(TGStreamReader& in, QObject* owner,
                                                 TGBasePanel& surface,
                                                 std::vector<TGPropertyCodec::Fixup>& fixups) {
    if (in.readBytes(4) != QByteArrayView(signature)) fail(QStringLiteral("Invalid stream format"));
    quint8 flags = 0;
    if (in.peekByte() >= flagsMark) {
        flags = in.readByte() & 0x0F;
        if (flags & flagChildPos && !in.readValue().isInteger()) TGValue::invalid();
    }
    const QByteArray className = in.readShortString();
    const QString nameRead = platform::Cp1252::decode(in.readShortString());

    TGGraphicControl* object = nullptr;
    std::unique_ptr<TGGraphicControl> created;
    if (flags & flagExisting) {
        for (QObject* child : owner->children())
            if (child->objectName() == nameRead &&
                (object = qobject_cast<TGGraphicControl*>(child)))
                break;
        if (!object) fail(QStringLiteral("Ancestor for '%1' not found").arg(nameRead));
    } else {
        created.reset(classes_.create(QString::fromLatin1(className), owner));
        if (!created)
            fail(QStringLiteral("Class %1 not found").arg(QString::fromLatin1(className)));
        object = created.get();
    }
    // An existing object leaves the reading and loading states however its read ends.
    struct States {
        TGGraphicControl* o;
        bool existing;
        ~States() {
            o->setReading(false);
            if (existing && std::uncaught_exceptions() > 0) o->setLoading(false);
        }
    } states{object, !created};
    object->setLoading(true);
    object->setSurface(&surface);
    if (created) giveName(*object, nameRead);

    object->setReading(true);
    while (in.peekByte() != TGValue::Null) {
        // What the name leads to is known before its value is read: a value of a kind it
        // cannot take is refused at its first byte, never built first.
        const TGPropertyCodec::Target target = TGPropertyCodec::find(*object, in.readShortString());
        TGPropertyCodec::assign(target, in.readValue(target.kinds), fixups);
    }
    in.readByte();
    object->setReading(false);
    // Design objects have no children.
    if (in.readByte() != TGValue::Null) fail(QStringLiteral("Invalid stream format"));

    if (offset_)
        object->setBounds(object->left() + pasteOffset, object->top() + pasteOffset,
                          object->width(), object->height());
    created.release();
    return object;
}

void TGLabelObjectFiler::giveName(TGGraphicControl& object, const QString& nameRead) {
    for (; nextComponent_ <= maxComponentNumber; ++nextComponent_) {
        const QString name = QStringLiteral("Component") + QString::number(nextComponent_);
        if (takenNames_.contains(name)) continue;
        object.setObjectName(name);
        takenNames_.insert(name);
        ++nextComponent_;
        return;
    }
    if (takenNames_.contains(nameRead))
        fail(QStringLiteral("A component named %1 already exists").arg(nameRead));
    object.setObjectName(nameRead);
    takenNames_.insert(nameRead);
}

void TGLabelObjectFiler::finish(const std::vector<TGGraphicControl*>& objects, QObject* owner,
                                const std::vector<TGPropertyCodec::Fixup>& fixups) {
    for (const TGPropertyCodec::Fixup& f : fixups)
        TGPropertyCodec::resolve(
            f, owner->findChild<QObject*>(platform::Cp1252::decode(f.componentName),
                                          Qt::FindDirectChildrenOnly));
    for (TGGraphicControl* o : objects) {
        o->setLoading(false);
        o->popupAfterReading();
    }
}
