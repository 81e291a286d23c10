#include "TGBlockPool.h"

QByteArray TGBlockPool::intern(const QByteArray& b) {
    if (b.size() < minSize || byAddress_.contains(b.constData())) return b;
    const size_t hash = qHash(b);
    for (auto it = byContents_.constFind(hash); it != byContents_.cend() && it.key() == hash; ++it)
        if (*it == b) return *it;
    byContents_.insert(hash, b);
    byAddress_.insert(b.constData(), hash);
    return b;
}

void TGBlockPool::sweep() {
    for (auto it = byContents_.begin(); it != byContents_.end();) {
        if (it->isDetached()) {
            byAddress_.remove(it->constData());
            it = byContents_.erase(it);
        } else {
            ++it;
        }
    }
}
