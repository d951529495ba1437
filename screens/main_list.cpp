// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/main_list.h"

#include "platform/unicode_text.h"
#include "screens/category_order.h"

#include <algorithm>

namespace kavo::screens {

std::string_view sectionTitle(MainRowKind kind)
{
    switch (kind) {
    case MainRowKind::History: return "Recently Viewed";
    case MainRowKind::Favorite: return "Favorites";
    case MainRowKind::Category: return "Categories";
    case MainRowKind::Link: return "Links";
    default: return "";
    }
}

KVCategory MainList::categoryFor(const MainRow& row) const
{
    const CategoryRow& category = categories.at(row.index);
    if (category.filtered != CategoryRow::npos) return filtered[category.filtered].materialize();
    return *category.category;
}

MainList buildMainList(const MainListState& state)
{
    MainList list;
    const bool catalogueEmpty = state.catalogue->empty();
    const bool searching = !state.searchText.empty();

    if (state.isLoading && catalogueEmpty) list.rows.push_back({MainRowKind::Loading});
    if (state.hasError) list.rows.push_back({MainRowKind::Error});
    if (!searching) {
        for (std::size_t i = 0; i < std::min(state.historyCount, kHistoryRows); ++i) {
            list.rows.push_back({MainRowKind::History, i});
        }
        for (std::size_t i = 0; i < std::min(state.favoriteCount, kFavoriteRows); ++i) {
            list.rows.push_back({MainRowKind::Favorite, i});
        }
    }

    // Categories and links are searched separately, each keeping its own order.
    std::vector<std::uint8_t> matches;
    if (searching) matches = state.index->matches(text::toLower(state.searchText));
    auto addCategories = [&](const std::vector<const KVCategory*>& source, MainRowKind kind) {
        if (!searching) {
            for (const KVCategory* category : source) {
                list.rows.push_back({kind, list.categories.size()});
                list.categories.push_back({category, CategoryRow::npos, entryCount(*category)});
            }
            return;
        }
        for (FilteredCategory& filtered : state.index->filter(source, matches)) {
            list.rows.push_back({kind, list.categories.size()});
            list.categories.push_back({filtered.source, list.filtered.size(), filtered.entryCount()});
            list.filtered.push_back(std::move(filtered));
        }
    };
    addCategories(*state.categories, MainRowKind::Category);
    addCategories(*state.links, MainRowKind::Link);

    // These two speak of the whole catalogue, not of the search result.
    if (!state.isLoading && catalogueEmpty) list.rows.push_back({searching ? MainRowKind::NoResults : MainRowKind::Empty});
    return list;
}

} // namespace kavo::screens
