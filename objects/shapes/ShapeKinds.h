#pragma once
// Registers the simple shapes, the line and the picture with a card surface: the classes
// card files may name and the rectangle, ellipse, round-rectangle, line and picture tools.
class TGBusinessCardPanel32;

namespace ShapeKinds {
void registerAll(TGBusinessCardPanel32& surface);
}
