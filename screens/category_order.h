// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <vector>

namespace kavo::screens {

/// The catalogue's categories ordered by title with the current locale's
/// case-insensitive collation; equal titles keep their catalogue order.
/// Pointers into `categories`, which must outlive the result.
[[nodiscard]] std::vector<const KVCategory*> sortedCategories(const std::vector<KVCategory>& categories);

/// The same with an explicit ICU locale name (e.g. "en_US", "sv_SE"), for tests.
[[nodiscard]] std::vector<const KVCategory*> sortedCategories(const std::vector<KVCategory>& categories,
                                                              const char* locale);

/// Plain categories (no link) and link categories (a category heading with a
/// link), each in the order given.
struct SplitCategories {
    std::vector<const KVCategory*> categories;
    std::vector<const KVCategory*> links;
};
[[nodiscard]] SplitCategories splitLinkCategories(const std::vector<const KVCategory*>& sorted);

/// Direct entries plus the entries of every section.
[[nodiscard]] std::size_t entryCount(const KVCategory& category);

} // namespace kavo::screens
