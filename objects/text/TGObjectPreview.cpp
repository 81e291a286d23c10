#include "TGObjectPreview.h"

#include "document/TGGraphicControl.h"
#include "platform/drawing/Canvas.h"

#include <QPainter>

#include <algorithm>

TGObjectPreview::TGObjectPreview(TGGraphicControl& object, QSize size, QWidget* parent)
    : QFrame(parent), object_(object) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFixedSize(size + QSize(2 * frameWidth(), 2 * frameWidth()));
}

void TGObjectPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(contentsRect(), Qt::white);
    // A sample larger than the panel (a long text in a large font) shows whole, scaled down,
    // rather than cut at the panel's edge.
    const QRect room = contentsRect();
    const double scale =
        std::min({1.0, room.width() / double(std::max(1, object_.left() + object_.width())),
                  room.height() / double(std::max(1, object_.top() + object_.height()))});
    painter.translate(room.topLeft());
    painter.scale(scale, scale);
    platform::Canvas canvas(painter);
    canvas.translate(object_.left(), object_.top());
    canvas.setClipRect(QRect(0, 0, object_.width(), object_.height()));
    object_.paint(canvas);
}
