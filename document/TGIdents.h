#pragma once
// The names card files give to colours (clBlack … clInfoBk, clNone) and cursors
// (crDefault … crSizeAll) in place of their numbers.
#include <QByteArray>

#include <optional>

class TGIdents {
  public:
    // The name of a colour value, or an empty array when it has none.
    static QByteArray colorName(qint32 value);
    static std::optional<qint32> colorValue(QByteArrayView name);
    static QByteArray cursorName(qint32 value);
    static std::optional<qint32> cursorValue(QByteArrayView name);
};
