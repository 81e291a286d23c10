#include "HeadlessCard.h"

#include "ObjectKinds.h"

HeadlessCard::HeadlessCard() {
    setOwnsTemporaryFiles(false);
    ObjectKinds::registerAll(*this);
}
