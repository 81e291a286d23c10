// Mouse and keyboard: routing to the frame, the objects and the surface, and the surface's
// own handlers (rubber band, creation rectangles, keys).
#include "TGBasePanel.h"

#include "TGGraphicControl.h"

using platform::Cursor;

namespace {
// Hands an event at the surface point p to its target, in the target's own coordinates.
template <class ToFrame, class ToObject, class ToSurface>
void deliver(const TGMouseCapture::Target& target, const TGHandle& frame, QPoint p, ToFrame toFrame,
             ToObject toObject, ToSurface toSurface) {
    switch (target.kind) {
    case TGMouseCapture::Target::Frame:
        toFrame(p - frame.geometry().topLeft());
        break;
    case TGMouseCapture::Target::Object:
        toObject(target.object.data(), p - target.object->bounds().topLeft());
        break;
    default:
        toSurface(p);
    }
}
} // namespace

bool TGBasePanel::overFrame(QPoint p) const {
    return handle_->isVisible() && handle_->isEnabled() && handle_->geometry().contains(p);
}

TGBasePanel::InputTarget TGBasePanel::targetAt(QPoint p) const {
    if (overFrame(p)) return {InputTarget::Frame, nullptr};
    if (TGGraphicControl* o = objectAt(p)) return {InputTarget::Object, o};
    return {InputTarget::Surface, nullptr};
}

TGBasePanel::InputTarget TGBasePanel::mouseTarget(QPoint p) const {
    const InputTarget held = capture_.holder();
    return held.kind == InputTarget::Nothing ? targetAt(p) : held;
}

void TGBasePanel::updateHover(QPoint p) {
    const bool frame = overFrame(p);
    TGGraphicControl* obj = frame ? nullptr : objectAt(p);
    if (hoverFrame_ && !frame) handle_->mouseLeave();
    if (hoverObject_ && hoverObject_ != obj)
        setScreenCursor(pointing_ ? Cursor::Default : Cursor::Drag);
    hoverFrame_ = frame;
    hoverObject_ = obj;
}

void TGBasePanel::mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    TGUndoHistory::Step step(*history_);
    // A press goes to the frame while it holds the mouse, else to what is under it, which
    // then holds the mouse until the release.
    InputTarget target = capture_.holder();
    if (target.kind != InputTarget::Frame) target = targetAt(QPoint(x, y));
    capture_.hold(target);
    deliver(
        target, *handle_, QPoint(x, y),
        [&](QPoint f) { handle_->mouseDown(button, shift, f.x(), f.y()); },
        [&](TGGraphicControl* o, QPoint q) { objectMouseDown(o, button, shift, q.x(), q.y()); },
        [&](QPoint s) { surfaceMouseDown(button, shift, s.x(), s.y()); });
    processPendingEvents();
}

void TGBasePanel::mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y) {
    const QPoint p(x, y);
    if (capture_.holder().kind == InputTarget::Nothing) updateHover(p);
    deliver(
        mouseTarget(p), *handle_, p,
        [&](QPoint f) { handle_->mouseMove(buttons, shift, f.x(), f.y()); },
        [&](TGGraphicControl* o, QPoint q) { objectMouseMove(o, buttons, shift, q.x(), q.y()); },
        [&](QPoint s) { surfaceMouseMove(buttons, shift, s.x(), s.y()); });
    processPendingEvents();
}

void TGBasePanel::mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    TGUndoHistory::Step step(*history_);
    const QPoint p(x, y);
    deliver(
        mouseTarget(p), *handle_, p,
        [&](QPoint f) { handle_->mouseUp(button, shift, f.x(), f.y()); },
        [&](TGGraphicControl* o, QPoint q) { objectMouseUp(o, button, shift, q.x(), q.y()); },
        [&](QPoint s) { surfaceMouseUp(button, shift, s.x(), s.y()); });
    // A release ends the capture the press took.
    capture_.release();
    processPendingEvents();
}

void TGBasePanel::doubleClick(Qt::KeyboardModifiers shift, int x, int y) {
    TGUndoHistory::Step step(*history_);
    // A double-click is a double-click event followed by a press, as the platform sends it.
    InputTarget target = capture_.holder();
    if (target.kind != InputTarget::Frame) target = targetAt(QPoint(x, y));
    deliver(
        target, *handle_, QPoint(x, y), [&](QPoint f) { handle_->doubleClick(f.x(), f.y()); },
        [&](TGGraphicControl* o, QPoint q) { objectDoubleClick(o, q.x(), q.y()); },
        [&](QPoint) { emit surfaceDoubleClicked(); });
    processPendingEvents();
    mouseDown(Qt::LeftButton, shift, x, y);
}

void TGBasePanel::keyDown(int key, Qt::KeyboardModifiers shift) {
    TGUndoHistory::Step step(*history_);
    if (handle_->hasFocus() && handle_->isVisible())
        handle_->keyDown(key, shift);
    else
        keyHandler(key, shift);
    processPendingEvents();
}

void TGBasePanel::keyUp(int key, Qt::KeyboardModifiers shift) {
    TGUndoHistory::Step step(*history_);
    if (handle_->hasFocus() && handle_->isVisible()) handle_->keyUp(key, shift);
    processPendingEvents();
}

void TGBasePanel::mouseLeave() {
    updateHover(QPoint(-1, -1) - QPoint(1 << 20, 1 << 20));
}

void TGBasePanel::keyHandler(int key, Qt::KeyboardModifiers shift) {
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    if (ctrl && key == Qt::Key_C) {
        clipboardCopy();
    } else if (ctrl && key == Qt::Key_V) {
        TGUndoHistory::Step step(*history_, QStringLiteral("Paste"));
        clipboardPaste();
    } else if (ctrl && key == Qt::Key_X) {
        TGUndoHistory::Step step(*history_, QStringLiteral("Cut"));
        clipboardCut();
    } else if (!ctrl && key == Qt::Key_Delete) {
        TGUndoHistory::Step step(*history_, QStringLiteral("Delete"));
        clipboardDelete();
    }
}

// --- the handlers attached to objects

void TGBasePanel::objectMouseDown(TGGraphicControl* o, Qt::MouseButton button,
                                  Qt::KeyboardModifiers shift, int x, int y) {
    if (!pointing_ || o->unselectable()) {
        captureSurface();
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
                                  Qt::KeyboardModifiers shift, int x, int y) {
    if (pointing_) setScreenCursor(Cursor::HandPoint);
    surfaceMouseMove(buttons, shift, x + o->left(), y + o->top());
}

void TGBasePanel::objectMouseUp(TGGraphicControl* o, Qt::MouseButton button,
                                Qt::KeyboardModifiers shift, int x, int y) {
    surfaceMouseUp(button, shift, x + o->left(), y + o->top());
}

void TGBasePanel::objectDoubleClick(TGGraphicControl* o, int x, int y) {
    if (o->objectMenu()) popupAt(*o->objectMenu(), QPoint(x + o->left(), y + o->top()));
}

void TGBasePanel::frameDoubleClick(int x, int y) {
    if (handle_->count() > 1) return;
    const QPoint p(x + handle_->left(), y + handle_->top());
    TGGraphicControl* target = handle_->hitObject(p);
    if (!target) return;
    if (target->onEditRequest)
        target->onEditRequest(this);
    else if (target->objectMenu())
        popupAt(*target->objectMenu(), p);
}

void TGBasePanel::frameMouseDownHook(Qt::MouseButton, Qt::KeyboardModifiers shift, int x, int y) {
    if (!shift.testFlag(Qt::ShiftModifier)) return;
    const QPoint p(x + handle_->left(), y + handle_->top());
    std::vector<TGGraphicControl*> list = handle_->selection();
    handle_->clear();
    processPendingEvents();
    for (auto i = list.size(); i-- > 0;)
        if (list[i]->bounds().contains(p)) list.erase(list.begin() + long(i));
    for (TGGraphicControl* o : list)
        handle_->add(o);
    processPendingEvents();
}

// --- the surface's own handlers

void TGBasePanel::surfaceMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
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
QRect bandPixels(const QRect& band) {
    const int l = std::min(band.left(), band.right()), r = std::max(band.left(), band.right());
    const int t = std::min(band.top(), band.bottom()), b = std::max(band.top(), band.bottom());
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}
} // namespace

void TGBasePanel::abandonBand() {
    if (!bandActive_) return;
    drawXorRect(bandPixels(bandRect_));
    bandActive_ = false;
}

void TGBasePanel::surfaceMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
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

void TGBasePanel::surfaceMouseUp(Qt::MouseButton, Qt::KeyboardModifiers shift, int x, int y) {
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
    if (right < left) {
        right = left;
        left = x;
    }
    if (bottom < top) {
        bottom = top;
        top = y;
    }
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
        createObjectInRect(corners);
        emit droppedObject(corners);
    }
}

void TGBasePanel::selectInRect(QRect r, Qt::KeyboardModifiers shift) {
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
    for (TGGraphicControl* o : list)
        handle_->add(o);
}
