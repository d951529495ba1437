// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/presentation_rules.h"

#include "platform/unicode_text.h"

#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <utility>

namespace kavo::screens {
namespace {

template <typename Result>
struct KeywordRule {
    std::string_view keyword;
    Result result;
};

// One line per table row. Rows are tried top to bottom and keywords left to
// right, so a flat list in reading order decides exactly as the rows do.
constexpr KeywordRule<std::string_view> kIconRules[] = {
    {"stream", "play.tv.fill"}, {"video", "play.tv.fill"}, {"movie", "play.tv.fill"}, {"film", "play.tv.fill"},
    {"music", "music.note"}, {"audio", "music.note"},
    {"book", "book.fill"}, {"read", "book.fill"}, {"novel", "book.fill"},
    {"game", "gamecontroller.fill"}, {"gaming", "gamecontroller.fill"},
    {"anime", "paintbrush.fill"}, {"animation", "paintbrush.fill"}, {"cartoon", "paintbrush.fill"},
    {"tool", "wrench.fill"}, {"soft", "wrench.fill"}, {"util", "wrench.fill"},
    {"edu", "graduationcap.fill"}, {"learn", "graduationcap.fill"}, {"course", "graduationcap.fill"},
    {"social", "bubble.left.fill"}, {"chat", "bubble.left.fill"}, {"communic", "bubble.left.fill"},
    {"download", "arrow.down.circle.fill"}, {"piracy", "arrow.down.circle.fill"},
    {"search", "magnifyingglass"}, {"engine", "magnifyingglass"},
    {"android", "iphone"}, {"ios", "iphone"}, {"mobile", "iphone"},
    {"windows", "desktopcomputer"}, {"mac", "desktopcomputer"}, {"linux", "desktopcomputer"},
    {"emulat", "gamecontroller"}, {"rom", "gamecontroller"},
};

// Platform and emulator titles deliberately have no colour of their own and
// stay gray.
constexpr KeywordRule<NamedColor> kColorRules[] = {
    {"stream", NamedColor::red}, {"video", NamedColor::red}, {"movie", NamedColor::red}, {"film", NamedColor::red},
    {"music", NamedColor::pink}, {"audio", NamedColor::pink},
    {"book", NamedColor::green}, {"read", NamedColor::green}, {"novel", NamedColor::green},
    {"game", NamedColor::purple}, {"gaming", NamedColor::purple},
    {"anime", NamedColor::orange}, {"animation", NamedColor::orange}, {"cartoon", NamedColor::orange},
    {"tool", NamedColor::blue}, {"soft", NamedColor::blue}, {"util", NamedColor::blue},
    {"edu", NamedColor::cyan}, {"learn", NamedColor::cyan}, {"course", NamedColor::cyan},
    {"social", NamedColor::teal}, {"chat", NamedColor::teal}, {"communic", NamedColor::teal},
    {"download", NamedColor::indigo}, {"piracy", NamedColor::indigo},
    {"search", NamedColor::mint}, {"engine", NamedColor::mint},
};

// Plain byte substrings of the fully lowercased title: no word boundaries and
// no folding beyond case, so "edu" deliberately matches inside "schedule".
template <typename Result, std::size_t N>
[[nodiscard]] Result firstMatch(std::string_view title, const KeywordRule<Result> (&rules)[N], Result fallback)
{
    const std::string lowered = text::toLower(title);
    const auto found = std::find_if(std::begin(rules), std::end(rules), [&lowered](const KeywordRule<Result>& rule) {
        return lowered.find(rule.keyword) != std::string::npos;
    });
    return found == std::end(rules) ? fallback : found->result;
}

constexpr double kMinute = 60.0;
constexpr double kHour = 3600.0;
constexpr double kDay = 86400.0;
constexpr double kWeek = 604800.0;

// A formatter per call: the locale or zone may have changed since the last row
// was drawn, and the date branch is only reached for old entries.
[[nodiscard]] std::string formatMonthDay(ReferenceSeconds timestamp, const icu::Locale& locale,
                                         std::unique_ptr<icu::TimeZone> zone)
{
    UErrorCode status = U_ZERO_ERROR;
    icu::SimpleDateFormat format(icu::UnicodeString(u"MMM d"), locale, status);
    // Only missing ICU data gets here; an empty label beats a wrong one.
    if (U_FAILURE(status) || !zone) return {};
    format.adoptTimeZone(zone.release());
    icu::UnicodeString formatted;
    format.format((timestamp + kReferenceDateUnixSeconds) * 1000.0, formatted);
    std::string result;
    formatted.toUTF8String(result);
    return result;
}

// Everything short of a week; nothing when the date is to be shown instead.
// Strict comparisons, so that each boundary lands in the coarser unit; the
// elapsed time is then at least one unit, so each count is at least 1.
[[nodiscard]] std::optional<RelativeTime> shortSpan(ReferenceSeconds timestamp, ReferenceSeconds now)
{
    using Unit = RelativeTime::Unit;
    const double offset = timestamp - now;
    const auto whole = [offset](Unit unit, double length) {
        return RelativeTime{unit, static_cast<long long>(-offset / length), {}};
    };
    if (offset > -kMinute) return RelativeTime{};
    if (offset > -kHour) return whole(Unit::minutes, kMinute);
    if (offset > -kDay) return whole(Unit::hours, kHour);
    if (offset > -kWeek) return whole(Unit::days, kDay);
    return std::nullopt;
}

[[nodiscard]] RelativeTime onDate(std::string date)
{
    return RelativeTime{RelativeTime::Unit::date, 0, std::move(date)};
}

// Markdown links "[label](target)" reduced to their labels, with the matches
// a leftmost-first regex engine would find: at a '[' the label runs to the
// first ']' after it and must not be empty, "](" must follow at once, and the
// target runs to the first ')' after that and must not be empty either. A
// failed start hands over to the next '['; a match resumes after its ')'.
// Linear however the brackets are arranged: the first ']' is remembered for
// all the starts that share it, and a search for ')' either ends the scan,
// stops at once on an empty target, or crosses only text the match consumes.
// The delimiters are ASCII, so working on bytes is the same as working on
// UTF-8 characters.
[[nodiscard]] std::string replaceLinksByLabels(std::string_view text)
{
    constexpr auto none = std::string_view::npos;
    std::string result;
    result.reserve(text.size());
    std::size_t copied = 0;
    std::size_t labelEnd = 0; // the first ']' after the latest start
    std::size_t start = text.find('[');
    while (start != none) {
        if (labelEnd <= start) labelEnd = text.find(']', start + 1);
        // No ']' left means no later start can match either.
        if (labelEnd == none) break;
        const std::size_t targetBegin = labelEnd + 2;
        const bool hasLabel = labelEnd > start + 1;
        if (hasLabel && targetBegin <= text.size() && text[labelEnd + 1] == '(') {
            const std::size_t targetEnd = text.find(')', targetBegin);
            // Later starts meet this ']' or one further on, with no ')' after it.
            if (targetEnd == none) break;
            if (targetEnd > targetBegin) {
                result.append(text.substr(copied, start - copied));
                result.append(text.substr(start + 1, labelEnd - start - 1));
                copied = targetEnd + 1;
                start = text.find('[', copied);
                continue;
            }
        }
        start = text.find('[', start + 1);
    }
    result.append(text.substr(copied));
    return result;
}

} // namespace

std::string_view colorName(NamedColor color)
{
    switch (color) {
    case NamedColor::red: return "red";
    case NamedColor::pink: return "pink";
    case NamedColor::green: return "green";
    case NamedColor::purple: return "purple";
    case NamedColor::orange: return "orange";
    case NamedColor::blue: return "blue";
    case NamedColor::cyan: return "cyan";
    case NamedColor::teal: return "teal";
    case NamedColor::indigo: return "indigo";
    case NamedColor::mint: return "mint";
    case NamedColor::gray: return "gray";
    }
    // A value cast in from outside the enumeration draws like an unmatched title.
    return "gray";
}

std::string_view iconName(std::string_view title)
{
    return firstMatch(title, kIconRules, std::string_view("folder.fill"));
}

NamedColor iconColor(std::string_view title)
{
    return firstMatch(title, kColorRules, NamedColor::gray);
}

RelativeTime relativeTime(ReferenceSeconds timestamp, ReferenceSeconds now)
{
    if (auto span = shortSpan(timestamp, now)) return std::move(*span);
    return onDate(formatMonthDay(timestamp, icu::Locale::getDefault(),
                                 std::unique_ptr<icu::TimeZone>(icu::TimeZone::createDefault())));
}

RelativeTime relativeTime(ReferenceSeconds timestamp, ReferenceSeconds now, const char* locale,
                          std::string_view timeZone)
{
    if (auto span = shortSpan(timestamp, now)) return std::move(*span);
    const auto zoneId =
        icu::UnicodeString::fromUTF8(icu::StringPiece(timeZone.data(), static_cast<std::int32_t>(timeZone.size())));
    return onDate(formatMonthDay(timestamp, icu::Locale(locale),
                                 std::unique_ptr<icu::TimeZone>(icu::TimeZone::createTimeZone(zoneId))));
}

std::string englishText(const RelativeTime& time)
{
    using Unit = RelativeTime::Unit;
    switch (time.unit) {
    case Unit::justNow: return "Just now";
    case Unit::minutes: return std::to_string(time.count) + "m ago";
    case Unit::hours: return std::to_string(time.count) + "h ago";
    case Unit::days: return std::to_string(time.count) + "d ago";
    case Unit::date: return time.date;
    }
    return time.date;
}

std::string relativeTimeString(ReferenceSeconds timestamp, ReferenceSeconds now)
{
    return englishText(relativeTime(timestamp, now));
}

std::string relativeTimeString(ReferenceSeconds timestamp, ReferenceSeconds now, const char* locale,
                               std::string_view timeZone)
{
    return englishText(relativeTime(timestamp, now, locale, timeZone));
}

std::string cleanDisplayText(std::string_view text)
{
    std::string withoutLinks = replaceLinksByLabels(text);
    // Removing "**" pairs and then single asterisks leaves no asterisk at all.
    std::erase(withoutLinks, '*');
    return std::string(text::trim(withoutLinks));
}

} // namespace kavo::screens
