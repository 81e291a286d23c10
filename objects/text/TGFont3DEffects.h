#pragma once
// The "Text 3D Effects" dialog: edits a label's shadow and highlight (direction, colour,
// depth) and its font colour on a live sample label, and copies them to the label on
// "Ok". "Cancel" leaves the label untouched.
#include "TGPLabel.h"

#include <QDialog>

class QComboBox;
class TGObjectPreview;
namespace platform {
class ColorComboBox;
}

class TGFont3DEffects : public QDialog {
    Q_OBJECT
  public:
    // Takes the label's values into the sample and the controls.
    explicit TGFont3DEffects(TGBaseLabel& label, QWidget* parent = nullptr);
    ~TGFont3DEffects() override;

    // Runs the dialog through the dialog host; when it closes with "Ok" the label takes
    // the sample's font and effects, and the result is true.
    static bool execute(TGBaseLabel& label);
    // The "Ok" step: the label takes the sample's font and its six effect properties.
    void applyToLabel();

    // The size of the sample's panel.
    static constexpr QSize samplePanelSize{437, 85};

    TGPLabel sample;

  private:
    void activate();
    void shadowDirectionChange(int index);
    void shadowColorComboChange(TColor c);
    void shadowDepthChange(int index);
    void highlightDirectionChange(int index);
    void highLightColorComboChange(TColor c);
    void highLightDepthChange(int index);
    void fontColorComboChange(TColor c);
    void sampleChanged();

    TGBaseLabel& label_;
    TGObjectPreview* preview_ = nullptr;

    QComboBox* shadowDirection_ = nullptr;
    platform::ColorComboBox* shadowColorCombo_ = nullptr;
    QComboBox* shadowDepth_ = nullptr;
    QComboBox* highlightDirection_ = nullptr;
    platform::ColorComboBox* highlightColorCombo_ = nullptr;
    QComboBox* highlightDepth_ = nullptr;
    platform::ColorComboBox* fontColorCombo_ = nullptr;
};
