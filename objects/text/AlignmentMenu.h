#pragma once
// The "Alignment" submenu of the text objects' popup menus: "Left", "Center" and "Right",
// the object's own alignment checked.
#include "platform/drawing/Gdi.h"
#include "platform/widgets/MenuModel.h"

#include <functional>

class AlignmentMenu {
  public:
    // Adds "Alignment" to `menu`; choosing an item calls `apply` with its alignment.
    static void addTo(platform::MenuModel& menu, std::function<void(Gdi::TAlignment)> apply);
    // Checks the item of `alignment` in the "Alignment" submenu of `menu`, if it has one.
    static void check(platform::MenuModel& menu, Gdi::TAlignment alignment);
};
