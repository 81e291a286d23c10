#include "TGHandle.h"

#include "TGBasePanel.h"
#include "TGGraphicControl.h"
#include "platform/drawing/Canvas.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

using platform::Cursor;

TGHandle::TGHandle(TGBasePanel& surface) : surface_(surface) {}

void TGHandle::setColor(TColor c) {
    if (color_ == c) return;
    color_ = c;
    surface_.invalidateGrips();
}

void TGHandle::setSecondaryColor(TColor c) {
    if (secondaryColor_ == c) return;
    secondaryColor_ = c;
    surface_.invalidateGrips();
}

void TGHandle::setGridX(int v) {
    v = std::clamp(v, 1, 32);
    if (v == rememberedX_) return;
    rememberedX_ = v;
    gridX_ = v;
    surface_.invalidateGrips();
}

void TGHandle::setGridY(int v) {
    v = std::clamp(v, 1, 32);
    if (v == rememberedY_) return;
    rememberedY_ = v;
    gridY_ = v;
    surface_.invalidateGrips();
}

void TGHandle::setSnapToGrid(bool on) {
    gridX_ = on ? rememberedX_ : 1;
    gridY_ = on ? rememberedY_ : 1;
}

void TGHandle::setGeometry(int l, int t, int w, int h) {
    if (l == left_ && t == top_ && w == width_ && h == height_) return;
    left_ = l;
    top_ = t;
    width_ = w;
    height_ = h;
    surface_.invalidateGrips();
}

void TGHandle::fitAround(int extra) {
    int minL = INT_MAX, minT = INT_MAX, maxR = INT_MIN, maxB = INT_MIN;
    for (const TGGraphicControl* o : selection_) {
        minL = std::min(minL, o->left());
        minT = std::min(minT, o->top());
        maxR = std::max(maxR, o->left() + o->width());
        maxB = std::max(maxB, o->top() + o->height());
    }
    setGeometry(minL - 2, minT - 2, maxR - minL + extra, maxB - minT + extra);
}

void TGHandle::eraseOutlines() {
    drawOutline(QRect());
    // A key handler may run while the nudge outline is taken away for the next step.
    if (nudging_) surface_.eraseXorRect(nudgeRect_.adjusted(0, 0, -1, -1));
    nudging_ = false;
    dragging_ = false;
}

void TGHandle::endGesture() {
    eraseOutlines();
    surface_.captureFrame(false);
}

void TGHandle::hide() {
    // Whatever empties the selection mid-gesture (Delete or Ctrl+X during a drag, a zoom
    // while an arrow key is held) ends the drag or nudge and takes its outline away.
    eraseOutlines();
    visible_ = false;
    enabled_ = false;
    focused_ = false;
    surface_.captureFrame(false);
    surface_.invalidateGrips();
}

void TGHandle::takeFocus() {
    if (visible_ && enabled_) focused_ = true;
}

void TGHandle::add(TGGraphicControl* o) {
    if (!o || o->unselectable()) return;
    pressTime_ = surface_.tick();
    if (indexOf(o) >= 0) return;
    surface_.setScreenCursor(Cursor::HandGrab);
    if (!selection_.empty()) {
        const int l = std::min(left_, o->left() - 2);
        const int t = std::min(top_, o->top() - 2);
        const int r = std::max(left_ + width_ - 3, o->left() + o->width()) + 3;
        const int b = std::max(top_ + height_ - 3, o->top() + o->height()) + 3;
        setGeometry(l, t, r - l, b - t);
    } else {
        drawOutline(QRect());
        enabled_ = true;
        visible_ = true;
        setGeometry(o->left() - 2, o->top() - 2, o->width() + 5, o->height() + 5);
    }
    selection_.push_back(o);
    grip_ = 0;
    surface_.captureFrame(true);
    takeFocus();
    surface_.invalidateGrips();
}

void TGHandle::remove(TGGraphicControl* o) {
    const auto it = std::find(selection_.begin(), selection_.end(), o);
    if (it == selection_.end()) return;
    selection_.erase(it);
    if (!selection_.empty()) {
        fitAround(5);
    } else {
        locked_ = false;
        hide();
    }
    surface_.invalidateGrips();
}

void TGHandle::clear() {
    selection_.clear();
    locked_ = false;
    hide();
    setGeometry(left_, top_, 24, 24);
}

int TGHandle::indexOf(const TGGraphicControl* o) const {
    const auto it = std::find(selection_.begin(), selection_.end(), o);
    return it == selection_.end() ? -1 : int(it - selection_.begin());
}

TGGraphicControl* TGHandle::item(int i) const {
    if (i < 0 || i >= count()) return nullptr;
    return selection_[size_t(i)];
}

void TGHandle::refit() {
    if (selection_.empty()) return;
    fitAround(6);
    surface_.invalidateGrips();
}

TGGraphicControl* TGHandle::hitObject(QPoint p) const {
    for (TGGraphicControl* o : selection_) {
        const QRect r(o->left() - 2, o->top() - 2, o->width() + 4, o->height() + 4);
        if (p.x() >= r.left() && p.x() < r.left() + r.width() && p.y() >= r.top() &&
            p.y() < r.top() + r.height())
            return o;
    }
    return nullptr;
}

void TGHandle::setBoundsMovingObjects(int l, int t, int w, int h) {
    const int dl = l - left_, dt = t - top_, dw = w - width_, dh = h - height_;
    for (TGGraphicControl* o : std::vector<TGGraphicControl*>(selection_)) {
        if (o->locked()) continue;
        o->setBoundsByUser(o->left() + dl, o->top() + dt, o->width() + dw, o->height() + dh);
    }
    setGeometry(l, t, w, h);
}

void TGHandle::mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    pressTime_ = surface_.tick();
    if (surface_.pointing() && button == Qt::LeftButton && !selection_.empty()) {
        if (!locked_) {
            dragStart_ = QPoint(x, y);
            dragging_ = true;
        }
        surface_.frameMouseDownHook(button, shift, x, y);
        return;
    }
    if (button == Qt::RightButton && surface_.pointing()) {
        const QPoint p(left_ + x, top_ + y);
        TGGraphicControl* o = hitObject(p);
        if (o && count() == 1 && o->objectMenu())
            surface_.popupAt(*o->objectMenu(), p);
        else
            surface_.popupAt(surface_.surfaceMenu(), p);
        return;
    }
    surface_.setScreenCursor(Cursor::Default);
    forward(button, true, x, y);
}

void TGHandle::clampToSurface(int& x, int& y) const {
    x = std::clamp(left_ + x, 0, std::max(0, surface_.width())) - left_;
    y = std::clamp(top_ + y, 0, std::max(0, surface_.height())) - top_;
}

void TGHandle::mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y) {
    Q_UNUSED(shift)
    if (doubleClicked_) {
        dragging_ = false;
        doubleClicked_ = false;
    }
    if (!surface_.pointing()) {
        surface_.setScreenCursor(Cursor::Drag);
        return;
    }
    const bool leftDown = buttons.testFlag(Qt::LeftButton);
    if (leftDown && !dragging_ && !locked_) {
        if (pressTime_ != 0 && surface_.tick() - pressTime_ > 10) {
            dragStart_ = QPoint(x, y);
            dragging_ = true;
        }
        return;
    }
    if (!leftDown) surface_.captureFrame(false);
    int g = 0;
    Cursor cur = Cursor::HandGrab;
    if (selection_.size() == 1) {
        const double w = width_, h = height_;
        auto near = [](double a, double b, double d) { return std::abs(a - b) < d; };
        if (near(x, 0, 8) && near(y, 0, 8)) {
            g = 1;
            cur = Cursor::SizeNWSE;
        }
        if (near(x, w, 8) && near(y, h, 8)) {
            g = 4;
            cur = Cursor::SizeNWSE;
        }
        if (near(x, w, 8) && near(y, 0, 8)) {
            g = 2;
            cur = Cursor::SizeNESW;
        }
        if (near(x, 0, 8) && near(y, h, 8)) {
            g = 3;
            cur = Cursor::SizeNESW;
        }
        if (near(x, w * 0.5, 6) && near(y, 0, 8)) {
            g = 5;
            cur = Cursor::SizeNS;
        }
        if (near(x, w * 0.5, 6) && near(y, h, 8)) {
            g = 7;
            cur = Cursor::SizeNS;
        }
        if (near(y, h * 0.5, 6) && near(x, 0, 8)) {
            g = 6;
            cur = Cursor::SizeWE;
        }
        if (near(y, h * 0.5, 6) && near(x, w, 8)) {
            g = 8;
            cur = Cursor::SizeWE;
        }
    }
    if (locked_) cur = Cursor::NoDrop;
    if (!dragging_ || g != 0 || locked_) surface_.setScreenCursor(cur);
    if (dragging_) {
        clampToSurface(x, y);
        drawOutline(newGeometry(x, y));
    } else {
        grip_ = g;
    }
}

void TGHandle::mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    Q_UNUSED(shift)
    if (dragging_ && surface_.tick() - pressTime_ < 150) dragStart_ = QPoint(x, y);
    pressTime_ = 0;
    if (dragging_ && button == Qt::LeftButton) {
        clampToSurface(x, y);
        if (QPoint(x, y) != dragStart_) {
            const QRect g = newGeometry(x, y);
            drawOutline(QRect());
            setBoundsMovingObjects(g.x(), g.y(), g.width(), g.height());
        }
        drawOutline(QRect());
        takeFocus();
        dragging_ = false;
        surface_.setScreenCursor(Cursor::Default);
        surface_.captureFrame(false);
    } else {
        forward(button, false, x, y);
    }
    surface_.invalidateGrips();
}

QRect TGHandle::pendingGeometry() const {
    if (dragging_ && !drawnOutline_.isNull()) return drawnOutline_;
    if (nudging_) // the inverse of what the release does with the nudged rectangle
        return QRect(nudgeRect_.left() - 2, nudgeRect_.top() - 2,
                     nudgeRect_.right() - nudgeRect_.left() + 5,
                     nudgeRect_.bottom() - nudgeRect_.top() + 5);
    return geometry();
}

QRect TGHandle::newGeometry(int x, int y) const {
    const int dx = x - dragStart_.x(), dy = y - dragStart_.y();
    auto snapX = [this](int v) { return gridX_ * (v / gridX_); };
    auto snapY = [this](int v) { return gridY_ * (v / gridY_); };
    const int L = left_, T = top_, W = width_, H = height_;
    int l = L, t = T, w = W, h = H;
    switch (grip_) {
    case 0:
        l = snapX(L + dx);
        t = snapY(T + dy);
        break;
    case 1:
        l = snapX(L + dx);
        t = snapY(T + dy);
        w = W + L - l;
        h = H + T - t;
        break;
    case 2:
        t = snapY(T + dy);
        w = snapX(W + dx) - 1;
        h = H + T - t;
        break;
    case 3:
        l = snapX(L + dx);
        w = W + L - l;
        h = snapY(H + dy) - 1;
        break;
    case 4:
        w = snapX(W + dx) - 1;
        h = snapY(H + dy) - 1;
        break;
    case 5:
        t = snapY(T + dy);
        h = H + T - t;
        break;
    case 6:
        l = snapX(L + dx);
        w = W + L - l;
        break;
    case 7:
        h = snapY(H + dy) - 1;
        break;
    case 8:
        w = snapX(W + dx) - 1;
        break;
    default:
        break;
    }
    // The frame is never narrower or lower than 5 pixels, nor so small that a selected
    // object would end up without width or height (the next save would drop it).
    int minW = 5, minH = 5;
    for (const TGGraphicControl* o : selection_) {
        if (o->locked()) continue;
        minW = std::max(minW, W - o->width() + 1);
        minH = std::max(minH, H - o->height() + 1);
    }
    return QRect(l, t, std::max(w, minW), std::max(h, minH));
}

void TGHandle::drawOutline(const QRect& g) {
    auto outline = [](const QRect& r) {
        return QRect(QPoint(r.x() + 2, r.y() + 2),
                     QPoint(r.x() + r.width() - 4, r.y() + r.height() - 4));
    };
    if (!drawnOutline_.isNull()) surface_.drawXorRect(outline(drawnOutline_));
    drawnOutline_ = g;
    if (!g.isNull()) surface_.drawXorRect(outline(g));
}

void TGHandle::forward(Qt::MouseButton button, bool press, int x, int y) {
    const int sx = left_ + x, sy = top_ + y;
    if (press) {
        surface_.captureSurface();
        surface_.surfaceMouseDown(button, Qt::NoModifier, sx, sy);
    } else
        surface_.surfaceMouseUp(button, Qt::NoModifier, sx, sy);
}

void TGHandle::doubleClick(int x, int y) {
    doubleClicked_ = true;
    surface_.frameDoubleClick(x, y);
}

void TGHandle::keyDown(int key, Qt::KeyboardModifiers shift) {
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    auto nudgeOutline = [this] { surface_.drawXorRect(nudgeRect_.adjusted(0, 0, -1, -1)); };
    if (nudging_) nudgeOutline();
    if (arrow && !nudging_) {
        nudging_ = true;
        nudgeRect_ =
            QRect(QPoint(left_ + 2, top_ + 2), QPoint(left_ + width_ - 3, top_ + height_ - 3));
    }
    if (arrow) {
        const int w = nudgeRect_.width(), h = nudgeRect_.height();
        const int l = nudgeRect_.left(), t = nudgeRect_.top();
        const bool resize = shift.testFlag(Qt::ShiftModifier) && count() == 1;
        switch (key) {
        case Qt::Key_Left:
            if (resize) {
                if (w > 10) nudgeRect_.setRight(nudgeRect_.right() - 1);
            } else if (l > 0)
                nudgeRect_.translate(-1, 0);
            break;
        case Qt::Key_Up:
            if (resize) {
                if (h > 10) nudgeRect_.setBottom(nudgeRect_.bottom() - 1);
            } else if (t > 0)
                nudgeRect_.translate(0, -1);
            break;
        case Qt::Key_Right:
            if (w + l <= surface_.width()) {
                if (resize)
                    nudgeRect_.setRight(nudgeRect_.right() + 1);
                else
                    nudgeRect_.translate(1, 0);
            }
            break;
        case Qt::Key_Down:
            if (h + t <= surface_.height()) {
                if (resize)
                    nudgeRect_.setBottom(nudgeRect_.bottom() + 1);
                else
                    nudgeRect_.translate(0, 1);
            }
            break;
        }
    }
    surface_.keyHandler(key, shift);
    if (nudging_) nudgeOutline();
}

void TGHandle::keyUp(int, Qt::KeyboardModifiers) {
    if (!nudging_) return;
    surface_.drawXorRect(nudgeRect_.adjusted(0, 0, -1, -1)); // the focus rectangle over the outline
    nudging_ = false;
    const QRect r = nudgeRect_;
    setBoundsMovingObjects(r.left() - 2, r.top() - 2, r.right() - r.left() + 5,
                           r.bottom() - r.top() + 5);
    surface_.invalidateGrips();
}

void TGHandle::mouseLeave() {
    if (dragging_) return;
    surface_.setScreenCursor(surface_.pointing() ? Cursor::Default : Cursor::Drag);
}

void TGHandle::paint(platform::Canvas& canvas) const {
    for (const TGGraphicControl* o : selection_)
        o->drawSelectionGrips(canvas, surface_.toView(o->bounds()));
}
