#pragma once
// Registers every object kind the program has with a card surface: the classes card files
// may name and the creation tools.
class TGBusinessCardPanel32;

namespace ObjectKinds {
void registerAll(TGBusinessCardPanel32& surface);
}
