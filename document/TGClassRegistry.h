#pragma once
// The design-object classes a card file may name, by class name, with a way to make one.
#include <QHash>
#include <QString>

#include <functional>

class QObject;
class TGGraphicControl;

class TGClassRegistry {
  public:
    using Factory = std::function<TGGraphicControl*(QObject* owner)>;

    void add(const QString& className, Factory factory);
    bool contains(const QString& className) const { return factories_.contains(className); }
    // A new object of the class, or nullptr when the class is not registered.
    TGGraphicControl* create(const QString& className, QObject* owner) const;

    // Registers a QObject class with a constructor taking the owner.
    template <class T> void add() {
        add(QString::fromLatin1(T::staticMetaObject.className()),
            [](QObject* owner) -> TGGraphicControl* { return new T(owner); });
    }

  private:
    QHash<QString, Factory> factories_;
};
