// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

/// What the parser classifies each trimmed line as, in the house style's terms.
enum class LineKind { Ignored, CategoryHeading, SectionHeading, NoteLine, RuleLine, EntryLine };

/// Classifies one trimmed line. Before the first category heading only
/// category headings count, so the caller says whether one has been seen.
[[nodiscard]] LineKind classifyLine(std::string_view trimmedLine, bool categorySeen);

/// A line the parser dropped although it looks meant, for the page's curators.
struct ParseDiagnostic {
    std::size_t line = 0; ///< 1-based, as an editor counts lines
    std::string message;
};

using DiagnosticSink = std::function<void(const ParseDiagnostic&)>;

/// Receives each category once the parser has read the whole of it, in page order.
using CategorySink = std::function<void(KVCategory&&)>;

/// Bounds on what one parse builds.
struct ParseLimits {
    /// Links in entry lines: every "[name](target)" before the description
    /// counts, an entry's own link and each further one.
    std::size_t maxLinks = std::numeric_limits<std::size_t>::max();
};

/// Turns a page in the house style into the catalogue. Stateless: any number
/// of parses may run at once, on any threads. Never fails: lines it cannot use
/// are dropped, and a page without a category heading gives an empty list.
class KVParser {
public:
    KVParser() = default;

    [[nodiscard]] std::vector<KVCategory> parse(std::string_view text) const;

    /// The same result; additionally reports dropped lines that look meant.
    [[nodiscard]] std::vector<KVCategory> parse(std::string_view text, const DiagnosticSink& sink) const;

    /// The same result, or nothing when the page holds more than `limits`
    /// allow. Parsing stops as soon as a limit is passed, so a hostile page
    /// never makes the parser build more than the limits.
    [[nodiscard]] std::optional<std::vector<KVCategory>> parse(std::string_view text, ParseLimits limits) const;

    /// The same categories, each handed to `each` as soon as it is complete
    /// instead of being kept: a page of any size is parsed in the memory of
    /// its largest category.
    void parseEach(std::string_view text, const CategorySink& each) const;
};

} // namespace kavo
