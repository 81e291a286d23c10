#include "TCardSizing.h"

void TCardSizing::SetCardSizeFromInches(const TCardLayout& layout, int ppi)
{
    const float zoom = zoomFactor();
    const bool rezoom = zoom != 1.0f;
    if (rezoom) setZoom(1.0f);
    setCardPixelSize(layout.cardPixelSize(ppi));
    if (rezoom) setZoom(zoom);
    repaintCard();
}
