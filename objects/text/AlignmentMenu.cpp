#include "AlignmentMenu.h"

#include <memory>

namespace {
struct Choice {
    const char* caption;
    Gdi::TAlignment alignment;
};
constexpr Choice choices[] = {
    {"Left", Gdi::taLeftJustify}, {"Center", Gdi::taCenter}, {"Right", Gdi::taRightJustify}};
} // namespace

void AlignmentMenu::addTo(platform::MenuModel& menu, std::function<void(Gdi::TAlignment)> apply) {
    auto align = std::make_shared<platform::MenuModel>();
    for (const Choice& c : choices)
        align->add(QLatin1String(c.caption), [apply, a = c.alignment] { apply(a); });
    menu.add(QStringLiteral("Alignment")).submenu = align;
}

void AlignmentMenu::check(platform::MenuModel& menu, Gdi::TAlignment alignment) {
    platform::MenuModel::Item* align = menu.find(QStringLiteral("Alignment"));
    if (!align || !align->submenu) return;
    for (const Choice& c : choices)
        if (platform::MenuModel::Item* item = align->submenu->find(QLatin1String(c.caption)))
            item->checked = c.alignment == alignment;
}
