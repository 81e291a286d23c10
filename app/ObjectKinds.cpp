#include "ObjectKinds.h"

namespace ObjectKinds {

void registerAll(TGBusinessCardPanel32&) {}

} // namespace ObjectKinds
