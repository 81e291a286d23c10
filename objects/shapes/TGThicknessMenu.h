#pragma once
// The "Line Thickness" submenu of shapes and lines: "1 Point" … "10 Point", each setting the
// pen width to its number; the item of the current width carries a check.
#include "platform/widgets/MenuModel.h"

#include <functional>
#include <memory>

class TGThicknessMenu {
  public:
    static std::shared_ptr<platform::MenuModel> build(std::function<void(int width)> choose);
    // Checks the item whose number equals the width (none outside 1 to 10).
    static void refresh(platform::MenuModel& submenu, int width);
};
