// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/link_scanner.h"

#include <re2/re2.h>

#include <string_view>
#include <vector>

namespace kavo {

/// The pattern the link scanner stands for, run by an engine without
/// backtracking: what the scanner must find, for the tests and the fuzzer.
inline std::vector<LinkMatch> linkOracle(std::string_view line)
{
    static const RE2 pattern(R"(\[([^\]]+)\]\(((?:[^()]*|\([^()]*\))*)\))", RE2::Latin1);
    std::vector<LinkMatch> matches;
    re2::StringPiece groups[3];
    std::size_t next = 0;
    while (next <= line.size() &&
           pattern.Match(re2::StringPiece(line.data(), line.size()), next, line.size(), RE2::UNANCHORED, groups, 3)) {
        const auto begin = static_cast<std::size_t>(groups[0].data() - line.data());
        const auto end = begin + groups[0].size();
        matches.push_back(LinkMatch{begin, end, std::string_view(groups[1].data(), groups[1].size()),
                                    std::string_view(groups[2].data(), groups[2].size())});
        next = end;
    }
    return matches;
}

} // namespace kavo
