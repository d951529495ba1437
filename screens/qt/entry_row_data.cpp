// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/entry_row_data.h"

#include "screens/description_markup.h"
#include "screens/entry_row_rules.h"
#include "screens/qt/shown_text.h"

#include <QStringList>

namespace kavo {

QByteArray entryFieldName(EntryField field)
{
    static const char* const kNames[] = {"name",        "url",         "descriptionText", "hasDescription", "plainDescription",
                                         "badge",       "badgeSymbol", "badgeColor",      "accessory",      "isFavorite",
                                         "isNew",       "relatedNames", "relatedUrls"};
    return kNames[static_cast<int>(field)];
}

QVariant entryFieldData(const KVEntry& entry, bool isFavorite, bool isNew, EntryField field)
{
    using F = EntryField;
    switch (field) {
    case F::Name: return shownText(entry.name);
    case F::Url: return QString::fromStdString(entry.url.text());
    case F::Description:
    case F::HasDescription: {
        std::optional<std::string> styled;
        if (entry.description) styled = screens::descriptionStyledText(*entry.description);
        if (field == F::HasDescription) return styled.has_value();
        return styled ? QString::fromStdString(*styled) : QString();
    }
    case F::PlainDescription:
        return entry.description
                   ? shownText(screens::plainDescription(text::leadingCharacters(*entry.description, kShownTextLimit)))
                   : QString();
    case F::Badge: return fromUtf8(rawValue(entry.badge));
    case F::BadgeSymbol: return fromUtf8(screens::badgeIcon(entry.badge).symbol);
    case F::BadgeColor: return fromUtf8(screens::badgeIcon(entry.badge).color);
    case F::Accessory:
        switch (screens::trailingAccessory(entry, isFavorite)) {
        case screens::TrailingAccessory::RelatedLinksMenu: return QStringLiteral("menu");
        case screens::TrailingAccessory::FavoriteStar: return QStringLiteral("star");
        case screens::TrailingAccessory::Chevron: return QStringLiteral("chevron");
        }
        return {};
    case F::IsFavorite: return isFavorite;
    case F::IsNew: return isNew;
    case F::RelatedNames:
    case F::RelatedUrls: {
        QStringList values;
        for (const KVLink& link : entry.relatedLinks) {
            values << (field == F::RelatedNames ? shownText(link.name) : QString::fromStdString(link.url.text()));
        }
        return values;
    }
    }
    return {};
}

} // namespace kavo
