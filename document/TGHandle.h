#pragma once
// The selection frame: the ordered list of selected objects, and a transparent rectangle
// laid over them that turns drags into moves and resizes of the whole selection (with
// optional grid snapping) and arrow keys into one-pixel nudges. The surface draws it as an
// overlay and routes the mouse and keyboard to it over its rectangle.
#include "platform/drawing/TColor.h"

#include <QPoint>
#include <QRect>

#include <vector>

class TGBasePanel;
class TGGraphicControl;
namespace platform {
class Canvas;
}

class TGHandle {
  public:
    explicit TGHandle(TGBasePanel& surface);

    // --- properties
    TColor color() const { return color_; }
    void setColor(TColor c);
    TColor secondaryColor() const { return secondaryColor_; }
    void setSecondaryColor(TColor c);
    bool locked() const { return locked_; }
    void setLocked(bool v) { locked_ = v; }
    int gridX() const { return gridX_; }
    int gridY() const { return gridY_; }
    void setGridX(int v);
    void setGridY(int v);
    bool snapToGrid() const { return gridX_ > 1 || gridY_ > 1; }
    void setSnapToGrid(bool on);

    // --- frame geometry in surface pixels
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    QRect geometry() const { return QRect(left_, top_, width_, height_); }
    // The geometry the drag or the held arrow keys will give the frame when they end, as
    // their outline shows it; the geometry itself while neither is under way.
    QRect pendingGeometry() const;
    bool isVisible() const { return visible_; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool v) { enabled_ = v; }
    bool hasFocus() const { return focused_; }
    void setFocused(bool v) { focused_ = v; }
    bool isDragging() const { return dragging_; }
    bool isNudging() const { return nudging_; }
    int grip() const { return grip_; }

    // --- the selection
    void add(TGGraphicControl* o);
    void remove(TGGraphicControl* o);
    void clear();
    int indexOf(const TGGraphicControl* o) const;
    int count() const { return int(selection_.size()); }
    TGGraphicControl* item(int i) const;
    const std::vector<TGGraphicControl*>& selection() const { return selection_; }
    void refit();
    TGGraphicControl* hitObject(QPoint surfacePoint) const;

    // Gives the frame new bounds, moving and resizing every selected unlocked object by
    // the change.
    void setBoundsMovingObjects(int l, int t, int w, int h);

    // --- input in frame coordinates
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void doubleClick(int x, int y);
    void keyDown(int key, Qt::KeyboardModifiers shift);
    void keyUp(int key, Qt::KeyboardModifiers shift);
    void mouseLeave();

    // Draws the grips of every selected object (surface canvas).
    void paint(platform::Canvas& canvas) const;
    // Ends a drag or nudge under way, its outline taken away, and lets the mouse go; the
    // selection stays (a zoom in the middle of a gesture).
    void endGesture();

  private:
    void setGeometry(int l, int t, int w, int h);
    void fitAround(int extra); // frame geometry around the selection (+5 or +6 rule)
    void hide();
    // Erases the drag or nudge outline shown and ends the drag or nudge.
    void eraseOutlines();
    QRect newGeometry(int x, int y) const;
    void drawOutline(const QRect& geometry); // (0,0,0,0) erases
    void clampToSurface(int& x, int& y) const;
    void forward(Qt::MouseButton button, bool press, int x, int y);
    void takeFocus();

    TGBasePanel& surface_;
    TColor color_ = TColor::clBlack;
    TColor secondaryColor_ = TColor::clGray;
    bool locked_ = false;
    int gridX_ = 1, gridY_ = 1;
    int rememberedX_ = 8, rememberedY_ = 8;

    int left_ = 0, top_ = 0, width_ = 24, height_ = 24;
    bool visible_ = true;
    bool enabled_ = false;
    bool focused_ = false;

    std::vector<TGGraphicControl*> selection_;
    quint32 pressTime_ = 0;
    bool dragging_ = false;
    QPoint dragStart_;
    int grip_ = 0;
    QRect drawnOutline_; // frame geometry whose outline is shown; null when none
    bool nudging_ = false;
    QRect nudgeRect_; // left, top, right, bottom as x1, y1, x2, y2
    bool doubleClicked_ = false;
};
