#include "platform/widgets/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {

void PaintBox::paintEvent(QPaintEvent*) {
    if (!onPaint) return;
    QPainter painter(this);
    onPaint(painter);
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    if (onMousePress)
        onMousePress(event->button(), event->position().toPoint());
    else
        QWidget::mousePressEvent(event);
}

} // namespace platform
