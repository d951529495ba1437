// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"

#include <string>
#include <string_view>

// How catalogue text is drawn: a category's symbol and tile colour, the
// "how long ago" label of a history row, and plain display text from a note.
// Pure functions, no toolkit.
namespace kavo::screens {

/// The named colours a category tile can have.
enum class NamedColor { red, pink, green, purple, orange, blue, cyan, teal, indigo, mint, gray };

[[nodiscard]] std::string_view colorName(NamedColor color);

/// The symbol for a category title, by the first keyword found in the
/// lowercased title; "folder.fill" when none is.
[[nodiscard]] std::string_view iconName(std::string_view title);

/// The tile colour for a category title, by the same kind of table; gray when no keyword is found.
[[nodiscard]] NamedColor iconColor(std::string_view title);

/// How long ago a moment was, as a history row tells it: which unit, how
/// many whole ones, or for a week or more the date itself. The words around
/// the count are the screens' to choose, in the user's language.
struct RelativeTime {
    enum class Unit { justNow, minutes, hours, days, date };
    Unit unit = Unit::justNow;
    long long count = 0; ///< whole minutes, hours or days, at least 1; 0 otherwise
    std::string date;    ///< "MMM d" in the locale and time zone asked for; only for `date`
};

/// The unit and count for `timestamp` seen at `now`; the date in the current
/// locale and time zone.
[[nodiscard]] RelativeTime relativeTime(ReferenceSeconds timestamp, ReferenceSeconds now);

/// The same with an explicit locale (ICU name, e.g. "en_US") and time zone (e.g. "UTC"), for tests.
[[nodiscard]] RelativeTime relativeTime(ReferenceSeconds timestamp, ReferenceSeconds now, const char* locale,
                                        std::string_view timeZone);

/// The English label: "Just now", "5m ago", "3h ago", "2d ago", or the date.
[[nodiscard]] std::string englishText(const RelativeTime& time);

/// englishText() of relativeTime(): the label without a translation.
[[nodiscard]] std::string relativeTimeString(ReferenceSeconds timestamp, ReferenceSeconds now);
[[nodiscard]] std::string relativeTimeString(ReferenceSeconds timestamp, ReferenceSeconds now, const char* locale,
                                             std::string_view timeZone);

/// Markdown links reduced to their text, every asterisk removed, then tabs
/// and space separators trimmed from both ends. Linear time.
[[nodiscard]] std::string cleanDisplayText(std::string_view text);

} // namespace kavo::screens
