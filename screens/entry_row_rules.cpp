// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/entry_row_rules.h"

#include "screens/presentation_rules.h"

namespace kavo::screens {

BadgeIcon badgeIcon(KVBadge badge)
{
    switch (badge) {
    case KVBadge::star: return {"star.fill", "orange"};
    case KVBadge::globe: return {"globe", "blue"};
    case KVBadge::arrow: return {"arrow.turn.right", "secondary"};
    case KVBadge::none: break;
    }
    return {"", ""};
}

TrailingAccessory trailingAccessory(const KVEntry& entry, bool isFavorite)
{
    if (!entry.relatedLinks.empty()) return TrailingAccessory::RelatedLinksMenu;
    return isFavorite ? TrailingAccessory::FavoriteStar : TrailingAccessory::Chevron;
}

std::string plainDescription(std::string_view markdown)
{
    constexpr std::size_t kLimit = 4096;
    if (markdown.size() > kLimit) {
        std::size_t cut = kLimit;
        while (cut > 0 && (static_cast<unsigned char>(markdown[cut]) & 0xC0) == 0x80) --cut; // not inside a character
        markdown = markdown.substr(0, cut);
    }
    return cleanDisplayText(markdown);
}

} // namespace kavo::screens
