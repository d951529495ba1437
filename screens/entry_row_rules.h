// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <string>
#include <string_view>
#include <vector>

namespace kavo::screens {

/// The leading icon of an entry row; an empty symbol means no icon (and no gap).
struct BadgeIcon {
    std::string_view symbol;
    std::string_view color; ///< a named colour, or "secondary"
};
[[nodiscard]] BadgeIcon badgeIcon(KVBadge badge);

/// What sits at the trailing end of an entry row.
enum class TrailingAccessory {
    RelatedLinksMenu, ///< "ellipsis": the entry has related links (even when a favourite)
    FavoriteStar,     ///< "star.fill" in yellow
    Chevron,          ///< "chevron.right"
};
[[nodiscard]] TrailingAccessory trailingAccessory(const KVEntry& entry, bool isFavorite);

/// An entry's description as plain text for assistive technology: links
/// read as their labels, no emphasis marks, and no longer than a row could
/// ever show (a description can be megabytes long).
[[nodiscard]] std::string plainDescription(std::string_view markdown);

} // namespace kavo::screens
