#include "TGEffectControl.h"

#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/Report.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdlib>

TGEffectControl::TGEffectControl(QObject* owner, Effect::TFillDirection direction,
                                 TColor gradientTo)
    : TGGraphicControl(owner), fillDirection_(direction), gradientToColor_(gradientTo) {
    connect(&image_, &TGBitmap::changed, this, [this] {
        zoomedTexture_ = QImage();
        repaint();
    });
}

void TGEffectControl::setFillDirection(Effect::TFillDirection v) {
    if (v == fillDirection_ || v < Effect::gdUp || v > Effect::gdRight) return;
    fillDirection_ = v;
    rebuildGradient();
    repaint();
}

void TGEffectControl::setGradientToColor(TColor v) {
    if (v == gradientToColor_) return;
    gradientToColor_ = v;
    rebuildGradient();
    repaint();
}

// --- arithmetic

int TGEffectControl::mulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const qint64 product = qint64(number) * numerator;
    const qint64 n = std::llabs(product), d = std::llabs(qint64(denominator));
    const qint64 q = (2 * n + d) / (2 * d);
    return int((product < 0) != (denominator < 0) ? -q : q);
}

QColor TGEffectControl::bandColor(const QColor& first, const QColor& last, int band) {
    return QColor(first.red() + mulDiv(band, last.red() - first.red(), 255),
                  first.green() + mulDiv(band, last.green() - first.green(), 255),
                  first.blue() + mulDiv(band, last.blue() - first.blue(), 255));
}

QRect TGEffectControl::bandRect(QSize area, Effect::TFillDirection dir, int band) {
    const int w = area.width(), h = area.height();
    if (dir == Effect::gdUp || dir == Effect::gdDown) {
        const int t = mulDiv(band, h, 256), b = mulDiv(band + 1, h, 256);
        return QRect(0, t, w, b - t);
    }
    const int l = mulDiv(band, w, 256), r = mulDiv(band + 1, w, 256);
    return QRect(l, 0, r - l, h);
}

std::pair<QColor, QColor> TGEffectControl::bandEnds(TColor start, TColor end,
                                                    Effect::TFillDirection dir) {
    // System colours are resolved to plain red, green and blue first.
    const QColor s = start.toQColor(), e = end.toQColor();
    return dir == Effect::gdUp || dir == Effect::gdLeft ? std::pair(e, s) : std::pair(s, e);
}

QImage TGEffectControl::makeGradient(QSize size, TColor start, TColor end,
                                     Effect::TFillDirection dir) {
    if (size.width() < 1 || size.height() < 1) return QImage();
    QImage bitmap(size, QImage::Format_RGB32);
    const auto [first, last] = bandEnds(start, end, dir);
    for (int i = 0; i < 256; ++i) {
        const QRect band = bandRect(size, dir, i);
        if (band.isEmpty()) continue;
        const QRgb c = bandColor(first, last, i).rgb();
        // Rows (or columns) of one colour: filled directly, far cheaper than a painter.
        for (int y = band.top(); y <= band.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
            std::fill(row + band.left(), row + band.right() + 1, c);
        }
    }
    return bitmap;
}

void TGEffectControl::tile(QPainter& painter, const QPainterPath& figure, const QImage& bitmap,
                           QSize tileSize) {
    if (bitmap.width() < 1 || bitmap.height() < 1) return;
    // A tile that truncates to nothing still advances by one pixel.
    const int tw = std::max(1, tileSize.width()), th = std::max(1, tileSize.height());
    const QImage& t =
        tw == bitmap.width() && th == bitmap.height() ? bitmap : bitmap.scaled(tw, th);
    // Filling the figure with the bitmap as a brush lays the same tiles, aligned to the
    // object's top-left corner, as one stretched copy per tile clipped to the figure
    // would, at a fraction of the cost.
    painter.save();
    painter.setBrushOrigin(0, 0);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillPath(figure, QBrush(t));
    painter.restore();
}

// --- screen

void TGEffectControl::rebuildGradient() {
    if (!hasGradientSurface()) return;
    // Any stored size is valid in a card file; the work bitmap of a huge object is built
    // at a bounded size and stretched when drawn, so that memory stays small.
    gradientFor_ = QSize(width(), height());
    gradient_ = makeGradient(gradientFor_.boundedTo(QSize(maxGradientSide, maxGradientSide)),
                             gradientStartColor(), gradientToColor_, fillDirection_);
}

void TGEffectControl::tileTexture(QPainter& painter, const QPainterPath& figure) const {
    const QImage& t = texture();
    if (t.width() < 1 || t.height() < 1) return;
    const float z = zoomFactor();
    QSize tileSize = t.size();
    if (z != 1.0f)
        tileSize =
            QSize(int(std::trunc(t.width() * double(z))), int(std::trunc(t.height() * double(z))));
    tileSize = tileSize.expandedTo(QSize(1, 1));
    if (tileSize == t.size()) {
        tile(painter, figure, t, tileSize);
        return;
    }
    if (zoomedTexture_.size() != tileSize) zoomedTexture_ = t.scaled(tileSize);
    tile(painter, figure, zoomedTexture_, tileSize);
}

void TGEffectControl::drawGradient(QPainter& painter, const QPainterPath& figure) {
    // Built when a property changed; a new size (a resize, a zoom, a card just read)
    // builds it once more.
    if (gradientFor_ != QSize(width(), height()) || gradient_.isNull()) rebuildGradient();
    if (gradient_.size() == gradientFor_) {
        tile(painter, figure, gradient_, gradientFor_);
        return;
    }
    // A bounded bitmap stands for a huge object: the brush stretches it without a copy.
    QBrush stretched(gradient_);
    stretched.setTransform(
        QTransform::fromScale(double(gradientFor_.width()) / gradient_.width(),
                              double(gradientFor_.height()) / gradient_.height()));
    painter.save();
    painter.setBrushOrigin(0, 0);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillPath(figure, stretched);
    painter.restore();
}

// --- printing

TGEffectControl::PrintFrame TGEffectControl::printFrame(platform::Report& report, double x0,
                                                        double y0) const {
    PrintFrame f;
    const double ppi = platform::ScreenMetrics::pixelsPerInch();
    f.resolution = report.resolution();
    f.sx = f.resolution / ppi;
    f.sy = f.resolution / ppi;
    f.cardOffset = report.toDevice(QPointF(x0, y0));
    f.left = int(std::trunc(left() * f.sx)) + f.cardOffset.x();
    f.top = int(std::trunc(top() * f.sy)) + f.cardOffset.y();
    f.right = f.left + int(std::nearbyint(width() * f.sx));
    f.bottom = f.top + int(std::nearbyint(height() * f.sy));
    return f;
}

void TGEffectControl::printTiles(platform::Report& report, const QImage& bitmap,
                                 const PrintFrame& f) {
    if (bitmap.width() < 1 || bitmap.height() < 1) return;
    const int tw = std::max(1, int(std::nearbyint(bitmap.width() * f.sx)));
    const int th = std::max(1, int(std::nearbyint(bitmap.height() * f.sy)));
    const int overlap = int(std::nearbyint(0.01 * f.resolution));
    platform::Canvas c = report.canvas();
    // Only the tiles that touch the page are drawn: a huge object costs what shows.
    const QSizeF page = report.pageSizeInches() * f.resolution;
    const qint64 pageW = qint64(std::ceil(page.width())), pageH = qint64(std::ceil(page.height()));
    const qint64 firstX = std::max<qint64>(0, (-qint64(f.left) - tw - overlap) / tw);
    const qint64 firstY = std::max<qint64>(0, (-qint64(f.top) - th - overlap) / th);
    const qint64 endX = std::min<qint64>(qint64(f.right) - f.left + tw, pageW - f.left);
    const qint64 endY = std::min<qint64>(qint64(f.bottom) - f.top + th, pageH - f.top);
    for (qint64 y = firstY * th; y < endY; y += th)
        for (qint64 x = firstX * tw; x < endX; x += tw)
            c.stretchDraw(QRect(int(f.left + x), int(f.top + y), tw + overlap, th + overlap),
                          bitmap);
}

void TGEffectControl::printGradient(platform::Report& report, const QRect& area, TColor start,
                                    TColor end, Effect::TFillDirection dir) {
    report.pen = {TColor::clBlack, Gdi::psSolid, -1, Gdi::pmCopy};
    const auto [first, last] = bandEnds(start, end, dir);
    QPainter& p = report.painter();
    if (!p.isActive()) return;
    for (int i = 0; i < 256; ++i) {
        const QRect band = bandRect(area.size(), dir, i).translated(area.topLeft());
        if (!band.isEmpty()) p.fillRect(band, bandColor(first, last, i));
    }
}

void TGEffectControl::withClip(platform::Report& report, const QPainterPath& figure,
                               const std::function<void()>& draw) {
    QPainter& p = report.painter();
    if (!p.isActive()) return;
    p.save();
    p.setClipPath(figure, Qt::IntersectClip);
    draw();
    p.restore();
}
