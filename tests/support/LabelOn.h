#pragma once
// A text label of kind L on the fixture's surface, with its menu, added as the label tool
// adds one, its pending layout done.
#include "SurfaceFixture.h"

#include <QRect>

template <class L>
L* labelOn(SurfaceFixture& f, const QRect& box = QRect(QPoint(10, 10), QPoint(152, 43))) {
    auto* l = f.surface->place<L>(box);
    f.surface->processPendingEvents();
    return l;
}
