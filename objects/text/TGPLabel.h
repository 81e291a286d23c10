#pragma once
// The text label as card files name it: a TGBaseLabel with the "Text" command and its
// text dialog and the "Rotation" submenu; its "Font" command fits the label to the text
// afterwards. Also the live sample of the 3D effects dialog.
#include "TGBaseLabel.h"

class TGPLabel : public TGBaseLabel {
    Q_OBJECT
  public:
    Q_INVOKABLE explicit TGPLabel(QObject* owner = nullptr) : TGBaseLabel(owner) {}

    void buildPopup() override;
    void fontCommand() override;
    // The "Text" command: the text dialog; on "Ok" the text is taken and fitted.
    virtual void editText();
    virtual void edit() { editText(); }
};
