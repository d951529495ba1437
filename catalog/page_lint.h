// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/parser.h"

#include <cstddef>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace kavo {

/// A page as its curators check it: the catalogue it gives and the lines the
/// parser drops although they look meant. `kavo-catalog lint` prints the
/// findings; the application's preview of a page shows them.
struct PageLint {
    /// Nothing when the page holds more than the limits allow.
    std::optional<std::vector<KVCategory>> categories;
    /// In the order the parser finds them (a dropped note is found when its
    /// fate is settled, after the lines below it). A page that gives no
    /// category ends with a NoCategoryHeading finding on line 0.
    std::vector<ParseDiagnostic> findings;
    /// Every finding, also those past the number kept.
    std::size_t findingCount = 0;
};

/// Parses `text` within `limits`, keeping at most `maxKept` findings (a
/// hostile page can hold millions; the count stays exact).
[[nodiscard]] PageLint lintPage(std::string_view text, ParseLimits limits = {},
                                std::size_t maxKept = std::numeric_limits<std::size_t>::max());

} // namespace kavo
