#pragma once
// Registers the text label kinds with a card surface: the classes card files may name and
// the text, symbol, multi-line and circle text tools.
class TGBusinessCardPanel32;

namespace TextKinds {
void registerAll(TGBusinessCardPanel32& surface);
}
