#pragma once
// "Super Shape Properties": edits an effect shape on a live sample. Every control applies
// its value to the sample at once through the sample's setters; "Ok" copies the sample's
// properties into the shape through the shape's setters in a fixed order (so a shape made
// transparent loses its shadow), "Cancel" leaves the shape untouched.
#include "TSuperShape.h"

#include <QDialog>

class QComboBox;
class QSpinBox;
class QStackedWidget;
class QWidget;
class TEffectPropertyControls;
class TGObjectPreview;
namespace platform {
class ColorComboBox;
}

class TSuperShapeProperties : public QDialog {
    Q_OBJECT
  public:
    static constexpr int helpContext = 40011;

    explicit TSuperShapeProperties(TSuperShape& shape, QWidget* parent = nullptr);
    ~TSuperShapeProperties() override;

    // Runs the dialog through the dialog host; on "Ok" the shape takes the sample's
    // properties and the result is true.
    static bool execute(TSuperShape& shape);
    // The "Ok" step.
    void applyToShape();
    // The texture chooser, started at the last texture file or in the texture folder;
    // on "Ok" the sample and the last used texture take the chosen bitmap.
    void loadImageButtonClick();

    TSuperShape sample;

  private:
    void showControls();
    void takeValues();
    void sampleChanged();
    void setBackColor(TColor c);

    TSuperShape& shape_;
    QString lastFile_;
    QImage lastTexture_;
    TGObjectPreview* preview_ = nullptr;
    QWidget* starPanel_ = nullptr;
    QWidget* roundPanel_ = nullptr;
    QWidget* solidPanel_ = nullptr;
    QStackedWidget* shapeOptions_ = nullptr; // the star's or the rounding's panel

    QComboBox* shapeCombo_ = nullptr;
    QSpinBox* pointsOnStar_ = nullptr;
    QSpinBox* percentInVector_ = nullptr;
    QSpinBox* roundPercent_ = nullptr;
    QComboBox* surfaceTypeCombo_ = nullptr;
    platform::ColorComboBox* backgroundColorCombo_ = nullptr;
    // The fill, shadow and outline controls.
    TEffectPropertyControls* effectControls_ = nullptr;
};
