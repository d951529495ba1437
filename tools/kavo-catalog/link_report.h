// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/kavo-catalog/link_verdict.h"

#include <cstddef>
#include <string>
#include <vector>

// What `check-links` prints.
namespace kavo::linkcheck {

/// One distinct link of the page and what became of it.
struct CheckedLink {
    std::string url;
    std::vector<std::size_t> lines; ///< every line it is on, ascending
    LinkResult result;
    bool fromCache = false;
};

/// One line per link that is not ok, by first line number (the page's order
/// among links on one line): "LINE[,LINE…]: URL: verdict: detail", a moved
/// link's detail being its new URL; then a summary of the counts.
[[nodiscard]] std::string textReport(const std::vector<CheckedLink>& links, double seconds);

/// The same as one JSON object: the counts, and "problems" in the same order,
/// each {"url", "lines", "verdict", "detail"}, a moved link with "newUrl" for "detail".
[[nodiscard]] std::string jsonReport(const std::vector<CheckedLink>& links, double seconds);

/// 0 when no link is broken or timed out, 1 otherwise.
[[nodiscard]] int exitStatus(const std::vector<CheckedLink>& links);

/// "812/5000 checked, 205/s, 4 s elapsed, about 20 s left".
[[nodiscard]] std::string progressLine(std::size_t done, std::size_t total, double elapsedSeconds);

} // namespace kavo::linkcheck
