// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace kavo {

/// Blocks of 256 KiB and more are given back to the system when freed.
///
/// glibc raises its threshold for serving a block from its own mapping each
/// time such a block is freed: after the first multi-megabyte buffer of a
/// start-up (the cache bytes), every later buffer of up to that size comes
/// from the heap and stays resident after use. Search results and list
/// rebuilds then leave megabytes behind. A fixed threshold keeps the
/// process's size to what it holds. Call once, first thing in main().
void returnLargeFreedBlocksToSystem();

/// Asks for a multi-megabyte buffer that is about to be filled to be mapped
/// in 2 MiB pages where the kernel allows it, rather than faulted in 4 KiB at
/// a time: on a virtual machine each fault is costly, and a cache file is
/// thousands of them. Only the huge-page-aligned part of the range can be
/// advised; failure is harmless.
void adviseHugePages(void* start, std::size_t size);

} // namespace kavo
