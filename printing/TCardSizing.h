#pragma once
// What sizing the on-screen card from the layout needs of the design surface. The main window
// adapts its surface to this (zoom, pixel size, repaint) and calls SetCardSizeFromInches.
#include "TCardLayout.h"

#include <QSize>

class TCardSizing {
public:
    virtual ~TCardSizing() = default;

    virtual float zoomFactor() const = 0;
    virtual void setZoom(float zoom) = 0;
    // The card's size in surface pixels at the current zoom.
    virtual void setCardPixelSize(QSize size) = 0;
    virtual void repaintCard() = 0;

    // Sizes the card at zoom 1.0, where one inch is `ppi` pixels and object coordinates are
    // kept, then goes back to the zoom it had, which rescales the card and its objects.
    void SetCardSizeFromInches(const TCardLayout& layout, int ppi);
};
