#include "platform/drawing/Canvas.h"

#include <QImage>
#include <QPainterPath>
#include <QPicture>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platform {

namespace {
QPainter::CompositionMode compositionFor(Gdi::TPenMode mode) {
    switch (mode) {
    case Gdi::pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case Gdi::pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    case Gdi::pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case Gdi::pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case Gdi::pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case Gdi::pmNot:
        return QPainter::RasterOp_NotDestination;
    case Gdi::pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case Gdi::pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case Gdi::pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case Gdi::pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case Gdi::pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case Gdi::pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

// The dash pattern of GDI's cosmetic pens, in pixels on and off.
QList<qreal> dashesFor(Gdi::TPenStyle style) {
    switch (style) {
    case Gdi::psDash:
        return {18, 6};
    case Gdi::psDot:
        return {3, 3};
    case Gdi::psDashDot:
        return {9, 6, 3, 6};
    case Gdi::psDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

// Whether pixel number i along a line is drawn by a styled pen.
bool styledOn(Gdi::TPenStyle style, qint64 i) {
    const QList<qreal> d = dashesFor(style);
    if (d.isEmpty()) return true;
    int period = 0;
    for (qreal v : d)
        period += int(v);
    int k = int(i % period);
    for (int j = 0; j < d.size(); ++j) {
        if (k < int(d[j])) return j % 2 == 0;
        k -= int(d[j]);
    }
    return true;
}
} // namespace

Canvas::Canvas(QPainter& painter) : p_(painter) {
    // Hints are set only when they change: every change makes a PDF page restate its brush.
    if (p_.testRenderHint(QPainter::Antialiasing)) p_.setRenderHint(QPainter::Antialiasing, false);
    // Bitmaps keep their own pixels on every device: a PDF page would otherwise hold them
    // as JPEG, with fringes at every colour edge.
    if (!p_.testRenderHint(QPainter::LosslessImageRendering))
        p_.setRenderHint(QPainter::LosslessImageRendering, true);
}

void Canvas::translate(int dx, int dy) {
    p_.translate(dx, dy);
}

void Canvas::setClipRect(const QRect& r) {
    p_.setClipRect(r);
}

void Canvas::setClipRegion(const QRegion& r) {
    p_.setClipRegion(r);
}

void Canvas::setClipPath(const QPainterPath& path) {
    p_.setClipPath(path);
}

void Canvas::intersectClipRect(const QRect& r) {
    p_.setClipRect(r, p_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void Canvas::clearClip() {
    p_.setClipping(false);
}

void Canvas::applyMode() {
    p_.setCompositionMode(compositionFor(pen.mode));
}

QPen Canvas::qpen() const {
    if (pen.style == Gdi::psClear) return QPen(Qt::NoPen);
    QPen qp(pen.color.toQColor());
    qp.setWidth(penWidth());
    qp.setJoinStyle(Qt::MiterJoin);
    qp.setCapStyle(Qt::SquareCap);
    if (styled()) {
        // The pattern is in pen widths, which scales a geometric pen's dashes with it.
        qp.setCapStyle(Qt::FlatCap);
        qp.setDashPattern(dashesFor(pen.style));
    }
    return qp;
}

bool Canvas::styled() const {
    return !dashesFor(pen.style).isEmpty() && (penWidth() == 1 || pen.geometric);
}

QBrush Canvas::qbrush() const {
    const QColor c = brush.color.toQColor();
    switch (brush.style) {
    case Gdi::bsSolid:
        return QBrush(c);
    case Gdi::bsClear:
        return QBrush(Qt::NoBrush);
    case Gdi::bsHorizontal:
        return QBrush(c, Qt::HorPattern);
    case Gdi::bsVertical:
        return QBrush(c, Qt::VerPattern);
    case Gdi::bsFDiagonal:
        return QBrush(c, Qt::BDiagPattern);
    case Gdi::bsBDiagonal:
        return QBrush(c, Qt::FDiagPattern);
    case Gdi::bsCross:
        return QBrush(c, Qt::CrossPattern);
    case Gdi::bsDiagCross:
        return QBrush(c, Qt::DiagCrossPattern);
    }
    return QBrush(c);
}

void Canvas::fillRect(const QRect& r) {
    if (brush.style == Gdi::bsClear || r.isEmpty()) return;
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p_.fillRect(r, qbrush());
}

void Canvas::frame(int left, int top, int right, int bottom) {
    if (pen.style == Gdi::psClear || pen.mode == Gdi::pmNop) return;
    const int w = penWidth();
    applyMode();
    if (styled()) {
        // Styled pen: the four edges as one closed run of dashes.
        p_.setPen(qpen());
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
        return;
    }
    // Solid pens as filled bands: w / 2 pixels before the figure's edge pixel and the rest on
    // and after it (inside it for psInsideFrame), as GDI centres wide pens; a band of w pixels
    // reproduces that exactly.
    const int before = pen.style == Gdi::psInsideFrame ? 0 : w / 2;
    const int l = left - before, t = top - before;
    const int r = right - 1 - before + w, b = bottom - 1 - before + w; // exclusive outer
    const QColor c = pen.color.toQColor();
    if (r - l <= 2 * w || b - t <= 2 * w) {
        p_.fillRect(QRect(QPoint(l, t), QPoint(r - 1, b - 1)), c);
    } else {
        p_.fillRect(QRect(l, t, r - l, w), c);
        p_.fillRect(QRect(l, b - w, r - l, w), c);
        p_.fillRect(QRect(l, t + w, w, b - t - 2 * w), c);
        p_.fillRect(QRect(r - w, t + w, w, b - t - 2 * w), c);
    }
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Canvas::rectangle(int left, int top, int right, int bottom) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (pen.style == Gdi::psClear) {
        fillRect(QRect(QPoint(left, top), QPoint(right - 2, bottom - 2)));
        return;
    }
    const int inset = pen.style == Gdi::psInsideFrame ? penWidth() : 1;
    fillRect(
        QRect(QPoint(left + inset, top + inset), QPoint(right - 1 - inset, bottom - 1 - inset)));
    frame(left, top, right, bottom);
}

void Canvas::roundRect(int left, int top, int right, int bottom, int ellipseW, int ellipseH) {
    const QRectF box(left, top, right - left - 1, bottom - top - 1);
    applyMode();
    p_.setPen(qpen());
    p_.setBrush(qbrush());
    p_.drawRoundedRect(box, ellipseW / 2.0, ellipseH / 2.0);
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Canvas::ellipse(int left, int top, int right, int bottom) {
    applyMode();
    p_.setPen(qpen());
    p_.setBrush(qbrush());
    p_.drawEllipse(QRect(QPoint(left, top), QPoint(right - 2, bottom - 2)));
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Canvas::polygon(const QPolygon& points) {
    applyMode();
    p_.setPen(qpen());
    p_.setBrush(qbrush());
    p_.drawPolygon(points, Qt::WindingFill);
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Canvas::moveTo(int x, int y) {
    pos_ = QPoint(x, y);
}

void Canvas::lineTo(int x, int y) {
    const QPoint from = pos_;
    pos_ = QPoint(x, y);
    if (pen.style == Gdi::psClear || pen.mode == Gdi::pmNop || from == pos_) return;
    applyMode();
    if (penWidth() > 1) {
        QPen qp = qpen();
        qp.setCapStyle(Qt::FlatCap);
        p_.setPen(qp);
        p_.drawLine(from, pos_);
    } else {
        const QColor c = pen.color.toQColor();
        p_.setPen(QPen(c, 1));
        bresenham(from, pos_);
    }
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QRectF Canvas::visibleArea() const {
    // A recording (a QPicture) has no edges; anything else shows only its own rectangle.
    constexpr double far = 1e15;
    QRectF area(-far, -far, 2 * far, 2 * far);
    const QPaintDevice* device = p_.device();
    if (device && device->devType() != QInternal::Picture)
        area = p_.combinedTransform().inverted().mapRect(
            QRectF(0, 0, device->width(), device->height()));
    if (p_.hasClipping()) area &= p_.clipBoundingRect();
    return area;
}

void Canvas::bresenham(QPoint from, QPoint to) {
    // Bresenham from the start up to, but not including, the end point. Only the steps that
    // can fall inside the visible area are taken, and the first of them is reached by
    // arithmetic, not by stepping, so a line a billion pixels long costs what shows of it.
    using Wide = __int128;
    const qint64 x0 = from.x(), y0 = from.y(), dx = std::abs(qint64(to.x()) - x0),
                 ady = std::abs(qint64(to.y()) - y0);
    const int sx = x0 < to.x() ? 1 : -1, sy = y0 < to.y() ? 1 : -1;
    const bool xMajor = dx >= ady;
    const qint64 steps = std::max(dx, ady);
    qint64 first = 0, last = steps;
    {
        const QRectF area = visibleArea();
        if (area.isEmpty()) return;
        // The steps at which the ideal line is within a pixel of the area, on each axis.
        const auto keep = [&](double start, double delta, double lo, double hi) {
            lo -= 2;
            hi += 2;
            if (delta == 0) {
                if (start < lo || start > hi) last = -1;
                return;
            }
            double a = (lo - start) / delta * double(steps),
                   b = (hi - start) / delta * double(steps);
            if (a > b) std::swap(a, b);
            first = std::max(first, qint64(std::clamp(std::floor(a) - 2, 0.0, double(steps))));
            last = std::min(last, qint64(std::clamp(std::ceil(b) + 2, 0.0, double(steps))));
        };
        keep(double(x0), double(sx * dx), area.left(), area.right());
        keep(double(y0), double(sy * ady), area.top(), area.bottom());
    }
    if (first >= last) return;
    // The state after `first` steps: the major axis steps every time, the minor one
    // floor((2 * minor * k + major) / (2 * major)) times.
    const qint64 major = xMajor ? dx : ady, minor = xMajor ? ady : dx;
    const qint64 moved = qint64((Wide(2) * minor * first + major) / (Wide(2) * major));
    qint64 x = x0 + sx * (xMajor ? first : moved), y = y0 + sy * (xMajor ? moved : first);
    qint64 err = xMajor ? dx - ady - first * ady + moved * dx : dx - ady + first * dx - moved * ady;
    for (qint64 i = first; i < last; ++i) {
        if (styledOn(pen.style, i)) p_.drawPoint(int(x), int(y));
        const qint64 e2 = 2 * err;
        if (e2 >= -ady) {
            err -= ady;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void Canvas::stretchDraw(const QRect& dest, const QImage& image) {
    if (image.isNull() || dest.isEmpty()) return;
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p_.drawImage(dest, image);
}

void Canvas::stretchDraw(const QRect& dest, const QPicture& picture) {
    const QRect src = picture.boundingRect();
    if (src.isEmpty() || dest.isEmpty()) return;
    // Replaying a picture scales it by the device's resolution over the picture's own (a
    // 300 dpi PDF page would get it 300/96 times too large); the destination is already in
    // device pixels, so that scaling is taken back out.
    const QPaintDevice* device = p_.device();
    const double fx = device ? double(picture.logicalDpiX()) / device->logicalDpiX() : 1.0;
    const double fy = device ? double(picture.logicalDpiY()) / device->logicalDpiY() : 1.0;
    p_.save();
    resetState(p_);
    p_.translate(dest.topLeft());
    p_.scale(double(dest.width()) / src.width() * fx, double(dest.height()) / src.height() * fy);
    p_.translate(-src.left() / fx, -src.top() / fy);
    p_.drawPicture(0, 0, picture);
    p_.restore();
}

void Canvas::resetState(QPainter& painter) {
    painter.setPen(QPen());
    painter.setBrush(QBrush());
    painter.setFont(QFont());
    painter.setBackground(QBrush(Qt::white));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(1.0);
}

void Canvas::patBltAnd(const QRect& r, const Pattern& pattern, TColor fg, TColor bg) {
    QImage tile(8, 8, QImage::Format_RGB32);
    const QRgb f = fg.toQColor().rgb(), b = bg.toQColor().rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, (pattern[y] & (0x80 >> x)) ? b : f);
    QBrush patternBrush(tile);
    // The pattern is aligned to the device origin, as GDI aligns brushes.
    patternBrush.setTransform(p_.worldTransform().inverted());
    p_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p_.fillRect(r, patternBrush);
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Canvas::drawFocusRect(const QRect& r) {
    const Pen saved = pen;
    pen = Pen{TColor::clWhite, Gdi::pmXor, Gdi::psDot, 1};
    frame(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    pen = saved;
}

const TextMetrics& Canvas::drawingMetrics() {
    GdiFont key = font;
    key.color = TColor();
    key.escapement = 0;
    if (!drawingMetrics_ || !(key == drawingFont_)) {
        drawingMetrics_.emplace(key);
        drawingFont_ = key;
    }
    return *drawingMetrics_;
}

void Canvas::drawText(int x, int y, const QString& text) {
    const TextMetrics& tm = drawingMetrics();
    // Only the characters that can reach the visible area are laid out and drawn: in any
    // direction, nothing further along the line from its start than the area's farthest
    // corner shows. A caption of millions of characters then costs what shows of it.
    // Centred text is placed by its whole width, so it is drawn whole.
    const QRectF area = visibleArea();
    if (area.isEmpty()) return;
    const bool centred = (textAlign & TA_CENTER) == TA_CENTER;
    qint64 reach = 0;
    for (const QPointF corner :
         {area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()})
        reach = std::max(reach, qint64(std::ceil(QLineF(QPointF(x, y), corner).length())));
    const QString shown =
        tm.shown(centred ? text : text.left(tm.charactersWithin(text, reach + tm.tmHeight)));
    drawShown(tm, x, y, shown, centred ? tm.shownWidth(shown) : 0);
}

void Canvas::drawShown(const TextMetrics& tm, int x, int y, const QString& shown, int shownWidth) {
    if (p_.compositionMode() != QPainter::CompositionMode_SourceOver)
        p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p_.setFont(tm.qfont());
    p_.setPen(font.color.toQColor());
    p_.translate(x, y);
    // Escapement turns counter-clockwise on the screen, where y grows downwards.
    if (font.escapement % 3600 != 0) p_.rotate(-font.escapement / 10.0);
    int dx = (textAlign & TA_CENTER) == TA_CENTER ? -shownWidth / 2 : 0;
    const int dy = (textAlign & TA_BOTTOM) ? -tm.tmDescent : tm.tmAscent;
    // Each piece starts where the one before ends; the last one's width is not needed.
    const QStringList pieces = TextMetrics::pieces(shown);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0) dx += tm.shownWidth(pieces[i - 1]);
        p_.drawText(QPoint(dx, dy), pieces[i]);
    }
}

void Canvas::textOut(int x, int y, const QString& text) {
    if (text.isEmpty()) return;
    p_.save();
    drawText(x, y, text);
    p_.restore();
}

void Canvas::textOutShown(int x, int y, const QString& shown, int shownWidth) {
    if (shown.isEmpty() || visibleArea().isEmpty()) return;
    p_.save();
    drawShown(drawingMetrics(), x, y, shown, shownWidth);
    p_.restore();
}

void Canvas::extTextOut(int x, int y, const QRect& clip, const QString& text) {
    if (text.isEmpty() || clip.isEmpty()) return;
    p_.save();
    // A clip that holds all of the current one changes nothing; leaving it out spares a PDF
    // page a second clipping path.
    const bool covered = p_.hasClipping() && p_.clipRegion().rectCount() == 1 &&
                         QRectF(clip).contains(p_.clipBoundingRect());
    if (!covered) intersectClipRect(clip);
    drawText(x, y, text);
    p_.restore();
}

} // namespace platform
