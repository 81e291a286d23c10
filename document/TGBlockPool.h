#pragma once
// Keeps one copy of each long byte block that the undo history holds: a block equal to one
// already pooled is replaced by the pooled one, so that states and steps that hold the same
// picture bytes (a picture moved, or read back by an undo) share them. Blocks are found
// again by their address first, and by their contents only when they are new.
#include <QByteArray>
#include <QHash>
#include <QMultiHash>

class TGBlockPool {
  public:
    // Blocks shorter than this are not worth pooling.
    static constexpr qsizetype minSize = 4096;

    // The pooled block equal to b (b itself when it is new or short).
    QByteArray intern(const QByteArray& b);
    // Forgets the blocks that nobody but the pool holds any more.
    void sweep();

  private:
    QMultiHash<size_t, QByteArray> byContents_;
    QHash<const char*, size_t> byAddress_;
};
