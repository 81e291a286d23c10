#pragma once
// The fill, shadow and outline controls that the effect shape's and the effect text's
// properties dialogs share: the gradient panel (direction, start and end colour), the
// texture button, the shadow's colour, side and depth, and the outline's colour, style and
// width. Each control edits one stored property of the dialog's sample, by the name the
// sample declares it under, through the sample's own setter, and then reports changed().
// The rows go into the dialog's own form, so that their labels line up with its other rows.
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

class QComboBox;
class QFormLayout;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QWidget;
class TGEffectControl;
namespace platform {
class ColorComboBox;
}

class TEffectPropertyControls : public QObject {
    Q_OBJECT
  public:
    // What the two kinds name differently.
    struct Names {
        const char* gradientFromControl;
        const char* gradientToControl;
        const char* shadowColorControl;
        const char* outlineColorControl;
        const char* gradientFromProperty;
        const char* shadowColorProperty;
        const char* shadowOrientationProperty;
        QStringList shadowOrientations;
    };

    TEffectPropertyControls(TGEffectControl& sample, const Names& names, QObject* parent);

    // Adds the surface's options (the dialog's own surface panels, the gradient panel and
    // the texture button, one place for all) and the shadow and outline rows.
    void addRows(QFormLayout& form, const QList<QWidget*>& surfacePanels = {});
    // Shows the sample's values in the controls, without applying them again.
    void takeValues();
    // Shows the gradient panel for a gradient surface, else the texture button for a
    // texture, else the given panel of the dialog's own (nothing for none).
    void showSurface(bool texture, QWidget* otherPanel = nullptr);

    // The control makers both dialogs build their other controls with.
    static QComboBox* list(const char* name, const QStringList& items);
    static QSpinBox* spinner(const char* name, int min, int max, int step = 1);
    // A panel of labelled controls that shows or hides as a whole.
    static QWidget* panel(std::initializer_list<std::pair<const char*, QWidget*>> rows);
    // One place for panels of which at most one shows, as large as the largest, so that the
    // dialog keeps its size, and its buttons their place, whichever shows.
    static QStackedWidget* optionArea(const QList<QWidget*>& panels);
    // Shows the panel in its area, or none of them for nullptr.
    static void showOption(QStackedWidget* area, QWidget* panel);

    // The controls the dialogs connect to themselves.
    platform::ColorComboBox* gradientFromColor() const { return gradientFromColor_; }
    QPushButton* loadImageButton() const { return loadImageButton_; }

  signals:
    void changed();

  private:
    void bind(QComboBox* control, const char* property);
    void bind(platform::ColorComboBox* control, const char* property);
    void bind(QSpinBox* control, const char* property);
    void write(const char* property, const QVariant& value);

    TGEffectControl& sample_;
    QWidget* gradientPanel_ = nullptr;
    QWidget* texturePanel_ = nullptr;
    QStackedWidget* surfaceArea_ = nullptr;
    // Each shows its property's value in its control, with the control's signals blocked.
    std::vector<std::function<void()>> shows_;

    QComboBox* fillDirectionCombo_ = nullptr;
    platform::ColorComboBox* gradientFromColor_ = nullptr;
    platform::ColorComboBox* gradientToColor_ = nullptr;
    QPushButton* loadImageButton_ = nullptr;
    platform::ColorComboBox* shadowColor_ = nullptr;
    QComboBox* shadowOrientationCombo_ = nullptr;
    QSpinBox* shadowDepthSpinner_ = nullptr;
    platform::ColorComboBox* outlineColor_ = nullptr;
    QComboBox* outlineStyleCombo_ = nullptr;
    QSpinBox* outlineWidthSpinner_ = nullptr;
};
