#pragma once
// The "CircleText Properties" dialog: edits every setting of a circle text on a live
// sample in a white scrolling area: text, arc length and start, angled and mirrored
// letters, font, font colour and quick size steps, and a zoom of the sample alone. "Ok"
// wants some text.
#include "TGPCircleText.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class TGObjectPreview;

class TCircleTextProperties : public QDialog {
    Q_OBJECT
  public:
    explicit TCircleTextProperties(QWidget* parent = nullptr);
    ~TCircleTextProperties() override;

    // The controls take the sample's values.
    void activate();
    // Font size steps of five points, up to 150 and down to 10.
    void rapidChangeFontSizeUp();
    void rapidChangeFontSizeDown();
    // The sample's zoom, between 0.5 and 1.0 in tenths.
    void zoomPlusButtonClick();
    void zoomMinusButtonClick();
    void fontColorButtonClick();
    void selectFontButtonClick();
    void accept() override;

    TGPCircleText sample;

  private:
    void sampleChanged();
    void showFontColor();

    TGObjectPreview* preview_ = nullptr;

    QLineEdit* captionText_ = nullptr;
    QSlider* degreesBar_ = nullptr;
    QLabel* degreesLabel_ = nullptr;
    QSlider* startingAngleBar_ = nullptr;
    QLabel* startingAngleLabel_ = nullptr;
    QCheckBox* drawLettersAngled_ = nullptr;
    QCheckBox* mirrored_ = nullptr;
    QPushButton* fontColorButton_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
};
