// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/memory_policy.h"

#include <cstdlib> // defines __GLIBC__ on glibc

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

} // namespace kavo
