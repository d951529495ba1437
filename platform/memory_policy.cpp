// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/memory_policy.h"

#include <cstdint>
#include <cstdlib> // defines __GLIBC__ on glibc

#if defined(__linux__)
#include <sys/mman.h>
#endif

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kavo {

void returnLargeFreedBlocksToSystem()
{
#if defined(__GLIBC__)
    // Setting the threshold also stops glibc from moving it (and the trim threshold) later.
    (void)mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

void adviseHugePages(void* start, std::size_t size)
{
#if defined(__linux__)
    constexpr std::uintptr_t kHugePage = 2u << 20;
    const auto begin = (reinterpret_cast<std::uintptr_t>(start) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(start) + size) & ~(kHugePage - 1);
    if (end > begin) (void)::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)start;
    (void)size;
#endif
}

} // namespace kavo
