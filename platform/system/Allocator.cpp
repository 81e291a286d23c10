#include "platform/system/Allocator.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace platform {

void Allocator::keepLargeBlocks() {
#if defined(M_MMAP_THRESHOLD) && defined(M_TRIM_THRESHOLD)
    // Blocks below 32 MB (the largest value glibc accepts) come from the heap, and the
    // heap is trimmed only when more than 64 MB lie free at its top.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

} // namespace platform
