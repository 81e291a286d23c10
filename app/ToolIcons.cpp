#include "ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace {
void drawTool(QPainter& p, int index) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    const QRectF box(3, 6, 18, 12);
    switch (index) {
    case 0: { // selection arrow
        QPainterPath arrow;
        arrow.moveTo(7, 3);
        arrow.lineTo(7, 19);
        arrow.lineTo(11, 15);
        arrow.lineTo(14, 21);
        arrow.lineTo(16, 20);
        arrow.lineTo(13, 14);
        arrow.lineTo(18, 14);
        arrow.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(arrow);
        break;
    }
    case 1:
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("A"));
        break;
    case 2:
        for (int y : {6, 10, 14, 18})
            p.drawLine(4, y, y == 18 ? 14 : 20, y);
        break;
    case 3:
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QString(QChar(0x2663)));
        break;
    case 4:
        p.drawRect(box);
        break;
    case 5:
        p.drawEllipse(box);
        break;
    case 6:
        p.drawRoundedRect(box, 4, 4);
        break;
    case 7:
        p.drawLine(4, 20, 20, 4);
        break;
    case 8:
        p.drawRect(QRectF(3, 5, 18, 14));
        p.drawPolyline(QPolygonF(
            {QPointF(4, 18), QPointF(10, 10), QPointF(14, 15), QPointF(17, 12), QPointF(20, 18)}));
        break;
    case 9: { // star
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 ? 4.0 : 9.5, a = -M_PI / 2 + i * M_PI / 5;
            star << QPointF(12 + r * std::cos(a), 12.5 + r * std::sin(a));
        }
        QLinearGradient g(0, 3, 0, 22);
        g.setColorAt(0, QColor(255, 220, 0));
        g.setColorAt(1, QColor(230, 80, 0));
        p.setBrush(g);
        p.drawPolygon(star);
        break;
    }
    case 10:
        p.setPen(QColor(180, 0, 0));
        p.drawText(QRectF(0, 0, 13, 24), Qt::AlignCenter, QStringLiteral("R"));
        p.setPen(QColor(0, 0, 180));
        p.drawText(QRectF(11, 0, 13, 24), Qt::AlignCenter, QStringLiteral("t"));
        break;
    case 11: {
        QPainterPath text;
        text.addText(5, 18, f, QStringLiteral("S"));
        QLinearGradient g(0, 5, 0, 19);
        g.setColorAt(0, QColor(0, 160, 255));
        g.setColorAt(1, QColor(120, 0, 200));
        p.setBrush(g);
        p.drawPath(text);
        break;
    }
    case 12:
        p.drawArc(QRectF(4, 4, 16, 16), 0, 180 * 16);
        p.drawText(QRectF(0, 8, 24, 16), Qt::AlignCenter, QStringLiteral("a"));
        break;
    case 13:
        for (int y = 4; y < 24; y += 5)
            for (int x = 4; x < 24; x += 5)
                p.drawPoint(x, y);
        break;
    case 14:
        for (int y = 4; y < 24; y += 5)
            for (int x = 4; x < 24; x += 5)
                p.drawPoint(x, y);
        p.setPen(QPen(QColor(0, 120, 0), 2));
        p.drawRect(QRectF(9, 9, 10, 10));
        break;
    case 15: {
        QLinearGradient g(0, 4, 24, 20);
        g.setColorAt(0, QColor(120, 200, 255));
        g.setColorAt(1, QColor(255, 240, 170));
        p.setBrush(g);
        p.drawRect(QRectF(3, 5, 18, 14));
        break;
    }
    default:
        break;
    }
}
} // namespace

QIcon ToolIcons::icon(int index) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pm(24 * scale, 24 * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        drawTool(p, index);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QIcon ToolIcons::applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const double s = size / 64.0;
        p.scale(s, s);
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.setBrush(QColor(250, 250, 245));
        p.drawRoundedRect(QRectF(4, 14, 56, 36), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 170));
        p.drawRect(QRectF(10, 20, 26, 6));
        p.setBrush(QColor(120, 120, 120));
        for (int y : {31, 37, 43})
            p.drawRect(QRectF(10, y, 40, 3));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
