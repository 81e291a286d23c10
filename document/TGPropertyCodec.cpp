#include "TGPropertyCodec.h"

#include "TGExtraData.h"
#include "TGFilerError.h"
#include "TGFont.h"
#include "TGGraphicControl.h"
#include "TGIdents.h"
#include "platform/drawing/TColor.h"

#include <QMetaEnum>
#include <QObject>

namespace {
[[noreturn]] void fail(const char* message) {
    throw TGFilerError(QString::fromLatin1(message));
}

// Enumerations, sets, colours and cursors are int-sized values.
qint32 readInt32Sized(const QObject& object, const QMetaProperty& p) {
    const QVariant v = p.read(&object);
    if (v.metaType().sizeOf() != sizeof(qint32)) return 0;
    return *static_cast<const qint32*>(v.constData());
}

bool writeInt32Sized(QObject& object, const QMetaProperty& p, qint32 value) {
    if (p.metaType().sizeOf() != sizeof(qint32)) return false;
    return p.write(&object, QVariant(p.metaType(), &value));
}

// The value of an enumeration key, matched without regard to case.
std::optional<int> enumValue(const QMetaEnum& e, QByteArrayView name) {
    for (int i = 0; i < e.keyCount(); ++i)
        if (name.compare(QByteArrayView(e.key(i)), Qt::CaseInsensitive) == 0) return e.value(i);
    return std::nullopt;
}

// The names of the set's members, in ascending bit order.
std::vector<QByteArray> setMembers(const QMetaEnum& e, qint32 value) {
    std::vector<QByteArray> names;
    for (int bit = 0; bit < 32; ++bit) {
        const quint32 mask = 1u << bit;
        if (!(quint32(value) & mask)) continue;
        for (int i = 0; i < e.keyCount(); ++i)
            if (quint32(e.value(i)) == mask) {
                names.emplace_back(e.key(i));
                break;
            }
    }
    return names;
}

std::optional<qint64> parseNumber(const QByteArray& text) {
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 0);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

QObject* objectIn(const QObject& object, const QMetaProperty& p) {
    return p.read(&object).value<QObject*>();
}

int firstPublished() {
    return QObject::staticMetaObject.propertyCount();
}
} // namespace

TGPropertyCodec::Kind TGPropertyCodec::kindOf(const QMetaProperty& p) {
    const QMetaType t = p.metaType();
    if (t == QMetaType::fromType<TColor>()) return Kind::Color;
    if (t == QMetaType::fromType<TCursor>()) return Kind::Cursor;
    if (p.isFlagType()) return Kind::Flags;
    if (p.isEnumType()) return Kind::Enum;
    if (t.flags() & QMetaType::PointerToQObject)
        return p.isWritable() ? Kind::Reference : Kind::Embedded;
    switch (t.id()) {
    case QMetaType::Bool:
        return Kind::Bool;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Char:
        return Kind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Real;
    case QMetaType::QString:
        return Kind::String;
    default:
        return Kind::Other;
    }
}

bool TGPropertyCodec::parseDefault(const Plan& plan, const QByteArray& text, qint64& i, double& r) {
    const QByteArray t = text.trimmed();
    std::optional<qint64> v;
    switch (plan.kind) {
    case Kind::Bool:
        if (t.compare("True", Qt::CaseInsensitive) == 0)
            v = 1;
        else if (t.compare("False", Qt::CaseInsensitive) == 0)
            v = 0;
        break;
    case Kind::Enum:
        if (const auto e = enumValue(plan.property.enumerator(), t))
            v = *e;
        else
            v = parseNumber(t);
        break;
    case Kind::Flags: {
        // "[fsBold, fsItalic]", "fsBold|fsItalic" or "[]".
        qint64 bits = 0;
        QByteArray inner = t;
        inner.replace('[', ' ').replace(']', ' ').replace('|', ',');
        for (const QByteArray& name : inner.split(',')) {
            if (name.trimmed().isEmpty()) continue;
            const auto e = enumValue(plan.property.enumerator(), name.trimmed());
            if (!e) return false;
            bits |= *e;
        }
        v = bits;
        break;
    }
    case Kind::Color:
        if (const auto c = TGIdents::colorValue(t))
            v = *c;
        else
            v = parseNumber(t);
        break;
    case Kind::Cursor:
        if (const auto c = TGIdents::cursorValue(t))
            v = *c;
        else
            v = parseNumber(t);
        break;
    case Kind::Integer:
        v = parseNumber(t);
        break;
    case Kind::Real: {
        bool ok = false;
        r = t.toDouble(&ok);
        return ok;
    }
    default:
        return false;
    }
    if (!v) return false;
    i = *v;
    return true;
}

std::vector<TGPropertyCodec::Plan> TGPropertyCodec::makePlan(const QMetaObject& mo) {
    std::vector<Plan> plans;
    for (int i = firstPublished(); i < mo.propertyCount(); ++i) {
        Plan plan;
        plan.property = mo.property(i);
        plan.kind = kindOf(plan.property);
        if (plan.kind == Kind::Other || !plan.property.isReadable()) continue;
        const QByteArray key = QByteArray("default.") + plan.property.name();
        const int info = mo.indexOfClassInfo(key.constData());
        if (info >= 0) {
            plan.hasDefault =
                parseDefault(plan, mo.classInfo(info).value(), plan.defaultInt, plan.defaultReal);
            Q_ASSERT_X(plan.hasDefault, mo.className(), "unreadable default class info");
        }
        const QByteArray empty = QByteArray("writeEmpty.") + plan.property.name();
        plan.writeEmpty = mo.indexOfClassInfo(empty.constData()) >= 0;
        plans.push_back(plan);
    }
    return plans;
}

const std::vector<TGPropertyCodec::Plan>& TGPropertyCodec::planFor(const QMetaObject& mo) {
    auto it = plans_.find(&mo);
    if (it == plans_.end()) it = plans_.insert(&mo, makePlan(mo));
    return *it;
}

void TGPropertyCodec::collect(const QObject& object, Selection selection, std::vector<Entry>& out) {
    collect(object, selection, QByteArray(), out);
}

void TGPropertyCodec::collect(const QObject& object, Selection selection, const QByteArray& prefix,
                              std::vector<Entry>& out) {
    const bool stored = selection == Selection::Stored;
    for (const Plan& plan : planFor(*object.metaObject())) {
        const QMetaProperty& p = plan.property;
        if (stored ? !TGGraphicControl::isStored(object, p) : !p.isStored()) continue;
        const QByteArray name = prefix + p.name();
        if (plan.kind == Kind::Embedded) {
            if (const QObject* inner = objectIn(object, p))
                collect(*inner, selection, name + '.', out);
            continue;
        }
        if (!p.isWritable()) continue;
        TGValue value;
        qint64 number = 0;
        switch (plan.kind) {
        case Kind::Bool:
            number = p.read(&object).toBool();
            value = TGValue::fromBool(number);
            break;
        case Kind::Enum: {
            number = readInt32Sized(object, p);
            const char* key = p.enumerator().valueToKey(int(number));
            value = key ? TGValue::fromIdent(key) : TGValue::fromInt(qint32(number));
            break;
        }
        case Kind::Flags:
            number = readInt32Sized(object, p);
            value = TGValue::fromSet(setMembers(p.enumerator(), qint32(number)));
            break;
        case Kind::Color:
        case Kind::Cursor: {
            number = readInt32Sized(object, p);
            const QByteArray ident = plan.kind == Kind::Color
                                         ? TGIdents::colorName(qint32(number))
                                         : TGIdents::cursorName(qint32(number));
            value = ident.isEmpty() ? TGValue::fromInt(qint32(number)) : TGValue::fromIdent(ident);
            break;
        }
        case Kind::Integer:
            number = p.read(&object).toInt();
            value = TGValue::fromInt(qint32(number));
            break;
        case Kind::Real: {
            const double r = p.read(&object).toDouble();
            if (stored && plan.hasDefault && r == plan.defaultReal) continue;
            out.emplace_back(name, TGValue::fromReal(r));
            continue;
        }
        case Kind::String: {
            const QString s = p.read(&object).toString();
            if (stored && s.isEmpty() && !plan.writeEmpty) continue;
            out.emplace_back(name, TGValue::fromString(s));
            continue;
        }
        case Kind::Reference: {
            const QObject* target = objectIn(object, p);
            if (!target && stored) continue;
            out.emplace_back(name,
                             target ? TGValue::fromIdent(TGValue::nameBytes(target->objectName()))
                                    : TGValue());
            continue;
        }
        case Kind::Embedded:
        case Kind::Other:
            continue;
        }
        if (stored && plan.hasDefault && number == plan.defaultInt) continue;
        out.emplace_back(name, std::move(value));
    }
    if (const auto* extra = dynamic_cast<const TGExtraData*>(&object))
        for (TGExtraData::Item& item : extra->writeExtra())
            out.emplace_back(prefix + item.first, std::move(item.second));
}

TGValue::Kinds TGPropertyCodec::kindsOf(Kind kind) {
    switch (kind) {
    case Kind::Bool:
        return {TGValue::bit(TGValue::False) | TGValue::bit(TGValue::True), 0};
    case Kind::Enum:
        return {TGValue::bit(TGValue::Ident), 0};
    case Kind::Flags:
        return {TGValue::bit(TGValue::Set), 0};
    case Kind::Color:
    case Kind::Cursor:
        return {TGValue::integerTags | TGValue::bit(TGValue::Ident), 0};
    case Kind::Integer:
        return {TGValue::integerTags, 0};
    case Kind::Real:
        return {TGValue::integerTags | TGValue::bit(TGValue::Extended), 0};
    case Kind::String:
        return {TGValue::stringTags, 0};
    case Kind::Reference:
        return {TGValue::bit(TGValue::Ident) | TGValue::bit(TGValue::Nil), 0};
    case Kind::Embedded:
    case Kind::Other:
        break;
    }
    return {0, 0};
}

TGPropertyCodec::Target TGPropertyCodec::find(QObject& root, QByteArrayView path) {
    QObject* object = &root;
    qsizetype start = 0;
    for (;;) {
        const qsizetype dot = path.indexOf('.', start);
        const QByteArray part =
            path.sliced(start, (dot < 0 ? path.size() : dot) - start).toByteArray();
        const QMetaObject* mo = object->metaObject();
        const int index = mo->indexOfProperty(part.constData());
        const bool published = index >= firstPublished();
        if (dot < 0) {
            Target target;
            target.embedded = object != &root;
            if (published) {
                target.object = object;
                target.property = mo->property(index);
                target.kinds = kindsOf(kindOf(target.property));
                return target;
            }
            if (const auto* extra = dynamic_cast<TGExtraData*>(object))
                if (const std::optional<TGValue::Kinds> kinds = extra->itemKinds(part)) {
                    target.object = object;
                    target.item = part;
                    target.kinds = *kinds;
                    return target;
                }
            // The object's own Name is published too, but the record's header names the
            // object and reading gives it a name of its own: the value is not needed.
            if (object == &root && part == "Name") return target;
            fail("Property does not exist");
        }
        if (!published) fail("Property does not exist");
        const QMetaProperty p = mo->property(index);
        if (kindOf(p) != Kind::Embedded) fail("Invalid property path");
        object = objectIn(*object, p);
        if (!object) fail("Invalid property path");
        start = dot + 1;
    }
}

void TGPropertyCodec::assign(const Target& target, const TGValue& value,
                             std::vector<Fixup>& fixups) {
    if (!target.object) return;
    if (!target.property.isValid()) {
        dynamic_cast<TGExtraData&>(*target.object).readExtra(target.item, value);
        return;
    }
    setValue(*target.object, target.property, value, fixups);
    // A font read from the file is the object's own even when it equals the font the
    // object was made with: it goes through the font-change reaction.
    if (auto* font = qobject_cast<TGFont*>(target.object); font && target.embedded)
        emit font->changed();
}

void TGPropertyCodec::setValue(QObject& object, const QMetaProperty& p, const TGValue& value,
                               std::vector<Fixup>& fixups) {
    bool written = false;
    switch (kindOf(p)) {
    case Kind::Bool:
        if (value.tag != TGValue::False && value.tag != TGValue::True) TGValue::invalid();
        written = p.write(&object, value.tag == TGValue::True);
        break;
    case Kind::Enum: {
        if (value.tag != TGValue::Ident) TGValue::invalid();
        const auto e = enumValue(p.enumerator(), value.bytes);
        if (!e) TGValue::invalid();
        written = writeInt32Sized(object, p, *e);
        break;
    }
    case Kind::Flags: {
        if (value.tag != TGValue::Set) TGValue::invalid();
        qint32 bits = 0;
        for (const QByteArray& name : value.names)
            if (const auto e = enumValue(p.enumerator(), name)) bits |= *e;
        written = writeInt32Sized(object, p, bits);
        break;
    }
    case Kind::Color:
    case Kind::Cursor: {
        std::optional<qint32> v;
        if (value.isInteger())
            v = qint32(value.integer);
        else if (value.tag == TGValue::Ident)
            v = kindOf(p) == Kind::Color ? TGIdents::colorValue(value.bytes)
                                         : TGIdents::cursorValue(value.bytes);
        if (!v) TGValue::invalid();
        written = writeInt32Sized(object, p, *v);
        break;
    }
    case Kind::Integer: {
        if (!value.isInteger()) TGValue::invalid();
        QVariant v = QVariant::fromValue(value.integer);
        written = v.convert(p.metaType()) && v.toLongLong() == value.integer && p.write(&object, v);
        break;
    }
    case Kind::Real: {
        if (value.tag != TGValue::Extended && !value.isInteger()) TGValue::invalid();
        QVariant v(value.tag == TGValue::Extended ? value.real : double(value.integer));
        written = v.convert(p.metaType()) && p.write(&object, v);
        break;
    }
    case Kind::String:
        written = p.write(&object, value.toText());
        break;
    case Kind::Reference:
        if (value.tag == TGValue::Ident) {
            fixups.push_back({&object, p, value.bytes});
            return;
        }
        if (value.tag == TGValue::Nil) {
            QObject* none = nullptr;
            written = p.write(&object, QVariant(p.metaType(), &none));
        }
        break;
    case Kind::Embedded:
    case Kind::Other:
        break;
    }
    if (!written) TGValue::invalid();
}

void TGPropertyCodec::resolve(const Fixup& fixup, QObject* component) {
    const QMetaObject* wanted = fixup.property.metaType().metaObject();
    if (!fixup.object || !component || (wanted && !component->metaObject()->inherits(wanted)))
        return;
    fixup.property.write(fixup.object, QVariant(fixup.property.metaType(), &component));
}
