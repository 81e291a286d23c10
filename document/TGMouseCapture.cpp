#include "TGMouseCapture.h"

#include "TGGraphicControl.h"

TGMouseCapture::Target TGMouseCapture::holder() const {
    if (frame_) return {Target::Frame, nullptr};
    if (pressed_.kind == Target::Object && !pressed_.object) return {};
    return pressed_;
}

void TGMouseCapture::hold(const Target& target) {
    if (target.kind == Target::Frame)
        frame_ = true;
    else
        pressed_ = target;
}

void TGMouseCapture::holdSurface() {
    frame_ = false;
    pressed_ = {Target::Surface, nullptr};
}

void TGMouseCapture::forget(const TGGraphicControl* object) {
    if (pressed_.kind == Target::Object && pressed_.object == object) pressed_ = {};
}

void TGMouseCapture::release() {
    frame_ = false;
    pressed_ = {};
}
