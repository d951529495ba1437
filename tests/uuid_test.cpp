// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uuid.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace kavo {
namespace {

TEST(Uuid, RandomIsVersionFourWithUpperCaseCanonicalText)
{
    std::set<std::string> seen;
    for (int i = 0; i < 10000; ++i) {
        const std::string text = Uuid::random().toString();
        ASSERT_EQ(text.size(), 36u);
        EXPECT_EQ(text[14], '4') << text;
        EXPECT_NE(std::string("89AB").find(text[19]), std::string::npos) << text;
        EXPECT_EQ(text.find_first_of("abcdef"), std::string::npos) << text;
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 10000u);
}

TEST(Uuid, ThreadsDrawIndependentSequences)
{
    std::string first;
    std::string second;
    std::thread a([&] { first = Uuid::random().toString(); });
    std::thread b([&] { second = Uuid::random().toString(); });
    a.join();
    b.join();
    EXPECT_NE(first, second);
}

TEST(Uuid, ReadsEitherCaseAndRefusesEverythingElse)
{
    const auto upper = Uuid::fromString("6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B");
    const auto lower = Uuid::fromString("6f1c2b0a-3d4e-4f56-8a7b-9c0d1e2f3a4b");
    ASSERT_TRUE(upper && lower);
    EXPECT_EQ(*upper, *lower);
    EXPECT_EQ(lower->toString(), "6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B");

    for (const char* bad : {"", "6F1C2B0A3D4E4F568A7B9C0D1E2F3A4B", "{6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B}",
                            "6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4G", "6F1C2B0A-3D4E-4F56-8A7B9-C0D1E2F3A4B",
                            " 6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4", "6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B0"}) {
        EXPECT_FALSE(Uuid::fromString(bad)) << bad;
    }
}

} // namespace
} // namespace kavo
