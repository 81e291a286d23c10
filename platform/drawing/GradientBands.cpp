#include "platform/drawing/GradientBands.h"

#include <QLineF>

#include <cmath>

namespace platform {

namespace {
// The gradient's own coordinates to the painter's logical ones.
QTransform gradientToLogical(const QBrush& brush, const QRectF& area) {
    const QGradient::CoordinateMode mode = brush.gradient()->coordinateMode();
    if (mode != QGradient::ObjectBoundingMode && mode != QGradient::ObjectMode)
        return brush.transform();
    const QTransform box(area.width(), 0, 0, area.height(), area.x(), area.y());
    // In the bounding mode the brush's transform applies in logical space; in the object
    // mode, within the bounding box.
    return mode == QGradient::ObjectMode ? brush.transform() * box : box * brush.transform();
}
} // namespace

QColor GradientBands::colorAt(const QGradientStops& stops, qreal at) {
    if (stops.isEmpty()) return Qt::transparent;
    if (at <= stops.constFirst().first) return stops.constFirst().second;
    for (qsizetype i = 1; i < stops.size(); ++i) {
        const QGradientStop& a = stops[i - 1];
        const QGradientStop& b = stops[i];
        if (at > b.first) continue;
        const qreal span = b.first - a.first;
        const float f = float(span > 0 ? (at - a.first) / span : 1);
        auto mix = [f](float x, float y) { return x + (y - x) * f; };
        return QColor::fromRgbF(
            mix(a.second.redF(), b.second.redF()), mix(a.second.greenF(), b.second.greenF()),
            mix(a.second.blueF(), b.second.blueF()), mix(a.second.alphaF(), b.second.alphaF()));
    }
    return stops.constLast().second;
}

QList<GradientBands::Band> GradientBands::of(const QBrush& brush, const QRectF& area,
                                             const QTransform& toDevice) {
    const QGradient* g = brush.gradient();
    if (!g || (g->type() != QGradient::LinearGradient && g->type() != QGradient::RadialGradient))
        return {};
    const QTransform toLogical = gradientToLogical(brush, area);
    bool invertible = false;
    const QTransform fromLogical = toLogical.inverted(&invertible);
    if (!invertible) return {};
    // The area in the gradient's coordinates: the bands reach across all of it.
    const QRectF inGradient = fromLogical.mapRect(area);
    const qreal reach = QLineF(inGradient.topLeft(), inGradient.bottomRight()).length() +
                        std::abs(inGradient.center().x()) + std::abs(inGradient.center().y()) + 1;
    QList<Band> bands = g->type() == QGradient::LinearGradient
                            ? linear(*static_cast<const QLinearGradient*>(g), reach)
                            : radial(*static_cast<const QRadialGradient*>(g), reach);
    const QTransform full = toLogical * toDevice;
    for (Band& b : bands)
        b.shape = full.map(b.shape);
    return bands;
}

QList<GradientBands::Band> GradientBands::linear(const QLinearGradient& g, qreal reach) {
    const QLineF axis(g.start(), g.finalStop());
    if (!(axis.length() > 0)) return {};
    const QPointF along = (axis.p2() - axis.p1()) / axis.length();
    const QPointF across(-along.y(), along.x());
    const qreal far = reach / axis.length(); // the area's reach in lengths of the axis
    auto strip = [&](qreal from, qreal to) {
        const QPointF a = axis.p1() + (axis.p2() - axis.p1()) * from;
        const QPointF b = axis.p1() + (axis.p2() - axis.p1()) * to;
        QPainterPath p;
        p.addPolygon(QPolygonF{a - across * reach, b - across * reach, b + across * reach,
                               a + across * reach});
        p.closeSubpath();
        return p;
    };
    QList<Band> bands;
    bands.append({strip(-far, 0), colorAt(g.stops(), 0)});
    for (int i = 0; i < bandsPerGradient; ++i) {
        const qreal from = qreal(i) / bandsPerGradient, to = qreal(i + 1) / bandsPerGradient;
        const QColor c = colorAt(g.stops(), (from + to) / 2);
        // An opaque band reaches into the next, which covers it: no seam shows between them.
        bands.append({strip(from, c.alpha() == 255 ? to + 0.5 / bandsPerGradient : to), c});
    }
    bands.append({strip(1, 1 + far), colorAt(g.stops(), 1)});
    return bands;
}

QList<GradientBands::Band> GradientBands::radial(const QRadialGradient& g, qreal reach) {
    const qreal radius = g.radius();
    if (!(radius > 0)) return {};
    const QPointF c = g.center();
    auto circle = [&c](qreal r) {
        QPainterPath p;
        p.addEllipse(c, r, r);
        return p;
    };
    QList<Band> bands;
    QPainterPath outside;
    outside.addRect(QRectF(c - QPointF(reach + radius, reach + radius),
                           QSizeF(2 * (reach + radius), 2 * (reach + radius))));
    outside.addPath(circle(radius));
    outside.setFillRule(Qt::OddEvenFill);
    bands.append({outside, colorAt(g.stops(), 1)});
    // From the outside in; an opaque band is a whole disc, which the next one covers but
    // for its ring, so that no seam shows between them.
    for (int i = bandsPerGradient - 1; i >= 0; --i) {
        const qreal from = qreal(i) / bandsPerGradient, to = qreal(i + 1) / bandsPerGradient;
        const QColor c = colorAt(g.stops(), (from + to) / 2);
        QPainterPath ring = circle(radius * to);
        if (i > 0 && c.alpha() < 255) ring.addPath(circle(radius * from));
        ring.setFillRule(Qt::OddEvenFill);
        bands.append({ring, c});
    }
    return bands;
}

} // namespace platform
