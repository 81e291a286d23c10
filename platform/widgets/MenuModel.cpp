#include "platform/widgets/MenuModel.h"

namespace platform {

MenuModel::Item& MenuModel::add(const QString& caption, std::function<void()> action) {
    // Object menus hold about twenty items and every object read from a card builds one;
    // a menu that reserved its own room (a submenu of ten) keeps that.
    if (items_.capacity() == 0) items_.reserve(24);
    items_.push_back(Item{caption, std::move(action)});
    return items_.back();
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
