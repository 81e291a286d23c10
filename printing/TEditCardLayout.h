#pragma once
// The "Business Card Layout" dialog: card size, pitches, margins, cards across and down and
// paper size, typed in inches or millimetres or taken from a predefined label stock. It edits
// a working copy; the caller's layout changes only through execute() returning a value.
#include "TCardLayout.h"

#include <QDialog>

#include <array>
#include <optional>

class QComboBox;
class QPushButton;
class QRadioButton;
class QSpinBox;
namespace platform {
class NumericEdit;
}

class TEditCardLayout : public QDialog {
    Q_OBJECT
  public:
    explicit TEditCardLayout(QWidget* parent = nullptr);

    // Opens the dialog over `parent` on `layout` and runs it through the dialog host; the
    // edited layout when it closes with OK (useMM = millimetres chosen), nothing on Cancel.
    static std::optional<TCardLayout> execute(const TCardLayout& layout, QWidget* parent = nullptr);

    // Hands the layout over and shows it as the dialog does on its first activation: the
    // stored predefined index is selected without loading its row.
    void setCardLayout(const TCardLayout& layout);
    // The working copy; useMM says whether millimetres are chosen.
    TCardLayout cardLayout() const;

    void fillEditsFromValues();
    bool validCard();

    // Closing with OK goes through the OK button's checks, whoever asks for it.
    void done(int result) override;

  private:
    void okButtonClick();
    void inchesbuttonClick(bool checked);
    void mmButtonClick(bool checked);
    void predefinedLayoutsChange(int index);
    void eCardwidthExit();
    void eCardHeightExit();
    // The six length fields with their fields in the working copy, in one order.
    std::array<platform::NumericEdit*, 6> lengthEdits() const;
    std::array<float*, 6> lengthValues();
    void showLengths(double factor);

    TCardLayout work_;

    platform::NumericEdit* cardWidth_;
    platform::NumericEdit* cardHeight_;
    platform::NumericEdit* horizPitch_;
    platform::NumericEdit* vertPitch_;
    platform::NumericEdit* leftMargin_;
    platform::NumericEdit* topMargin_;
    QSpinBox* across_;
    QSpinBox* down_;
    QComboBox* paperSize_;
    QRadioButton* inchesButton_;
    QRadioButton* mmButton_;
    QComboBox* predefinedLayouts_;
    QPushButton* okButton_;
};
