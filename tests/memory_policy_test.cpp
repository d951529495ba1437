// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/memory_policy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <malloc.h>
#include <vector>

namespace kavo {
namespace {

// After a multi-megabyte block has come and gone, blocks of a few hundred
// KiB that are freed again are not kept in the heap.
TEST(MemoryPolicy, FreedLargeBlocksAreNotKeptAfterABigOneCameAndWent)
{
#if defined(__SANITIZE_ADDRESS__) || !defined(__GLIBC__)
    GTEST_SKIP() << "needs glibc's own allocator";
#else
    // Through volatile pointers, so the compiler cannot drop an unused allocation.
    void* (*volatile allocate)(std::size_t) = std::malloc;
    void (*volatile release)(void*) = std::free;
    returnLargeFreedBlocksToSystem();
    release(allocate(8u << 20)); // would make glibc keep blocks of up to 8 MiB in the heap

    const std::size_t heldBefore = mallinfo2().fordblks;
    std::vector<void*> blocks;
    for (int i = 0; i < 16; ++i) blocks.push_back(allocate(512u << 10));
    for (void* block : blocks) release(block);
    EXPECT_LT(mallinfo2().fordblks, heldBefore + (1u << 20)) << "bytes kept free in the heap";
#endif
}

} // namespace
} // namespace kavo
