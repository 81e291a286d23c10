#pragma once
// Registers the simple shapes, the line, the picture, the effect shape and the effect text
// with a card surface: the classes card files may name and the tools that create them.
class TGBusinessCardPanel32;

namespace ShapeKinds {
void registerAll(TGBusinessCardPanel32& surface);
}
