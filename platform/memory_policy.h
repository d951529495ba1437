// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

} // namespace kavo
