#include "SurfaceView.h"

#include "document/TGBasePanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
QPoint at(const QMouseEvent* e)
{
    return e->position().toPoint();
}
} // namespace

SurfaceView::SurfaceView(TGBasePanel& surface, QWidget* parent)
    : QWidget(parent), surface_(surface)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.onRepaint = [this] {
        followSize();
        update();
    };
    surface_.onCursorChanged = [this](platform::Cursor c) { setCursor(platform::toQCursor(c)); };
    surface_.toGlobal = [this](QPoint p) { return mapToGlobal(p); };
    followSize();
}

SurfaceView::~SurfaceView()
{
    surface_.onRepaint = nullptr;
    surface_.onCursorChanged = nullptr;
    surface_.toGlobal = nullptr;
}

QSize SurfaceView::sizeHint() const
{
    return QSize(surface_.width(), surface_.height());
}

void SurfaceView::followSize()
{
    const QSize s(std::max(1, surface_.width()), std::max(1, surface_.height()));
    if (size() != s) setFixedSize(s);
}

void SurfaceView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    surface_.paintTo(p);
}

void SurfaceView::mousePressEvent(QMouseEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    surface_.mouseDown(e->button(), e->modifiers(), at(e).x(), at(e).y());
}

void SurfaceView::mouseMoveEvent(QMouseEvent* e)
{
    surface_.mouseMove(e->buttons(), e->modifiers(), at(e).x(), at(e).y());
}

void SurfaceView::mouseReleaseEvent(QMouseEvent* e)
{
    surface_.mouseUp(e->button(), e->modifiers(), at(e).x(), at(e).y());
}

void SurfaceView::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return;
    surface_.doubleClick(e->modifiers(), at(e).x(), at(e).y());
}

void SurfaceView::keyPressEvent(QKeyEvent* e)
{
    surface_.keyDown(e->key(), e->modifiers());
}

void SurfaceView::keyReleaseEvent(QKeyEvent* e)
{
    if (e->isAutoRepeat()) return; // holding a key moves only the outline until release
    surface_.keyUp(e->key(), e->modifiers());
}

void SurfaceView::leaveEvent(QEvent*)
{
    surface_.mouseLeave();
}

bool SurfaceView::focusNextPrevChild(bool)
{
    return false; // the surface takes Tab itself
}
