#pragma once
// The "Alignment" submenu of the text objects' popup menus: "Left", "Center" and "Right",
// the object's own alignment checked.
#include "platform/drawing/Gdi.h"
#include "platform/widgets/MenuModel.h"

#include <functional>

class AlignmentMenu {
  public:
    // Adds "Alignment" to `menu`; choosing an item calls `apply` with its alignment. Returns
    // the submenu, which `menu` owns, for the owner to keep and check.
    static platform::MenuModel& addTo(platform::MenuModel& menu,
                                      std::function<void(Gdi::TAlignment)> apply);
    // Checks the item of `alignment` in a submenu addTo returned.
    static void check(platform::MenuModel& submenu, Gdi::TAlignment alignment);
};
