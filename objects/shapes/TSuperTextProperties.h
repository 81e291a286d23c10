#pragma once
// "SuperText Properties": edits an effect text on a live sample that fits itself to its
// text. "Ok" (refused with a message while the text is empty) gives the text the sample's
// fill, outline, shadow, font and caption through its setters in a fixed order, and the
// sample's fitted size; the transparency, background and border stay the text's own.
// "Cancel" changes nothing.
#include "TGSuperText.h"

#include <QDialog>
#include <QTimer>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;
class TEffectPropertyControls;
class TGObjectPreview;
namespace platform {
class ColorComboBox;
}

class TSuperTextProperties : public QDialog {
    Q_OBJECT
  public:
    static constexpr int helpContext = 40014;

    explicit TSuperTextProperties(TGSuperText& text, QWidget* parent = nullptr);
    ~TSuperTextProperties() override;

    static bool execute(TGSuperText& text);
    // "Ok": refused with "Please enter some text" while the text is empty.
    void okButtonClick();
    // The "Ok" step.
    void applyToText();
    void fontbuttonClick();
    void selectSymbolbuttonClick();
    void loadImageButtonClick();
    // The font size box: the sample takes the size in points and is fitted to its text.
    static constexpr int minFontSize = 6;
    static constexpr int maxFontSize = 150;
    void setFontSize(int points);
    // The fit the timer runs 200 milliseconds after the text changed.
    void fitSample();

    TGSuperText sample;

  private:
    void takeValues();
    void sampleChanged();

    TGSuperText& text_;
    QString lastFile_;
    QImage lastTexture_;
    QTimer fitTimer_;
    TGObjectPreview* preview_ = nullptr;
    QWidget* normalPanel_ = nullptr;

    QLineEdit* captionText_ = nullptr;
    QPushButton* fontButton_ = nullptr;
    QSpinBox* rapidChangeFontSize_ = nullptr;
    QPushButton* selectSymbolButton_ = nullptr;
    QComboBox* surfaceTypeCombo_ = nullptr;
    platform::ColorComboBox* fontColorButton_ = nullptr;
    // The fill, shadow and outline controls.
    TEffectPropertyControls* effectControls_ = nullptr;
};
