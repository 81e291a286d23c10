#pragma once
// Converts the published properties of design objects (Q_PROPERTYs from the first one after
// QObject's, embedded QObject-pointer properties walked under dotted names, extra data items
// after each object's own properties) to and from card-file values, generically over the
// meta-objects: integers, colours and cursors (by name where they have one), Booleans,
// enumerations (Q_ENUM names), sets (Q_FLAG names), strings, floats, embedded objects and
// references to other components (writable QObject-pointer properties).
//
// Which properties are written follows the object's own declarations: a property whose
// STORED flag (or "stored.<Property>" rule) is off is left out, as is one equal to its
// "default.<Property>" class info, an empty string (unless the class names the property in
// a "writeEmpty.<Property>" class info) and an empty reference.
#include "TGValue.h"

#include <QByteArray>
#include <QHash>
#include <QMetaProperty>
#include <QPointer>

#include <utility>
#include <vector>

class QObject;

class TGPropertyCodec {
  public:
    using Entry = std::pair<QByteArray, TGValue>;
    // Stored: what a card file holds. Published: every published property with the STORED
    // flag, defaults and empty values included (for listings).
    enum class Selection { Stored, Published };

    // A reference read from a card file, resolved once every object of the read exists.
    struct Fixup {
        QPointer<QObject> object;
        QMetaProperty property;
        QByteArray componentName;
    };

    // Appends the object's properties in stream order.
    void collect(const QObject& object, Selection selection, std::vector<Entry>& out);
    // Where a dotted path of an object leads: a published property or an extra data item of
    // the object or an embedded one, or nothing to set (the object's own Name), with the
    // kinds of value it takes.
    struct Target {
        QObject* object = nullptr; // null: the value is read and not needed
        QMetaProperty property;    // a published property, when valid
        QByteArray item;           // otherwise the extra data item
        bool embedded = false;
        TGValue::Kinds kinds;
    };
    // Follows the path; throws TGFilerError: "Property does not exist", "Invalid property
    // path".
    static Target find(QObject& object, QByteArrayView path);
    // Sets the target; references go to fixups. Throws "Invalid property value".
    static void assign(const Target& target, const TGValue& value, std::vector<Fixup>& fixups);
    // Points the reference at the component, when it is of the property's class.
    static void resolve(const Fixup& fixup, QObject* component);

  private:
    enum class Kind {
        Bool,
        Enum,
        Flags,
        Color,
        Cursor,
        Integer,
        Real,
        String,
        Embedded,
        Reference,
        Other
    };
    struct Plan {
        QMetaProperty property;
        Kind kind = Kind::Other;
        bool hasDefault = false;
        bool writeEmpty = false; // a string written even when empty
        qint64 defaultInt = 0;
        double defaultReal = 0;
    };

    static Kind kindOf(const QMetaProperty& p);
    static TGValue::Kinds kindsOf(Kind kind);
    static std::vector<Plan> makePlan(const QMetaObject& mo);
    static bool parseDefault(const Plan& plan, const QByteArray& text, qint64& i, double& r);
    const std::vector<Plan>& planFor(const QMetaObject& mo);
    void collect(const QObject& object, Selection selection, const QByteArray& prefix,
                 std::vector<Entry>& out);
    static void setValue(QObject& object, const QMetaProperty& p, const TGValue& value,
                         std::vector<Fixup>& fixups);

    QHash<const QMetaObject*, std::vector<Plan>> plans_;
};
