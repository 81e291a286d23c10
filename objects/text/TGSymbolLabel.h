#pragma once
// One character of a symbol font (a pictogram) with the background, border and 3D effects
// of the text label. Its character and font come from the "Symbol Selector"; its size
// always follows the character plus the room its effects take: a resize with the grips or
// keys scales the character's font, and the size then fits the character again. The
// surface's Font command leaves it alone.
#include "TGBaseLabel.h"

class TGSymbolLabel : public TGBaseLabel {
    Q_OBJECT
  public:
    Q_INVOKABLE explicit TGSymbolLabel(QObject* owner = nullptr);

    // Sizes the symbol to trunc(1.1 x its character's extent) plus the largest origin of
    // the latest layout, on a design surface and when not being loaded.
    void autoSize();
    // The "Symbol Selector" command; returns whether it closed with "Ok".
    bool symbolSelectorCommand();

    void buildPopup() override;
    // Building the menu also fits the symbol's size: done as the card is read.
    void popupAfterReading() override { buildPopup(); }
    void fitLayout() override;
    void boundsChangedCheck() override;
    void setBoundsByUser(int l, int t, int w, int h) override;
    void applyFont(const TGFont&) override {}

  private:
    bool autoSizing_ = false;
};
