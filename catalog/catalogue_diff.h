// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"
#include "catalog/seen_links.h"

#include <string>
#include <vector>

namespace kavo {

/// What changed from one catalogue to the next, entry by entry, each entry
/// known by its link as the app knows it (the first entry with a link).
struct CatalogueDiff {
    std::vector<LinkedEntry> added;   ///< links only in the next catalogue, in its page order
    std::vector<LinkedEntry> removed; ///< links only in the one before, in its page order
    /// Links in both whose entry differs in name, description, badge or
    /// further links (identifiers aside): the next entry, in its page order.
    std::vector<LinkedEntry> changed;
};

/// The entries added are exactly those the app marks new when `after` is
/// downloaded with `before` as the download recorded last (SeenLinks).
[[nodiscard]] CatalogueDiff diffCatalogues(const std::vector<KVCategory>& before, const std::vector<KVCategory>& after);

/// `{"added": [...], "removed": [...], "changed": [...]}`, each entry in the
/// cache file's form with one more key, "category", its category's title.
[[nodiscard]] std::string encodeCatalogueDiff(const CatalogueDiff& diff);

} // namespace kavo
