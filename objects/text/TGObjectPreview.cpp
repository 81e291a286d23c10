#include "TGObjectPreview.h"

#include "document/TGGraphicControl.h"
#include "platform/Canvas.h"

#include <QPainter>

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
    platform::Canvas canvas(painter);
    canvas.translate(contentsRect().left() + object_.left(), contentsRect().top() + object_.top());
    canvas.setClipRect(QRect(0, 0, object_.width(), object_.height()));
    object_.paint(canvas);
}
