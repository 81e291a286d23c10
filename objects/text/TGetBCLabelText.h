#pragma once
// The personal-information label's text dialog: the text dialog plus the drop-down list
// PersonalInfoCombo ("or select personal information") of the non-empty personal
// values, each after its entry's name ("Phone 1: 555 0100"); choosing one replaces the
// whole text with the value, which stays editable.
#include "TGetLabelText.h"

#include <QStringList>

class QComboBox;

class TGetBCLabelText : public TGetLabelText {
    Q_OBJECT
  public:
    // The values of the ten entries, in their order.
    explicit TGetBCLabelText(const QStringList& personalValues, QWidget* parent = nullptr);

  private:
    void personalInfoComboChange(int index);

    QComboBox* personalInfoCombo_ = nullptr;
};
