// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/presentation_rules.h"

#include "platform/unicode_text.h"

#include <gtest/gtest.h>
#include <re2/re2.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <chrono>
#include <iterator>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <string_view>

namespace kavo::screens {
namespace {

using namespace std::chrono_literals;
using std::chrono::January;
using std::chrono::March;
using std::chrono::December;

// ---------------------------------------------------------------------------
// Category symbol and colour

struct TitleCase {
    std::string_view title;
    std::string_view icon;
    std::string_view color;
};

void PrintTo(const TitleCase& c, std::ostream* out) { *out << '"' << c.title << '"'; }

class CategoryLook : public testing::TestWithParam<TitleCase> {};

TEST_P(CategoryLook, FollowsTheFirstKeywordFound)
{
    const TitleCase& c = GetParam();
    EXPECT_EQ(iconName(c.title), c.icon);
    EXPECT_EQ(colorName(iconColor(c.title)), c.color);
}

// Each keyword once, upper- or mixed-case and inside other text, so a typo in
// any keyword or a wrong row shows up.
INSTANTIATE_TEST_SUITE_P(EveryKeyword, CategoryLook, testing::Values(
    TitleCase{"Free STREAMS", "play.tv.fill", "red"},
    TitleCase{"Video on demand", "play.tv.fill", "red"},
    TitleCase{"Old Movies", "play.tv.fill", "red"},
    TitleCase{"Short films", "play.tv.fill", "red"},
    TitleCase{"Music Archive", "music.note", "pink"},
    TitleCase{"Audiophile", "music.note", "pink"},
    TitleCase{"E-Books", "book.fill", "green"},
    TitleCase{"Reading List", "book.fill", "green"},
    TitleCase{"Light Novels", "book.fill", "green"},
    TitleCase{"Games", "gamecontroller.fill", "purple"},
    TitleCase{"Retro GAMING", "gamecontroller.fill", "purple"},
    TitleCase{"Anime", "paintbrush.fill", "orange"},
    TitleCase{"Animation Studios", "paintbrush.fill", "orange"},
    TitleCase{"Cartoons", "paintbrush.fill", "orange"},
    TitleCase{"Toolbox", "wrench.fill", "blue"},
    TitleCase{"Software", "wrench.fill", "blue"},
    TitleCase{"Utilities", "wrench.fill", "blue"},
    TitleCase{"Education", "graduationcap.fill", "cyan"},
    TitleCase{"Learning", "graduationcap.fill", "cyan"},
    TitleCase{"Free Courses", "graduationcap.fill", "cyan"},
    TitleCase{"Social Networks", "bubble.left.fill", "teal"},
    TitleCase{"Chat Apps", "bubble.left.fill", "teal"},
    TitleCase{"Communication", "bubble.left.fill", "teal"},
    TitleCase{"Downloads", "arrow.down.circle.fill", "indigo"},
    TitleCase{"Piracy Guides", "arrow.down.circle.fill", "indigo"},
    TitleCase{"Search", "magnifyingglass", "mint"},
    TitleCase{"Engines", "magnifyingglass", "mint"},
    TitleCase{"Android", "iphone", "gray"},
    TitleCase{"iOS", "iphone", "gray"},
    TitleCase{"Mobile", "iphone", "gray"},
    TitleCase{"Windows", "desktopcomputer", "gray"},
    TitleCase{"Mac", "desktopcomputer", "gray"},
    TitleCase{"Linux Distros", "desktopcomputer", "gray"},
    TitleCase{"Emulators", "gamecontroller", "gray"},
    TitleCase{"ROM Sites", "gamecontroller", "gray"}));

// The earlier row wins, whatever the order of the words in the title.
INSTANTIATE_TEST_SUITE_P(RowOrder, CategoryLook, testing::Values(
    TitleCase{"Streaming Sites", "play.tv.fill", "red"},
    TitleCase{"Audio Books", "music.note", "pink"},
    TitleCase{"Books on Audio", "music.note", "pink"},
    TitleCase{"Gaming Tools", "gamecontroller.fill", "purple"},
    TitleCase{"Tools for Gaming", "gamecontroller.fill", "purple"},
    TitleCase{"Android Downloads", "arrow.down.circle.fill", "indigo"},
    TitleCase{"Mobile Piracy", "arrow.down.circle.fill", "indigo"},
    TitleCase{"Mac Games", "gamecontroller.fill", "purple"},
    TitleCase{"ROM Search", "magnifyingglass", "mint"},
    TitleCase{"Linux ROMs", "desktopcomputer", "gray"},
    TitleCase{"Anime Streams", "play.tv.fill", "red"}));

// Plain substrings: short keywords hide inside longer words.
INSTANTIATE_TEST_SUITE_P(Substrings, CategoryLook, testing::Values(
    TitleCase{"Schedule", "graduationcap.fill", "cyan"},
    TitleCase{"Spreadsheets", "book.fill", "green"},
    TitleCase{"Machine Translation", "desktopcomputer", "gray"},
    TitleCase{"Stuff from Friends", "gamecontroller", "gray"},
    TitleCase{"Radio Studios", "iphone", "gray"},
    TitleCase{"Sites", "folder.fill", "gray"},
    TitleCase{"", "folder.fill", "gray"},
    TitleCase{"   ", "folder.fill", "gray"},
    TitleCase{"vid eo", "folder.fill", "gray"}));

// Case is ignored only through full Unicode lowercasing of the title.
INSTANTIATE_TEST_SUITE_P(Unicode, CategoryLook, testing::Values(
    TitleCase{"VIDEO", "play.tv.fill", "red"},
    TitleCase{"video", "play.tv.fill", "red"},
    TitleCase{"ÉCOLE VIDÉO FILMS", "play.tv.fill", "red"},
    TitleCase{"STRAẞE DER MUSIC", "music.note", "pink"},
    TitleCase{"ΣΥΝΑΥΛΊΕΣ AUDIO", "music.note", "pink"},
    TitleCase{"映画 MOVIE", "play.tv.fill", "red"},
    TitleCase{"日本のアニメ", "folder.fill", "gray"},
    // The Kelvin sign lowercases to an ASCII "k".
    TitleCase{"E-BOO\u212A", "book.fill", "green"},
    // Capital I with dot lowercases to "i" plus a combining dot, which splits
    // the keyword; only a simple one-to-one mapping would find "linux".
    TitleCase{"L\u0130NUX", "folder.fill", "gray"},
    TitleCase{"\u0130OS", "folder.fill", "gray"},
    // Accents are not folded away.
    TitleCase{"M\u00DASIC", "folder.fill", "gray"}));

// ---------------------------------------------------------------------------
// "How long ago" label

[[nodiscard]] ReferenceSeconds referenceTime(std::chrono::sys_seconds time)
{
    return static_cast<double>(time.time_since_epoch().count()) - kReferenceDateUnixSeconds;
}

// 2026-01-05 23:30 UTC is already 2026-01-06 08:30 in Tokyo (UTC+9).
const ReferenceSeconds kLateOnJan5 = referenceTime(std::chrono::sys_days{2026y / January / 5} + 23h + 30min);
constexpr double kWeek = 7 * 86400.0;

TEST(RelativeTime, EachBoundaryBelongsToTheCoarserUnit)
{
    // A fractional "now" on purpose: only the difference may count.
    const ReferenceSeconds now = kLateOnJan5 + kWeek + 0.25;
    const struct {
        double offset; // timestamp minus now
        std::string_view label;
    } cases[] = {
        {1e9, "Just now"},
        {1.0, "Just now"},
        {0.0, "Just now"},
        {-59.0, "Just now"},
        {-59.75, "Just now"},
        {-60.0, "1m ago"},
        {-61.0, "1m ago"},
        {-90.0, "1m ago"},
        {-119.75, "1m ago"},
        {-120.0, "2m ago"},
        {-3599.0, "59m ago"},
        {-3599.75, "59m ago"},
        {-3600.0, "1h ago"},
        {-7199.0, "1h ago"},
        {-86340.0, "23h ago"},
        {-86399.0, "23h ago"},
        {-86400.0, "1d ago"},
        {-2 * 86400.0 + 1, "1d ago"},
        {-(6 * 86400.0 + 23 * 3600.0), "6d ago"},
        {-604799.0, "6d ago"},
        {-604799.75, "6d ago"},
        {-604800.0, "Jan 5"},
        {-604800.25, "Jan 5"},
        {-(kWeek + 2 * 86400.0), "Jan 3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(relativeTimeString(now - 0.25 + c.offset, now - 0.25, "en_US", "UTC"), c.label) << c.offset;
        EXPECT_EQ(relativeTimeString(now + c.offset, now, "en_US", "UTC"), c.label) << c.offset;
    }
}

TEST(RelativeTime, DatesFollowLocaleAndTimeZone)
{
    const ReferenceSeconds lateOnMarch14 = referenceTime(std::chrono::sys_days{2026y / March / 14} + 23h + 30min);
    const ReferenceSeconds christmasEve = referenceTime(std::chrono::sys_days{2026y / December / 24} + 12h);
    const ReferenceSeconds earlyOnJan6 = referenceTime(std::chrono::sys_days{2026y / January / 6} + 2h);
    const struct {
        ReferenceSeconds timestamp;
        const char* locale;
        std::string_view zone;
        std::string_view label;
    } cases[] = {
        {kLateOnJan5, "en_US", "UTC", "Jan 5"},
        {kLateOnJan5, "en_US", "Asia/Tokyo", "Jan 6"},
        {earlyOnJan6, "en_US", "UTC", "Jan 6"},
        {earlyOnJan6, "en_US", "America/Los_Angeles", "Jan 5"},
        {christmasEve, "en_US", "UTC", "Dec 24"},
        // German abbreviations: "Jan." with a full stop, "März" spelt out.
        {kLateOnJan5, "de_DE", "UTC", "Jan. 5"},
        {lateOnMarch14, "de_DE", "UTC", "März 14"},
        // Central European winter time is UTC+1, so the evening is already the 15th.
        {lateOnMarch14, "de_DE", "Europe/Berlin", "März 15"},
        {christmasEve, "de_DE", "Europe/Berlin", "Dez. 24"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(relativeTimeString(c.timestamp, c.timestamp + 30 * 86400.0, c.locale, c.zone), c.label)
            << c.locale << ' ' << c.zone;
    }
}

// Sets ICU's process-wide defaults for one test and puts the old ones back.
class IcuDefaults {
public:
    IcuDefaults(const char* locale, const char* zone)
        : savedLocale_(icu::Locale::getDefault()), savedZone_(icu::TimeZone::createDefault())
    {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale(locale), status);
        EXPECT_TRUE(U_SUCCESS(status));
        icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zone)));
    }
    ~IcuDefaults()
    {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(savedLocale_, status);
        icu::TimeZone::adoptDefault(savedZone_.release());
    }
    IcuDefaults(const IcuDefaults&) = delete;
    IcuDefaults& operator=(const IcuDefaults&) = delete;

private:
    icu::Locale savedLocale_;
    std::unique_ptr<icu::TimeZone> savedZone_;
};

TEST(RelativeTime, WithoutExplicitLocaleUsesTheCurrentOne)
{
    const ReferenceSeconds now = kLateOnJan5 + kWeek;
    {
        const IcuDefaults defaults("en_US", "UTC");
        EXPECT_EQ(relativeTimeString(kLateOnJan5, now), "Jan 5");
        EXPECT_EQ(relativeTimeString(now - 3600, now), "1h ago");
        EXPECT_EQ(relativeTimeString(now + 5, now), "Just now");
    }
    {
        const IcuDefaults defaults("en_US", "Asia/Tokyo");
        EXPECT_EQ(relativeTimeString(kLateOnJan5, now), "Jan 6");
    }
    {
        const IcuDefaults defaults("de_DE", "Europe/Berlin");
        EXPECT_EQ(relativeTimeString(kLateOnJan5, now), "Jan. 6");
        EXPECT_EQ(relativeTimeString(now - 2 * 86400.0, now), "2d ago");
    }
}

// ---------------------------------------------------------------------------
// Display text of notes

TEST(CleanDisplayText, ReducesLinksAndDropsAsterisks)
{
    const struct {
        std::string_view text;
        std::string_view clean;
    } cases[] = {
        {"**Note:** see [the wiki](https://example.org/wiki) *now*  ", "Note: see the wiki now"},
        {"[a](b) and [c](d)", "a and c"},
        {"[]()", "[]()"},
        {"* ** ***  *\t", ""},
        {"", ""},
        // Only tabs and space separators are trimmed, line breaks stay.
        {"\n[a](b)\n", "\na\n"},
        {" \t\u3000\u00A0text\u2003 ", "text"},
        {"\u2028text\u0085", "\u2028text\u0085"},
        // Nothing else is Markdown to this step.
        {"![alt](picture)", "!alt"},
        {"_under_ `code` # head", "_under_ `code` # head"},
        {"https://example.org  inner   spaces", "https://example.org  inner   spaces"},
        // Links first, asterisks afterwards.
        {"[*bold*](u)", "bold"},
        {"[**](u)", ""},
        {"*[a](b)*", "a"},
        {"[a]*(b)", "[a](b)"},
        {"[a](*)", "a"},
    };
    for (const auto& c : cases) EXPECT_EQ(cleanDisplayText(c.text), c.clean) << c.text;
}

TEST(CleanDisplayText, FindsLinksTheWayTheirPatternDoes)
{
    const struct {
        std::string_view text;
        std::string_view clean;
    } cases[] = {
        // The target ends at the first ')'.
        {"[Film](https://example.org/Film_(1927))", "Film)"},
        {"[a]([b](c))", "a)"},
        {"[a](b](c)", "a"},
        {"[a](b)(c)", "a(c)"},
        // The label ends at the first ']' and may hold '[' and '('.
        {"[[a](b)", "[a"},
        {"[a [b](c)", "a [b"},
        {"[(a](b)", "(a"},
        {"[a]b](c)", "[a]b](c)"},
        // Both parts may span lines.
        {"[l\nm](t)", "l\nm"},
        {"[x](\n)", "x"},
        // Empty or unfinished parts: no link, the text stays.
        {"[](x)", "[](x)"},
        {"[a]()", "[a]()"},
        {"[a](b", "[a](b"},
        {"[a] (b)", "[a] (b)"},
        {"[a]", "[a]"},
        // A failed start hands over to the next '['.
        {"[][a](b)", "[]a"},
        {"[a]()[b](c)", "[a]()b"},
        {"[x [a](b) [c](d)", "x [a c"},
        {"é[ü](ß)ä", "éüä"},
    };
    for (const auto& c : cases) EXPECT_EQ(cleanDisplayText(c.text), c.clean) << c.text;
}

// The three replacements run by a regular-expression engine, then the trim.
// Latin-1 mode makes RE2 read bytes, which for these ASCII-only patterns is
// the same as reading UTF-8 characters.
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
    ASSERT_EQ(cleanedByRe2("**x** [a](b) "), "x a");
    std::mt19937 random(20260105);
    const std::string_view alphabet[] = {"[", "]", "(", ")", "*", "a", " ", "\t", "\n", "é", "](", "**", "\u3000"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    std::uniform_int_distribution<int> length(0, 24);
    int failures = 0;
    for (int round = 0; round < 100000 && failures < 10; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n) text += alphabet[pick(random)];
        const std::string expected = cleanedByRe2(text);
        const std::string actual = cleanDisplayText(text);
        if (actual != expected) {
            ++failures;
            ADD_FAILURE() << "text: \"" << text << "\"\nexpected: \"" << expected << "\"\nactual: \"" << actual
                          << '"';
        }
    }
}

TEST(CleanDisplayText, StaysLinearOnHostileText)
{
    // Every '[' of a long run shares one ']' and one missing or empty target:
    // a scan that looked again from each '[' would read about n * n / 2 bytes.
    const std::size_t n = 1'000'000;
    const auto repeated = [](std::string_view piece, std::size_t times) {
        std::string text;
        text.reserve(piece.size() * times);
        for (std::size_t i = 0; i < times; ++i) text += piece;
        return text;
    };
    const std::string texts[] = {
        std::string(n, '[') + "](x",
        std::string(n, '[') + "a](" + std::string(n, 'x'),
        std::string(n, '[') + std::string(n, 'a') + "](x",
        std::string(n, '[') + std::string(n, ']') + "(x",
        std::string(n, '[') + "a]()" + std::string(n, 'x') + ")",
        repeated("[a](", n / 4),
        repeated("[a](b) ", n / 7),
        std::string(n, '*'),
    };
    for (const std::string& text : texts) {
        const auto start = std::chrono::steady_clock::now();
        const std::string clean = cleanDisplayText(text);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        // Linear work takes milliseconds here; the quadratic scans take many seconds.
        EXPECT_LT(elapsed, 2s) << text.substr(0, 16);
        EXPECT_EQ(clean, cleanedByRe2(text)) << text.substr(0, 16);
    }
}

} // namespace
} // namespace kavo::screens
