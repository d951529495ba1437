// SPDX-License-Identifier: GPL-3.0-or-later
#include "link_oracle.h"

#include <gtest/gtest.h>

#include <random>

namespace kavo {
namespace {

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
        ASSERT_EQ(findLinks(line), linkOracle(line)) << "line: " << line;
    }
}

} // namespace
} // namespace kavo
