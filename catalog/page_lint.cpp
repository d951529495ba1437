// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/page_lint.h"

namespace kavo {

PageLint lintPage(std::string_view text, ParseLimits limits, std::size_t maxKept)
{
    PageLint lint;
    // Only a kept finding is copied: a hostile page may hold a great many.
    const auto keep = [&lint, maxKept](const ParseDiagnostic& diagnostic) {
        if (lint.findingCount++ < maxKept) lint.findings.push_back(diagnostic);
    };
    lint.categories = KVParser().parse(text, limits, keep);
    if (lint.categories && lint.categories->empty()) {
        ParseDiagnostic page;
        page.kind = ParseDiagnostic::Kind::NoCategoryHeading;
        keep(std::move(page));
    }
    return lint;
}

} // namespace kavo
