#include "platform/widgets/MenuModel.h"

namespace platform {

namespace {
MenuModel::Item item(const QString& caption, std::function<void()> action) {
    MenuModel::Item made;
    made.caption = caption;
    made.action = std::move(action);
    return made;
}
} // namespace

MenuModel::Item& MenuModel::add(const QString& caption, std::function<void()> action) {
    return items_.emplace_back(item(caption, std::move(action)));
}

MenuModel::Item& MenuModel::prepend(const QString& caption, std::function<void()> action) {
    return items_.emplace_front(item(caption, std::move(action)));
}

MenuModel::Item* MenuModel::find(const QString& caption) {
    for (Item& item : items_)
        if (item.caption == caption) return &item;
    return nullptr;
}

void MenuModel::aboutToShow() {
    if (onPopup) onPopup();
    // Submenus may have been rebuilt just now: they run through this menu's runner.
    for (Item& item : items_)
        if (item.submenu && runner) item.submenu->runner = runner;
}

bool MenuModel::trigger(const QString& caption) {
    Item* item = find(caption);
    if (!item || !item->enabled || !item->action) return false;
    // The action may destroy the menu's owner (Cut, Delete): run copies.
    run(Runner(runner), QString(item->caption), std::function<void()>(item->action));
    return true;
}

void MenuModel::run(const Runner& runner, const QString& caption,
                    const std::function<void()>& action) {
    if (runner)
        runner(caption, action);
    else
        action();
}

} // namespace platform
