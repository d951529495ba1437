// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"
#include "catalog/seen_links.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace kavo::screens {

/// What the screens show of what is new in the catalogue shown.
struct NewEntries {
    /// Every new entry (a link's first entry), newest first, ties in page order.
    std::vector<LinkedEntry> newest;
    /// How many of each category's links are new, for the categories that have any.
    std::vector<std::pair<const KVCategory*, std::size_t>> perCategory;

    /// How many of `category`'s links are new.
    [[nodiscard]] std::size_t countIn(const KVCategory* category) const;
};

/// The new entries of `catalogue` at `now` (see SeenLinks::newSince). When
/// nothing is new, as most of the time, no entry is looked at.
[[nodiscard]] NewEntries newEntries(const std::vector<KVCategory>& catalogue, const SeenLinks& seen, ReferenceSeconds now);

} // namespace kavo::screens
