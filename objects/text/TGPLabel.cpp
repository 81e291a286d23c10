#include "TGPLabel.h"

#include "TGetLabelText.h"
#include "platform/widgets/DialogHost.h"

#include <memory>

void TGPLabel::buildPopup() {
    TGBaseLabel::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    m.add(QStringLiteral("Text"), [this] { editText(); });
    m.addSeparator();
    auto rotation = std::make_shared<platform::MenuModel>();
    const auto rotateTo = [this](int a) {
        return [this, a] {
            const int before = angle();
            setAngle(a);
            // A turn that needs no exchange of the sides changes no bounds; the card has
            // changed all the same.
            if (angle() != before) flagChanged();
        };
    };
    rotation->add(QStringLiteral("No Rotation"), rotateTo(0));
    rotation->add(QStringLiteral("90 Degrees"), rotateTo(90));
    rotation->add(QStringLiteral("180 Degrees"), rotateTo(180));
    rotation->add(QStringLiteral("270 Degrees"), rotateTo(270));
    m.add(QStringLiteral("Rotation")).submenu = rotation;
    setRotationMenu(rotation.get());
}

void TGPLabel::fontCommand() {
    TGBaseLabel::fontCommand();
    fitToText();
}

void TGPLabel::editText() {
    TGetLabelText dialog;
    dialog.setText(caption());
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted) return;
    setCaption(dialog.text());
    fitToText();
    repaint();
}
