#pragma once
// Registers the simple shapes and the line with a card surface: the classes card files may
// name and the rectangle, ellipse, round-rectangle and line tools.
class TGBusinessCardPanel32;

namespace ShapeKinds {
void registerAll(TGBusinessCardPanel32& surface);
}
