#include "TGClassRegistry.h"

void TGClassRegistry::add(const QString& className, Factory factory) {
    factories_.insert(className, std::move(factory));
}

TGGraphicControl* TGClassRegistry::create(const QString& className, QObject* owner) const {
    const auto it = factories_.constFind(className);
    return it == factories_.constEnd() ? nullptr : (*it)(owner);
}
