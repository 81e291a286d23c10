#pragma once
// Which part of the design surface takes a mouse event: the selection frame, one object or
// the surface itself, and which of them holds the mouse from a press to its release.
//
// A press hands the mouse to the target under it. The frame may take the mouse over that
// target (it has just selected the object pressed) and give it back to it later; the
// surface takes it from both when a press is forwarded to it.
#include <QPointer>

class TGGraphicControl;

class TGMouseCapture {
  public:
    struct Target {
        enum Kind { Nothing, Frame, Object, Surface };
        Kind kind = Nothing;
        QPointer<TGGraphicControl> object; // the object, for Object
    };

    // The target holding the mouse; Nothing when none does (or its object is gone).
    Target holder() const;
    // A press hands the mouse to its target.
    void hold(const Target& target);
    // The frame takes the mouse over the press's target, or gives it back.
    void holdFrame(bool on) { frame_ = on; }
    // A press forwarded to the surface takes the mouse from the frame and the object.
    void holdSurface();
    // An object leaving the surface holds the mouse no more.
    void forget(const TGGraphicControl* object);
    // The release: nothing holds the mouse.
    void release();

  private:
    bool frame_ = false;
    Target pressed_; // the press's target beneath the frame
};
