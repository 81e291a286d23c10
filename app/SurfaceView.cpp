#include "SurfaceView.h"

#include "document/TGBasePanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

SurfaceView::SurfaceView(TGBasePanel& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.onRepaint = [this] {
        followSize();
        update();
    };
    surface_.onCursorChanged = [this](platform::Cursor c) { setCursor(platform::toQCursor(c)); };
    surface_.toGlobal = [this](QPoint p) {
        return mapToGlobal(surface_.toView(QRect(p, QSize(1, 1))).topLeft());
    };
    followSize();
}

SurfaceView::~SurfaceView() {
    surface_.onRepaint = nullptr;
    surface_.onCursorChanged = nullptr;
    surface_.toGlobal = nullptr;
}

QSize SurfaceView::sizeHint() const {
    return surface_.viewSize();
}

QPoint SurfaceView::at(const QMouseEvent* e) const {
    return surface_.toCard(e->position());
}

void SurfaceView::followSize() {
    surface_.setDevicePixelRatio(devicePixelRatioF());
    const QSize s = surface_.viewSize();
    if (size() != s) setFixedSize(s);
}

void SurfaceView::paintEvent(QPaintEvent*) {
    // A window moved to a screen of another pixel density renders the card anew for it.
    surface_.setDevicePixelRatio(devicePixelRatioF());
    QPainter p(this);
    surface_.paintTo(p);
}

void SurfaceView::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    surface_.mouseDown(e->button(), e->modifiers(), at(e).x(), at(e).y());
}

void SurfaceView::mouseMoveEvent(QMouseEvent* e) {
    surface_.mouseMove(e->buttons(), e->modifiers(), at(e).x(), at(e).y());
}

void SurfaceView::mouseReleaseEvent(QMouseEvent* e) {
    surface_.mouseUp(e->button(), e->modifiers(), at(e).x(), at(e).y());
}

void SurfaceView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    surface_.doubleClick(e->modifiers(), at(e).x(), at(e).y());
}

void SurfaceView::keyPressEvent(QKeyEvent* e) {
    surface_.keyDown(e->key(), e->modifiers());
}

void SurfaceView::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return; // holding a key moves only the outline until release
    surface_.keyUp(e->key(), e->modifiers());
}

void SurfaceView::leaveEvent(QEvent*) {
    surface_.mouseLeave();
}

bool SurfaceView::focusNextPrevChild(bool) {
    return false; // the surface takes Tab itself
}
