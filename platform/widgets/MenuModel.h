#pragma once
// A popup menu as plain data: captions, checks, enabled states, actions and submenus.
// Objects and the surface build these; DialogHost shows them as real menus, and tests
// trigger items by caption without any widget. Items keep their place in memory while
// items are added at either end, so the reference add() and prepend() return is a handle
// the menu's owner keeps to check or enable the item later.
#include <QString>

#include <deque>
#include <functional>
#include <memory>

namespace platform {

class MenuModel {
  public:
    struct Item {
        QString caption; // "-" is a separator
        std::function<void()> action;
        bool checked = false;
        bool enabled = true;
        bool visible = true;
        std::shared_ptr<MenuModel> submenu;
    };

    Item& add(const QString& caption, std::function<void()> action = {});
    // The same, placed first.
    Item& prepend(const QString& caption, std::function<void()> action = {});
    void addSeparator() { add(QStringLiteral("-")); }

    std::deque<Item>& items() { return items_; }
    const std::deque<Item>& items() const { return items_; }
    // The first item with this caption, or nullptr: for tests, which choose as a user does
    // (owners keep the items they added).
    Item* find(const QString& caption);

    // Runs the on-popup handler, as happens each time the menu opens.
    void aboutToShow();
    // Runs the action of the first enabled item with this caption; false when there is none.
    bool trigger(const QString& caption);

    // Wraps every action of a menu and its submenus (given the caption and the action to
    // run), so that the menu's owner can treat each command as one step.
    using Runner = std::function<void(const QString& caption, const std::function<void()>& action)>;
    // Runs an action, through the runner when there is one.
    static void run(const Runner& runner, const QString& caption,
                    const std::function<void()>& action);

    std::function<void()> onPopup;
    Runner runner;

  private:
    std::deque<Item> items_;
};

} // namespace platform
