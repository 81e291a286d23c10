#include "platform/widgets/ColorComboBox.h"

#include "platform/widgets/DialogHost.h"

#include <QPixmap>
#include <QSignalBlocker>

namespace platform {

namespace {
struct NamedColor {
    qint32 value;
    const char* name;
};
constexpr NamedColor namedColors[ColorComboBox::customIndex] = {
    {0x000000, "Black"},  {0x000080, "Maroon"},  {0x008000, "Green"}, {0x008080, "Olive"},
    {0x800000, "Navy"},   {0x800080, "Purple"},  {0x808000, "Teal"},  {0x808080, "Gray"},
    {0xC0C0C0, "Silver"}, {0x0000FF, "Red"},     {0x00FF00, "Lime"},  {0x00FFFF, "Yellow"},
    {0xFF0000, "Blue"},   {0xFF00FF, "Fuchsia"}, {0xFFFF00, "Aqua"},  {0xFFFFFF, "White"}};

QIcon swatch(TColor c) {
    QPixmap pm(16, 12);
    pm.fill(c.toQColor());
    return QIcon(pm);
}
} // namespace

ColorComboBox::ColorComboBox(QWidget* parent) : QComboBox(parent) {
    setMaxVisibleItems(18);
    for (const NamedColor& nc : namedColors)
        addItem(swatch(nc.value), QString::fromLatin1(nc.name), QVariant::fromValue(nc.value));
    addItem(QStringLiteral("Custom..."), QVariant::fromValue(qint32(TColor::clBlack)));
    setCurrentIndex(0);
    connect(this, &QComboBox::currentIndexChanged, this, &ColorComboBox::indexChanged);
    connect(this, &QComboBox::activated, this, &ColorComboBox::itemActivated);
}

void ColorComboBox::indexChanged(int index) {
    indexJustChanged_ = true;
    itemChosen(index);
}

void ColorComboBox::itemActivated(int index) {
    // Choosing "Custom..." again while it shows changes no index: open the dialog anyway.
    if (!indexJustChanged_ && index == customIndex) itemChosen(index);
    indexJustChanged_ = false;
}

void ColorComboBox::setColor(TColor c) {
    const QSignalBlocker blocker(this);
    color_ = c;
    for (int i = 0; i < customIndex; ++i) {
        if (itemData(i).toInt() == c.value) {
            setCurrentIndex(i);
            return;
        }
    }
    showCustom(c);
    setCurrentIndex(customIndex);
}

void ColorComboBox::showCustom(TColor c) {
    setItemData(customIndex, QVariant::fromValue(c.value));
    setItemIcon(customIndex, swatch(c));
}

void ColorComboBox::itemChosen(int index) {
    if (index < 0) return;
    TColor chosen = itemData(index).toInt();
    if (index == customIndex) {
        const std::optional<TColor> c = DialogHost::current().chooseColor(color_);
        if (!c) {
            setColor(color_); // back to what was shown
            return;
        }
        chosen = *c;
    }
    setColor(chosen);
    emit colorChanged(chosen);
}

} // namespace platform
