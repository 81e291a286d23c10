#pragma once
// A linear or radial gradient fill cut into bands of one colour each, for devices that fill
// only with solid colours (an enhanced metafile): a linear gradient becomes strips across
// its axis, a radial one rings around its centre; beyond the gradient's ends the end
// colours fill the rest (pad spread). Every band is a shape in device coordinates, to be
// filled within the clip of the shape the gradient paints.
//
//     for (const GradientBands::Band& b : GradientBands::of(brush, shape.boundingRect(), toDevice))
//         fill(b.shape, b.color);
#include <QBrush>
#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>

namespace platform {

class GradientBands {
  public:
    // Bands for each stretch between the gradient's ends.
    static constexpr int bandsPerGradient = 96;

    struct Band {
        QPainterPath shape; // in device coordinates
        QColor color;       // with the stops' alpha
    };
    // The bands covering `area` (the painted shape's bounds, in the painter's logical
    // coordinates, which `toDevice` maps to the device); empty when the brush holds no
    // linear or radial gradient.
    static QList<Band> of(const QBrush& brush, const QRectF& area, const QTransform& toDevice);
    // The gradient's colour at a position from 0 to 1 between its stops.
    static QColor colorAt(const QGradientStops& stops, qreal at);

  private:
    // In the gradient's coordinates, reaching `reach` beyond its axis or centre. A radial
    // gradient's rings share its centre (its focal point is not kept).
    static QList<Band> linear(const QLinearGradient& g, qreal reach);
    static QList<Band> radial(const QRadialGradient& g, qreal reach);
};

} // namespace platform
