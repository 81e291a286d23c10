#include "PaintedObject.h"

#include "document/TGGraphicControl.h"
#include "platform/drawing/Canvas.h"

#include <QPainter>

QImage painted(TGGraphicControl& o, int margin, Clip clip) {
    QImage image(o.width() + 2 * margin, o.height() + 2 * margin, QImage::Format_RGB32);
    image.fill(0xFF00FF00);
    QPainter p(&image);
    platform::Canvas c(p);
    c.translate(margin, margin);
    if (clip == Clip::toObject) c.setClipRect(QRect(0, 0, o.width(), o.height()));
    o.paint(c);
    return image;
}
