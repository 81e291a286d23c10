#pragma once
// Writes design objects to, and reads them from, the card file format: a list of "TPF0"
// object records, each with its class name, name and stored properties by name. The same
// format carries the private clipboard and the clone command. Generic over the objects'
// Q_PROPERTYs: a new object kind needs no code here. Failures throw TGFilerError with the
// message the user is shown.
#include <QString>

#include <vector>

class QIODevice;
class QObject;
class TGBasePanel;
class TGClassRegistry;
class TGGraphicControl;
class TGHandle;

class TGLabelObjectFiler {
public:
    explicit TGLabelObjectFiler(const TGClassRegistry& classes);

    void SaveAll(const TGBasePanel& surface, const QString& fileName);
    void LoadAll(QObject* owner, TGBasePanel& surface, const QString& fileName);
    void SaveSelection(const TGHandle& frame, const QString& fileName);
    void LoadWithOffset(QObject* owner, TGBasePanel& surface, const QString& fileName);
    void SaveObject(TGGraphicControl* object, const QString& fileName);
    // Writes the object to memory and reads it straight back; returns the copy.
    TGGraphicControl* CloneObject(TGGraphicControl* object, QObject* owner, TGBasePanel& surface);

    // The stream level, for callers that hold the bytes themselves.
    void writeObjects(QIODevice& out, const std::vector<TGGraphicControl*>& objects);
    // Returns the objects read, in file order.
    std::vector<TGGraphicControl*> readObjects(QIODevice& in, QObject* owner, TGBasePanel& surface);

    bool offset() const { return offset_; }
    void setOffset(bool v) { offset_ = v; }

private:
    const TGClassRegistry& classes_;
    bool offset_ = false;
};
