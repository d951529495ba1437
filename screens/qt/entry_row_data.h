// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <QByteArray>
#include <QVariant>

namespace kavo {

/// What an entry row shows. Every model that lists entries (a category's
/// rows, the "New" rows of the main list) offers these under the same role
/// names, so that one delegate, EntryRowView, draws them all.
enum class EntryField {
    Name,             ///< "name"
    Url,              ///< "url"
    Description,      ///< "descriptionText": styled text, "" when there is none
    HasDescription,   ///< "hasDescription"
    PlainDescription, ///< "plainDescription": for assistive technology
    Badge,            ///< "badge": the raw value ("star", "globe", "arrow", "none")
    BadgeSymbol,      ///< "badgeSymbol": of the leading icon, "" for none
    BadgeColor,       ///< "badgeColor": named colour of the leading icon
    Accessory,        ///< "accessory": "menu", "star" or "chevron"
    IsFavorite,       ///< "isFavorite"
    IsNew,            ///< "isNew": first seen in the last seven days, not marked as seen
    RelatedNames,     ///< "relatedNames": of the further links, in order
    RelatedUrls,      ///< "relatedUrls"
};

[[nodiscard]] QByteArray entryFieldName(EntryField field);
[[nodiscard]] QVariant entryFieldData(const KVEntry& entry, bool isFavorite, bool isNew, EntryField field);

} // namespace kavo
