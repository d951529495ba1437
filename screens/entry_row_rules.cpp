// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/entry_row_rules.h"

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

std::vector<MenuItem> contextMenu(bool isFavorite)
{
    using Action = MenuItem::Action;
    return {
        {"Open", "arrow.up.forward.app", Action::Open},
        {"Copy URL", "doc.on.doc", Action::CopyUrl},
        {"Share", "square.and.arrow.up", Action::Share},
        {"", "", Action::None},
        isFavorite ? MenuItem{"Remove from Favorites", "star.slash", Action::ToggleFavorite}
                   : MenuItem{"Add to Favorites", "star", Action::ToggleFavorite},
    };
}

} // namespace kavo::screens
