#pragma once
// A colour drop-down: the sixteen named colours, each with a swatch, and a last item
// "Custom..." that opens the platform colour dialog. A colour that is not one of the
// sixteen shows in the custom item. colorChanged reports every choice.
#include "platform/drawing/TColor.h"

#include <QComboBox>

namespace platform {

class ColorComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ColorComboBox(QWidget* parent = nullptr);

    TColor color() const { return color_; }
    // Selects the colour (the custom item for one that is not named); no signal.
    void setColor(TColor c);
    // Index of the "Custom..." item.
    static constexpr int customIndex = 16;

  signals:
    void colorChanged(TColor c);

  private:
    void indexChanged(int index);
    void itemActivated(int index);
    void itemChosen(int index);
    void showCustom(TColor c);

    TColor color_ = TColor::clBlack;
    bool indexJustChanged_ = false;
};

} // namespace platform
