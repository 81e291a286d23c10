#pragma once
// Registers the simple shapes, the line, the picture and the effect shape with a card
// surface: the classes card files may name and the rectangle, ellipse, round-rectangle,
// line, picture and effect-shape tools.
class TGBusinessCardPanel32;

namespace ShapeKinds {
void registerAll(TGBusinessCardPanel32& surface);
}
