#pragma once
// A plain bordered box: the smallest design object, for exercising the surface's tools,
// selection and frame without any real object kind.
#include "document/TGGraphicControl.h"
#include "platform/drawing/Canvas.h"

class TestBox : public TGGraphicControl {
    Q_OBJECT
  public:
    using TGGraphicControl::TGGraphicControl;
    void paint(platform::Canvas& c) override {
        c.pen = {TColor::clBlack, Gdi::pmCopy, Gdi::psSolid, 1};
        c.brush = {TColor::clWhite, Gdi::bsClear};
        c.rectangle(0, 0, width(), height());
    }
};
