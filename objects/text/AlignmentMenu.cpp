#include "AlignmentMenu.h"

#include <iterator>
#include <memory>

namespace {
struct Choice {
    const char* caption;
    Gdi::TAlignment alignment;
};
constexpr Choice choices[] = {
    {"Left", Gdi::taLeftJustify}, {"Center", Gdi::taCenter}, {"Right", Gdi::taRightJustify}};
} // namespace

platform::MenuModel& AlignmentMenu::addTo(platform::MenuModel& menu,
                                          std::function<void(Gdi::TAlignment)> apply) {
    auto align = std::make_shared<platform::MenuModel>();
    for (const Choice& c : choices)
        align->add(QLatin1String(c.caption), [apply, a = c.alignment] { apply(a); });
    return *(menu.add(QStringLiteral("Alignment")).submenu = std::move(align));
}

void AlignmentMenu::check(platform::MenuModel& submenu, Gdi::TAlignment alignment) {
    // The submenu holds the choices in their order.
    for (size_t i = 0; i < std::size(choices); ++i)
        submenu.items()[i].checked = choices[i].alignment == alignment;
}
