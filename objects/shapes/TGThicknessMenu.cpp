#include "TGThicknessMenu.h"

std::shared_ptr<platform::MenuModel> TGThicknessMenu::build(std::function<void(int)> choose) {
    auto menu = std::make_shared<platform::MenuModel>();
    for (int w = 1; w <= 10; ++w)
        menu->add(QString::number(w) + QStringLiteral(" Point"), [choose, w] { choose(w); });
    return menu;
}

void TGThicknessMenu::refresh(platform::MenuModel& submenu, int width) {
    for (size_t i = 0; i < submenu.items().size(); ++i)
        submenu.items()[i].checked = int(i) + 1 == width;
}
