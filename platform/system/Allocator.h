#pragma once
// How the process's memory allocator hands back memory.

namespace platform {

class Allocator {
  public:
    // Keeps freed blocks of up to 32 MB in the process for reuse. Qt's PDF writer
    // compresses every page through buffers of about 16 MB that it takes and frees again
    // page by page; by default the C library gives them back to the system each time, so
    // that every page of a print job faulted in 32 MB of fresh memory, a third of the
    // job's time. Peak memory is unchanged: the same blocks serve the next page.
    static void keepLargeBlocks();
};

} // namespace platform
