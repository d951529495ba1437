// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/link_scanner.h"

#include <gtest/gtest.h>
#include <re2/re2.h>

#include <random>

namespace kavo {
namespace {

// The pattern the scanner stands for, run by an engine without backtracking.
std::vector<LinkMatch> oracle(std::string_view line)
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

// Generated lines over the characters that matter to the pattern, many of
// them short enough that every odd arrangement of brackets comes up.
TEST(LinkScanner, AgreesWithRe2OnGeneratedLines)
{
    std::mt19937 random(20261206);
    const std::string_view alphabet[] = {"[", "]", "(", ")", "a", " ", "-", "\u00e9", "](", "[x](", ")", "\\"};
    for (int round = 0; round < 200000; ++round) {
        std::string line;
        const int length = std::uniform_int_distribution<int>(0, round % 3 == 0 ? 60 : 14)(random);
        for (int i = 0; i < length; ++i) {
            line += alphabet[std::uniform_int_distribution<std::size_t>(0, std::size(alphabet) - 1)(random)];
        }
        ASSERT_EQ(findLinks(line), oracle(line)) << "line: " << line;
    }
}

} // namespace
} // namespace kavo
