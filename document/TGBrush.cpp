#include "TGBrush.h"

void TGBrush::setColor(TColor v) {
    if (brush_.color == v) return;
    brush_.color = v;
    changed();
}

void TGBrush::setStyle(Gdi::TBrushStyle v) {
    if (brush_.style == v) return;
    brush_.style = v;
    changed();
}
