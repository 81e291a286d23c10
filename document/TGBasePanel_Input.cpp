// Mouse and keyboard: routing to the frame, the objects and the surface, and the surface's
// own handlers (rubber band, creation rectangles, keys).
#include "TGBasePanel.h"

#include "TGGraphicControl.h"

using platform::Cursor;

bool TGBasePanel::overFrame(QPoint p) const
{
    return handle_->isVisible() && handle_->isEnabled() && handle_->geometry().contains(p);
}

void TGBasePanel::updateHover(QPoint p)
{
    const bool frame = overFrame(p);
    TGGraphicControl* obj = frame ? nullptr : objectAt(p);
    if (hoverFrame_ && !frame) handle_->mouseLeave();
    if (hoverObject_ && hoverObject_ != obj)
        setScreenCursor(pointing_ ? Cursor::Default : Cursor::Drag);
    hoverFrame_ = frame;
    hoverObject_ = obj;
}

void TGBasePanel::mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    const QPoint p(x, y);
    if (frameCaptured_ || overFrame(p)) {
        frameCaptured_ = true;
        handle_->mouseDown(button, shift, x - handle_->left(), y - handle_->top());
    } else if (TGGraphicControl* o = objectAt(p)) {
        capturedObject_ = o;
        objectMouseDown(o, button, shift, x - o->left(), y - o->top());
    } else {
        surfaceCaptured_ = true;
        surfaceMouseDown(button, shift, x, y);
    }
    processPendingEvents();
}

void TGBasePanel::mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y)
{
    const QPoint p(x, y);
    if (!frameCaptured_ && !capturedObject_ && !surfaceCaptured_) updateHover(p);
    if (frameCaptured_ || (!capturedObject_ && !surfaceCaptured_ && overFrame(p))) {
        handle_->mouseMove(buttons, shift, x - handle_->left(), y - handle_->top());
    } else if (TGGraphicControl* o = capturedObject_ ? capturedObject_.data()
                                       : surfaceCaptured_ ? nullptr : objectAt(p)) {
        objectMouseMove(o, buttons, shift, x - o->left(), y - o->top());
    } else {
        surfaceMouseMove(buttons, shift, x, y);
    }
    processPendingEvents();
}

void TGBasePanel::mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    const QPoint p(x, y);
    if (frameCaptured_ || (!capturedObject_ && !surfaceCaptured_ && overFrame(p))) {
        handle_->mouseUp(button, shift, x - handle_->left(), y - handle_->top());
    } else if (TGGraphicControl* o = capturedObject_ ? capturedObject_.data()
                                       : surfaceCaptured_ ? nullptr : objectAt(p)) {
        objectMouseUp(o, button, shift, x - o->left(), y - o->top());
    } else {
        surfaceMouseUp(button, shift, x, y);
    }
    // A release ends the capture the press took.
    frameCaptured_ = false;
    capturedObject_ = nullptr;
    surfaceCaptured_ = false;
    processPendingEvents();
}

void TGBasePanel::doubleClick(Qt::KeyboardModifiers shift, int x, int y)
{
    const QPoint p(x, y);
    // A double-click is a double-click event followed by a press, as the platform sends it.
    if (frameCaptured_ || overFrame(p)) {
        handle_->doubleClick(x - handle_->left(), y - handle_->top());
    } else if (TGGraphicControl* o = objectAt(p)) {
        objectDoubleClick(o, x - o->left(), y - o->top());
    } else {
        emit surfaceDoubleClicked();
    }
    processPendingEvents();
    mouseDown(Qt::LeftButton, shift, x, y);
}

void TGBasePanel::keyDown(int key, Qt::KeyboardModifiers shift)
{
    if (handle_->hasFocus() && handle_->isVisible())
        handle_->keyDown(key, shift);
    else
        keyHandler(key, shift);
    processPendingEvents();
}

void TGBasePanel::keyUp(int key, Qt::KeyboardModifiers shift)
{
    if (handle_->hasFocus() && handle_->isVisible()) handle_->keyUp(key, shift);
    processPendingEvents();
}

void TGBasePanel::mouseLeave()
{
    updateHover(QPoint(-1, -1) - QPoint(1 << 20, 1 << 20));
}

void TGBasePanel::keyHandler(int key, Qt::KeyboardModifiers shift)
{
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    if (ctrl && key == Qt::Key_C)
        clipboardCopy();
    else if (ctrl && key == Qt::Key_V)
        clipboardPaste();
    else if (ctrl && key == Qt::Key_X)
        clipboardCut();
    else if (!ctrl && key == Qt::Key_Delete)
        clipboardDelete();
}

// --- the handlers attached to objects

void TGBasePanel::objectMouseDown(TGGraphicControl* o, Qt::MouseButton button,
                                  Qt::KeyboardModifiers shift, int x, int y)
{
    if (!pointing_ || o->unselectable()) {
        surfaceCaptured_ = true;
        capturedObject_ = nullptr;
        surfaceMouseDown(button, shift, x + o->left(), y + o->top());
        return;
    }
    if (!shift.testFlag(Qt::ShiftModifier)) handle_->clear();
    handle_->add(o);
    invalidate();
    if (handle_->count() == 1 && button == Qt::RightButton && o->objectMenu())
        popupAt(*o->objectMenu(), QPoint(x + o->left(), y + o->top()));
}

void TGBasePanel::objectMouseMove(TGGraphicControl* o, Qt::MouseButtons buttons,
                                  Qt::KeyboardModifiers shift, int x, int y)
{
    if (pointing_) setScreenCursor(Cursor::HandPoint);
    surfaceMouseMove(buttons, shift, x + o->left(), y + o->top());
}

void TGBasePanel::objectMouseUp(TGGraphicControl* o, Qt::MouseButton button,
                                Qt::KeyboardModifiers shift, int x, int y)
{
    surfaceMouseUp(button, shift, x + o->left(), y + o->top());
}

void TGBasePanel::objectDoubleClick(TGGraphicControl* o, int x, int y)
{
    if (o->objectMenu()) popupAt(*o->objectMenu(), QPoint(x + o->left(), y + o->top()));
}

void TGBasePanel::frameDoubleClick(int x, int y)
{
    if (handle_->count() > 1) return;
    const QPoint p(x + handle_->left(), y + handle_->top());
    TGGraphicControl* target = handle_->hitObject(p);
    if (!target) return;
    if (target->OnEditRequest)
        target->OnEditRequest(this);
    else if (target->objectMenu())
        popupAt(*target->objectMenu(), p);
}

void TGBasePanel::frameMouseDownHook(Qt::MouseButton, Qt::KeyboardModifiers shift, int x, int y)
{
    if (!shift.testFlag(Qt::ShiftModifier)) return;
    const QPoint p(x + handle_->left(), y + handle_->top());
    std::vector<TGGraphicControl*> list = handle_->selection();
    handle_->clear();
    processPendingEvents();
    for (auto i = list.size(); i-- > 0;)
        if (list[i]->bounds().contains(p)) list.erase(list.begin() + long(i));
    for (TGGraphicControl* o : list) handle_->add(o);
    processPendingEvents();
}

// --- the surface's own handlers

void TGBasePanel::surfaceMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    // Any press abandons a band still shown (a right press during a drag, or a band whose
    // release never arrived).
    abandonBand();
    bandRect_ = QRect(QPoint(x, y), QPoint(x, y));
    if (button == Qt::LeftButton) {
        bandActive_ = true;
        setScreenCursor(Cursor::HandPoint);
    } else {
        popupAt(surfaceMenu_, QPoint(x, y));
    }
}

namespace {
// The band as Rectangle draws it: corners normalised, right and bottom exclusive.
QRect bandPixels(const QRect& band)
{
    const int l = std::min(band.left(), band.right()), r = std::max(band.left(), band.right());
    const int t = std::min(band.top(), band.bottom()), b = std::max(band.top(), band.bottom());
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}
} // namespace

void TGBasePanel::abandonBand()
{
    if (!bandActive_) return;
    drawXorRect(bandPixels(bandRect_));
    bandActive_ = false;
}

void TGBasePanel::surfaceMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y)
{
    if (!bandActive_) return;
    // A band lives only while its button is held: a release that went elsewhere (to a
    // popup menu opened by a double-click) ends it without selecting anything.
    if (!buttons.testFlag(Qt::LeftButton)) {
        abandonBand();
        if (pointing_) setScreenCursor(Cursor::Default);
        return;
    }
    setScreenCursor(Cursor::HandPoint);
    drawXorRect(bandPixels(bandRect_));
    bandRect_.setBottomRight(QPoint(x, y));
    drawXorRect(bandPixels(bandRect_));
}

void TGBasePanel::surfaceMouseUp(Qt::MouseButton, Qt::KeyboardModifiers shift, int x, int y)
{
    // Only the release of a band the surface started selects or creates. A release that
    // reaches the surface otherwise (the frame forwards a click on an object it has just
    // selected) must not select through a band rectangle left over from an earlier press.
    if (!bandActive_) {
        if (pointing_) setScreenCursor(Cursor::Default);
        return;
    }
    drawXorRect(bandPixels(bandRect_)); // the invalidation removes the band
    // Normalise with the release point as the far corner.
    int left = bandRect_.left(), top = bandRect_.top(), right = x, bottom = y;
    if (right < left) { right = left; left = x; }
    if (bottom < top) { bottom = top; top = y; }
    // Corners: x1 = left, y1 = top, x2 = right, y2 = bottom.
    const QRect corners(QPoint(left, top), QPoint(right, bottom));
    bandRect_ = corners;
    invalidate();
    bandActive_ = false;
    if (pointing_) {
        selectInRect(corners, shift);
        invalidate();
        setScreenCursor(Cursor::Default);
    } else {
        CreateObjectInRect(corners);
        emit droppedObject(corners);
    }
}

void TGBasePanel::selectInRect(QRect r, Qt::KeyboardModifiers shift)
{
    const bool shiftDown = shift.testFlag(Qt::ShiftModifier);
    std::vector<TGGraphicControl*> list;
    if (shiftDown) list = handle_->selection();
    handle_->clear();
    // Touching counts: closed intervals on both sides.
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
        TGGraphicControl* o = *it;
        const bool hit = o->left() <= r.right() && r.left() <= o->left() + o->width() &&
                         o->top() <= r.bottom() && r.top() <= o->top() + o->height();
        if (!hit) continue;
        const auto pos = std::find(list.begin(), list.end(), o);
        if (shiftDown && pos != list.end())
            list.erase(pos);
        else
            list.push_back(o);
    }
    for (TGGraphicControl* o : list) handle_->add(o);
}
