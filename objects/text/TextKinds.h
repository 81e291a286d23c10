#pragma once
// Registers the text label kinds with a card surface: the classes card files may name, the
// text tool (psLabel) and the rich text tool (psRichLabel) with the rich text engine.
class TGBusinessCardPanel32;

namespace TextKinds {
void registerAll(TGBusinessCardPanel32& surface);
}
