#pragma once
// Data an embedded object stores besides its published properties: a string list's
// "Strings", a picture's or bitmap's "Data". An embedded QObject class inherits this as a
// second base; the card file writes its items after its properties under its dotted name
// (Items.Strings, Picture.Data) and hands each one read back whole. Write a string list as
// TGValue::fromStrings, a data block as TGValue::fromData; read them with toStrings() and
// toData(), which refuse a value of the wrong kind with "Invalid property value".
#include "TGValue.h"

#include <QByteArray>

#include <optional>
#include <utility>
#include <vector>

class TGExtraData {
  public:
    using Item = std::pair<QByteArray, TGValue>;

    virtual ~TGExtraData() = default;
    // The kinds of value the item takes (TGValue::dataBlock() or TGValue::stringList()), or
    // nothing when the object has no item of that name.
    virtual std::optional<TGValue::Kinds> itemKinds(QByteArrayView name) const = 0;
    // The items to write now, in order; an item with nothing to store is left out.
    virtual std::vector<Item> writeExtra() const = 0;
    // Takes an item read back. Returns false when the object has no item of that name;
    // throws TGFilerError when the value is not one the item takes.
    virtual bool readExtra(QByteArrayView name, const TGValue& value) = 0;
};
