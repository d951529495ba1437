// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uuid.h"

#include <gtest/gtest.h>

#include <set>

namespace kavo {
namespace {

TEST(Uuid, RandomIsVersionFourWithUpperCaseCanonicalText)
{
    std::set<std::string> seen;
    for (int i = 0; i < 10000; ++i) {
        const std::string text = Uuid::random().toString();
        ASSERT_EQ(text.size(), 36u);
        ASSERT_EQ(text[14], '4') << text;
        ASSERT_NE(std::string("89AB").find(text[19]), std::string::npos) << text;
        ASSERT_EQ(text.find_first_of("abcdef"), std::string::npos) << text;
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 10000u);
}

TEST(Uuid, ReadsEitherCaseAndRefusesEverythingElse)
{
    const std::string upper = "6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B";
    const auto lower = Uuid::fromString("6f1c2b0a-3d4e-4f56-8a7b-9c0d1e2f3a4b");
    ASSERT_TRUE(lower.has_value());
    EXPECT_EQ(Uuid::fromString(upper), lower);
    EXPECT_EQ(lower->toString(), upper);

    std::vector<std::string> bad = {"", "6F1C2B0A3D4E4F568A7B9C0D1E2F3A4B", "{" + upper + "}", upper + "0",
                                    " " + upper.substr(1)};
    // A hex digit where a dash belongs, and a non-digit in each half of a byte.
    for (std::size_t at : {8, 13, 18, 23, 34, 35}) bad.push_back(std::string(upper).replace(at, 1, at < 30 ? "F" : "G"));
    for (const std::string& text : bad) EXPECT_FALSE(Uuid::fromString(text)) << text;
}

} // namespace
} // namespace kavo
