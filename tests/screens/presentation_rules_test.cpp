// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/presentation_rules.h"

#include "platform/unicode_text.h"

#include <gtest/gtest.h>
#include <re2/re2.h>

#include <chrono>
#include <random>

namespace kavo::screens {
namespace {

using namespace std::chrono_literals;

// The rule behind both keyword tables, not the tables themselves: full
// Unicode lowercasing, plain substrings, the earlier row first, the defaults.
TEST(CategoryLook, TheEarliestRowWithAKeywordInTheLowercasedTitleDecides)
{
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {"", "folder.fill", "gray"},
        {"Free STREAMS", "play.tv.fill", "red"},
        {"Books on Audio", "music.note", "pink"}, // the earlier row, wherever its word stands
        {"Mobile Piracy", "arrow.down.circle.fill", "indigo"},
        {"Android Apps", "iphone", "gray"}, // no colour row for platforms
        {"Stuff from Friends", "gamecontroller", "gray"}, // "rom": plain substrings
        {"E-BOO\u212A", "book.fill", "green"}, // the Kelvin sign lowercases to "k"
        {"L\u0130NUX", "folder.fill", "gray"},  // "\u0130" lowercases to "i" and a dot, which splits the keyword
        {"M\u00DASIC", "folder.fill", "gray"},  // accents are not folded away
    };
    for (const auto& [title, icon, color] : cases) {
        EXPECT_EQ(iconName(title), icon) << title;
        EXPECT_EQ(colorName(iconColor(title)), color) << title;
    }
}

[[nodiscard]] ReferenceSeconds referenceTime(std::chrono::sys_seconds time)
{
    return static_cast<double>(time.time_since_epoch().count()) - kReferenceDateUnixSeconds;
}

// 2026-01-05 23:30 UTC is already 2026-01-06 08:30 in Tokyo (UTC+9).
const ReferenceSeconds kLateOnJan5 = referenceTime(std::chrono::sys_days{std::chrono::January / 5 / 2026} + 23h + 30min);
constexpr double kWeek = 7 * 86400.0;

TEST(RelativeTime, EachBoundaryBelongsToTheCoarserUnit)
{
    const ReferenceSeconds now = kLateOnJan5 + kWeek;
    const std::pair<double, std::string_view> cases[] = {
        {1e9, "Just now"},   {-59.75, "Just now"}, {-60.0, "1m ago"},   {-119.75, "1m ago"},   {-3599.75, "59m ago"},
        {-3600.0, "1h ago"}, {-86399.0, "23h ago"}, {-86400.0, "1d ago"}, {-604799.75, "6d ago"}, {-604800.0, "Jan 5"},
    };
    // A fractional "now" too: only the difference may count.
    for (const auto& [offset, label] : cases) {
        EXPECT_EQ(relativeTimeString(now + offset, now, "en_US", "UTC"), label) << offset;
        EXPECT_EQ(relativeTimeString(now + 0.25 + offset, now + 0.25, "en_US", "UTC"), label) << offset;
    }
}

TEST(RelativeTime, DatesFollowLocaleAndTimeZone)
{
    const ReferenceSeconds lateOnMarch14 = referenceTime(std::chrono::sys_days{std::chrono::March / 14 / 2026} + 23h + 30min);
    const std::tuple<ReferenceSeconds, const char*, std::string_view, std::string_view> cases[] = {
        {kLateOnJan5, "en_US", "UTC", "Jan 5"},
        {kLateOnJan5, "en_US", "Asia/Tokyo", "Jan 6"},
        {kLateOnJan5, "de_DE", "UTC", "Jan. 5"},
        {lateOnMarch14, "de_DE", "Europe/Berlin", "M\u00e4rz 15"}, // winter time, UTC+1
    };
    for (const auto& [timestamp, locale, zone, label] : cases) {
        EXPECT_EQ(relativeTimeString(timestamp, timestamp + 30 * 86400.0, locale, zone), label) << locale << ' ' << zone;
    }
}

TEST(CleanDisplayText, ReducesLinksThenDropsAsterisksThenTrimsSpaces)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"**Note:** see [the wiki](https://example.org/wiki) *now*  ", "Note: see the wiki now"},
        {"[]() [a]() [*b*](/Film_(1927)) [a]*(b)", "[]() [a]() b) [a](b)"},
        {"\n\u2028[a](b) ![c](d) _u_ `c` # h  x\u0085 \t\u3000", "\n\u2028a !c _u_ `c` # h  x\u0085"},
    };
    for (const auto& [text, clean] : cases) EXPECT_EQ(cleanDisplayText(text), clean) << text;
}

// The three replacements run by a regular-expression engine, then the trim.
// Latin-1 mode makes RE2 read bytes, the same as UTF-8 characters for these ASCII patterns.
[[nodiscard]] std::string cleanedByRe2(std::string_view text)
{
    static const RE2 link(R"(\[([^\]]+)\]\([^)]+\))", RE2::Latin1);
    static const RE2 doubleAsterisk(R"(\*\*)", RE2::Latin1);
    static const RE2 asterisk(R"(\*)", RE2::Latin1);
    std::string result(text);
    RE2::GlobalReplace(&result, link, R"(\1)");
    RE2::GlobalReplace(&result, doubleAsterisk, "");
    RE2::GlobalReplace(&result, asterisk, "");
    return std::string(text::trim(result));
}

TEST(CleanDisplayText, AgreesWithRe2OnGeneratedText)
{
    std::mt19937 random(20260105);
    const std::string_view alphabet[] = {"[", "]", "(", ")", "*", "a", " ", "\t", "\n", "\u00e9", "](", "**", "\u3000"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 100000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n) text += alphabet[pick(random)];
        ASSERT_EQ(cleanDisplayText(text), cleanedByRe2(text)) << "text: \"" << text << '"';
    }
}

TEST(CleanDisplayText, StaysLinearOnHostileText)
{
    // Every '[' of a long run shares one ']' and one missing or empty target:
    // a scan that looked again from each '[' would read about n * n / 2 bytes.
    const std::size_t n = 1'000'000;
    std::string links;
    for (std::size_t i = 0; i < n / 4; ++i) links += "[a](";
    for (const std::string& text : {std::string(n, '[') + "](x", std::string(n, '[') + "a](" + std::string(n, 'x'),
                                    std::string(n, '[') + std::string(n, ']') + "(x",
                                    std::string(n, '[') + "a]()" + std::string(n, 'x') + ")", links}) {
        const auto start = std::chrono::steady_clock::now();
        const std::string clean = cleanDisplayText(text);
        // Linear work takes milliseconds here; the quadratic scans take many seconds.
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << text.substr(0, 16);
        EXPECT_EQ(clean, cleanedByRe2(text)) << text.substr(0, 16);
    }
}

} // namespace
} // namespace kavo::screens
