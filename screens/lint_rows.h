// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/parser.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo::screens {

/// The findings in the order the preview's bar lists them: by line, the
/// page's own finding (line 0) first, the parser's order within a line.
[[nodiscard]] std::vector<ParseDiagnostic> sortedFindings(std::vector<ParseDiagnostic> findings);

/// A name for each finding that stays with it while other lines are edited:
/// what it says, without its line number (which an edit above it changes);
/// repeats are numbered, so keys are unique.
[[nodiscard]] std::vector<std::string> findingKeys(std::span<const ParseDiagnostic> findings);

/// How many lines of the page the findings speak of (the page's own finding is none).
[[nodiscard]] std::size_t findingLines(std::span<const ParseDiagnostic> findings);

/// At most `maxBytes` of `text`, cut at a character boundary, with "…" where
/// it was cut: a name or target quoted from the page can be megabytes long.
[[nodiscard]] std::string clipped(std::string_view text, std::size_t maxBytes);

} // namespace kavo::screens
