#pragma once
// The enumeration the effect shape and the effect text share: which way their gradient
// runs. Value names are the ones card files store.
#include <QObject>

namespace Effect {
Q_NAMESPACE

enum TFillDirection { gdUp, gdDown, gdLeft, gdRight };
Q_ENUM_NS(TFillDirection)

} // namespace Effect
