#include "TGPen.h"

void TGPen::setColor(TColor v) {
    if (pen_.color == v) return;
    pen_.color = v;
    changed();
}

void TGPen::setMode(Gdi::TPenMode v) {
    if (pen_.mode == v) return;
    pen_.mode = v;
    changed();
}

void TGPen::setStyle(Gdi::TPenStyle v) {
    if (pen_.style == v) return;
    pen_.style = v;
    changed();
}

void TGPen::setWidth(qint32 v) {
    if (pen_.width == v) return;
    pen_.width = v;
    changed();
}

void TGPen::assign(const platform::Canvas::Pen& p) {
    if (p.color == pen_.color && p.mode == pen_.mode && p.style == pen_.style &&
        p.width == pen_.width)
        return;
    pen_ = p;
    changed();
}
