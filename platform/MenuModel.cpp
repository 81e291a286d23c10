#include "MenuModel.h"

namespace platform {

MenuModel::Item& MenuModel::add(const QString& caption, std::function<void()> action)
{
    // Object menus hold about twenty items and every object read from a card builds one.
    if (items_.empty()) items_.reserve(24);
    items_.push_back(Item{caption, std::move(action)});
    return items_.back();
}

MenuModel::Item* MenuModel::find(const QString& caption)
{
    for (Item& item : items_)
        if (item.caption == caption) return &item;
    return nullptr;
}

void MenuModel::aboutToShow()
{
    if (onPopup) onPopup();
}

bool MenuModel::trigger(const QString& caption)
{
    Item* item = find(caption);
    if (!item || !item->enabled || !item->action) return false;
    // The action may destroy the menu's owner (Cut, Delete): run a copy.
    auto action = item->action;
    action();
    return true;
}

} // namespace platform
