// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/lint_rows.h"

#include "platform/unicode_text.h"
#include "screens/list_diff.h"

#include <algorithm>

namespace kavo::screens {

std::vector<ParseDiagnostic> sortedFindings(std::vector<ParseDiagnostic> findings)
{
    std::ranges::stable_sort(findings, {}, &ParseDiagnostic::line);
    return findings;
}

std::vector<std::string> findingKeys(std::span<const ParseDiagnostic> findings)
{
    std::vector<std::string> keys;
    keys.reserve(findings.size());
    RowKeyNumbering numbering;
    for (const ParseDiagnostic& finding : findings) keys.push_back(numbering.key(describe(finding)));
    return keys;
}

std::size_t findingLines(std::span<const ParseDiagnostic> findings)
{
    std::vector<std::size_t> lines;
    for (const ParseDiagnostic& finding : findings) {
        if (finding.line != 0) lines.push_back(finding.line);
    }
    std::ranges::sort(lines);
    return static_cast<std::size_t>(std::ranges::unique(lines).begin() - lines.begin());
}

std::string clipped(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes) return std::string(text);
    return std::string(text::leadingCharacters(text, maxBytes)) + "\u2026";
}

} // namespace kavo::screens
