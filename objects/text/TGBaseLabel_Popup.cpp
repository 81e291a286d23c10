// The label's popup menu and its commands.
#include "TGBaseLabel.h"

#include "AlignmentMenu.h"
#include "TGFont3DEffects.h"
#include "platform/widgets/DialogHost.h"

void TGBaseLabel::buildPopup() {
    buildLabelPopup(true);
}

void TGBaseLabel::buildLabelPopup(bool fontAndAlignment) {
    TGGraphicControl::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    if (fontAndAlignment) m.add(QStringLiteral("Font"), [this] { fontCommand(); });
    m.add(QStringLiteral("Text Color..."), [this] { textColorCommand(); });
    m.add(QStringLiteral("3D Effects"), [this] { effectsCommand(); });
    alignmentMenu_ = nullptr;
    if (fontAndAlignment)
        alignmentMenu_ = &AlignmentMenu::addTo(m, [this](Gdi::TAlignment a) {
            setAlignment(a);
            flagChanged();
        });
    transparentItem_ =
        &m.add(QStringLiteral("Transparent"), [this] { toggleTransparentCommand(); });
    transparentItem_->checked = transparent_;
    m.add(QStringLiteral("Background Color"), [this] { backgroundColorCommand(); });
    borderItem_ = &m.add(QStringLiteral("Border"), [this] { toggleBorderCommand(); });
    borderItem_->checked = borderStyle_ == Gdi::bsSingle;
    rotationMenu_ = nullptr;
}

void TGBaseLabel::popupRefresh() {
    if (!objectMenu()) return;
    borderItem_->checked = borderStyle_ == Gdi::bsSingle;
    transparentItem_->checked = transparent_;
    if (alignmentMenu_) AlignmentMenu::check(*alignmentMenu_, alignment_);
    if (!rotationMenu_) return;
    const int angles[4] = {0, 90, 180, 270};
    for (size_t i = 0; i < rotationMenu_->items().size() && i < 4; ++i)
        rotationMenu_->items()[i].checked = angle_ == angles[i];
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
    transparentItem_->checked = transparent_;
}

void TGBaseLabel::backgroundColorCommand() {
    const std::optional<TColor> c = platform::DialogHost::current().chooseColor(backColor_);
    if (!c) return;
    setBackColor(*c);
    setTransparent(false);
    transparentItem_->checked = transparent_;
    repaint();
}

void TGBaseLabel::toggleBorderCommand() {
    setBorderStyle(borderStyle_ == Gdi::bsSingle ? Gdi::bsNone : Gdi::bsSingle);
    borderItem_->checked = borderStyle_ == Gdi::bsSingle;
}
