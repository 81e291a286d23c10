#pragma once
// The screen cursors the design surface switches between.
#include <QCursor>

namespace platform {

enum class Cursor {
    Default,
    HandPoint, // over objects, and while a rubber band is dragged
    HandGrab,  // over the selection frame
    Drag,      // while a creation tool is active
    NoDrop,    // over a locked selection frame
    SizeNWSE,
    SizeNESW,
    SizeNS,
    SizeWE,
};

QCursor toQCursor(Cursor c);

} // namespace platform
