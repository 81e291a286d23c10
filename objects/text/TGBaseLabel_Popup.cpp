// The label's popup menu and its commands.
#include "TGBaseLabel.h"

#include "AlignmentMenu.h"
#include "TGFont3DEffects.h"
#include "platform/widgets/DialogHost.h"

void TGBaseLabel::buildPopup() {
    TGGraphicControl::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    m.add(QStringLiteral("Font"), [this] { fontCommand(); });
    m.add(QStringLiteral("Text Color..."), [this] { textColorCommand(); });
    m.add(QStringLiteral("3D Effects"), [this] { effectsCommand(); });
    AlignmentMenu::addTo(m, [this](Gdi::TAlignment a) {
        setAlignment(a);
        flagChanged();
    });
    m.add(QStringLiteral("Transparent"), [this] { toggleTransparentCommand(); }).checked =
        transparent_;
    m.add(QStringLiteral("Background Color"), [this] { backgroundColorCommand(); });
    m.add(QStringLiteral("Border"), [this] { toggleBorderCommand(); }).checked =
        borderStyle_ == Gdi::bsSingle;
}

void TGBaseLabel::setCheck(const QString& caption, bool checked) {
    if (!objectMenu()) return;
    if (platform::MenuModel::Item* item = objectMenu()->find(caption)) item->checked = checked;
}

void TGBaseLabel::popupRefresh() {
    platform::MenuModel* m = objectMenu();
    if (!m) return;
    setCheck(QStringLiteral("Border"), borderStyle_ == Gdi::bsSingle);
    setCheck(QStringLiteral("Transparent"), transparent_);
    AlignmentMenu::check(*m, alignment_);
    if (!hasRotationMenu_) return;
    if (platform::MenuModel::Item* rot = m->find(QStringLiteral("Rotation")); rot && rot->submenu) {
        const int angles[4] = {0, 90, 180, 270};
        for (size_t i = 0; i < rot->submenu->items().size() && i < 4; ++i)
            rot->submenu->items()[i].checked = angle_ == angles[i];
    }
}

void TGBaseLabel::fontCommand() {
    const std::optional<QFont> chosen =
        platform::DialogHost::current().chooseFont(displayFont().toQFont());
    if (!chosen) return;
    TGFont f;
    f.assign(displayFont());
    f.assignQFont(*chosen);
    takeFont(f);
    layoutStale_ = true;
}

void TGBaseLabel::textColorCommand() {
    const std::optional<TColor> c =
        platform::DialogHost::current().chooseColor(displayFont().color());
    if (!c) return;
    TGFont f;
    f.assign(displayFont());
    f.setColor(*c);
    takeFont(f);
}

void TGBaseLabel::effectsCommand() {
    if (TGFont3DEffects::execute(*this)) flagChanged();
}

void TGBaseLabel::toggleTransparentCommand() {
    setTransparent(!transparent_);
    setCheck(QStringLiteral("Transparent"), transparent_);
}

void TGBaseLabel::backgroundColorCommand() {
    const std::optional<TColor> c = platform::DialogHost::current().chooseColor(backColor_);
    if (!c) return;
    setBackColor(*c);
    setTransparent(false);
    setCheck(QStringLiteral("Transparent"), transparent_);
    repaint();
}

void TGBaseLabel::toggleBorderCommand() {
    setBorderStyle(borderStyle_ == Gdi::bsSingle ? Gdi::bsNone : Gdi::bsSingle);
    setCheck(QStringLiteral("Border"), borderStyle_ == Gdi::bsSingle);
}
