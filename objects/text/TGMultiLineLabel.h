#pragma once
// The multi-line text as card files name it and the multi-line tool creates it: the
// multi-line base with the "Text" command (its editor) and the "Word Wrap" toggle.
#include "TGMultiLineBaseLabel.h"

class TGMultiLineLabel : public TGMultiLineBaseLabel {
    Q_OBJECT
  public:
    Q_INVOKABLE explicit TGMultiLineLabel(QObject* owner = nullptr) : TGMultiLineBaseLabel(owner) {}

    void buildPopup() override;
    // The "Text" command: the editor; on "Ok" the lines are taken and re-wrapped, the size
    // kept. Returns whether the editor closed with "Ok".
    bool editText();
    void toggleWordWrapCommand();

  private:
    platform::MenuModel::Item* wordWrapItem_ = nullptr; // owned by the popup menu
};
