#pragma once
// A card holding one object of every kind the surface can make (shapes, a line, a picture,
// an effect shape, effect text, text labels with effects and turned, symbols upright and
// turned, wrapped multi-line text, circle text, rich text), placed as the tools place them
// and settled, so that tests of zoom, undo and printing meet every kind.
class TGBusinessCardPanel32;

namespace EveryKindCard {
// Adds the objects to a surface whose kinds are registered (ObjectKinds::registerAll).
void addTo(TGBusinessCardPanel32& surface);
} // namespace EveryKindCard
