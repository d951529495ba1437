// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <limits>
#include <string_view>
#include <vector>

namespace kavo {

/// One Markdown link found on a line: its text and its target, as views into the line.
struct LinkMatch {
    std::size_t begin = 0; ///< offset of the "["
    std::size_t end = 0;   ///< offset just past the closing ")"
    std::string_view name;
    std::string_view target;

    friend bool operator==(const LinkMatch&, const LinkMatch&) = default;
};

/// Finds, left to right and without overlap, exactly the leftmost-first matches
/// of the link pattern
///     \[([^\]]+)\]\(((?:[^()]*|\([^()]*\))*)\)
/// (a name of one or more characters other than "]", then a target in which
/// parentheses only occur as balanced pairs one level deep), in time linear in
/// the length of the line. A backtracking engine takes exponential time on an
/// unclosed "(" after "](", which is why this is a scanner and not a regex.
[[nodiscard]] std::vector<LinkMatch> findLinks(std::string_view line);

/// The same, into `matches` (cleared first), so a caller scanning many lines
/// reuses one buffer; stops once `maxMatches` have been found.
void findLinks(std::string_view line, std::vector<LinkMatch>& matches,
               std::size_t maxMatches = std::numeric_limits<std::size_t>::max());

} // namespace kavo
