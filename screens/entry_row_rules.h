// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

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

/// One item of an entry's context menu; an empty label is the divider.
struct MenuItem {
    enum class Action { Open, CopyUrl, Share, None, ToggleFavorite };
    std::string_view label;
    std::string_view symbol;
    Action action;
};
[[nodiscard]] std::vector<MenuItem> contextMenu(bool isFavorite);

} // namespace kavo::screens
