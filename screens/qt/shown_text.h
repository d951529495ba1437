// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/unicode_text.h"
#include "screens/presentation_rules.h"

#include <QString>

#include <string_view>

namespace kavo {

/// How much of a name, title or note a label is given, in bytes. A row shows
/// a line or two of it, while the label's layout time and memory grow with
/// the whole text: a page may hold a name of megabytes.
inline constexpr std::size_t kShownTextLimit = 4096;

[[nodiscard]] inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// Up to kShownTextLimit bytes of `text`, ended where a character ends.
[[nodiscard]] inline QString shownText(std::string_view text)
{
    return fromUtf8(text::leadingCharacters(text, kShownTextLimit));
}

/// A note as a row shows it: cleaned, and bounded before and after (the
/// cleaning is linear, but need not see more than is shown).
[[nodiscard]] inline QString shownNote(std::string_view note)
{
    return shownText(screens::cleanDisplayText(text::leadingCharacters(note, kShownTextLimit)));
}

} // namespace kavo
