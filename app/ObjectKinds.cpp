#include "ObjectKinds.h"

#include "objects/shapes/ShapeKinds.h"
#include "objects/text/TextKinds.h"

namespace ObjectKinds {

void registerAll(TGBusinessCardPanel32& surface) {
    TextKinds::registerAll(surface);
    ShapeKinds::registerAll(surface);
}

} // namespace ObjectKinds
