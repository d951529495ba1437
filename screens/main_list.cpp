// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/main_list.h"

#include "platform/unicode_text.h"
#include "screens/category_order.h"
#include "screens/list_diff.h"

#include <algorithm>

namespace kavo::screens {

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
    auto header = [&list](MainRowKind section) {
        list.rows.push_back({MainRowKind::SectionHeader, static_cast<std::size_t>(section)});
    };
    if (!searching) {
        if (state.fresh != nullptr && !state.fresh->newest.empty()) {
            header(MainRowKind::New);
            list.newCount = state.fresh->newest.size();
            list.newRows.assign(state.fresh->newest.begin(), state.fresh->newest.begin() + std::min(list.newCount, kNewRows));
            for (std::size_t i = 0; i < list.newRows.size(); ++i) list.rows.push_back({MainRowKind::New, i});
        }
        if (state.historyCount > 0) header(MainRowKind::History);
        for (std::size_t i = 0; i < std::min(state.historyCount, kHistoryRows); ++i) {
            list.rows.push_back({MainRowKind::History, i});
        }
        if (state.favoriteCount > 0) header(MainRowKind::Favorite);
        for (std::size_t i = 0; i < std::min(state.favoriteCount, kFavoriteRows); ++i) {
            list.rows.push_back({MainRowKind::Favorite, i});
        }
    }

    // Categories and links are searched separately, each keeping its own order.
    std::vector<std::uint8_t> matches;
    if (searching) matches = state.index->matches(text::toLower(state.searchText));
    auto addCategories = [&](const std::vector<const KVCategory*>& source, MainRowKind kind) {
        const std::size_t headerAt = list.rows.size();
        if (!searching) {
            if (!source.empty()) header(kind);
            for (const KVCategory* category : source) {
                list.rows.push_back({kind, list.categories.size()});
                const std::size_t fresh = state.fresh ? state.fresh->countIn(category) : 0;
                list.categories.push_back({category, CategoryRow::npos, entryCount(*category), fresh});
            }
            return;
        }
        for (FilteredCategory& filtered : state.index->filter(source, matches)) {
            if (list.rows.size() == headerAt) header(kind);
            list.rows.push_back({kind, list.categories.size()});
            list.categories.push_back({filtered.source, list.filtered.size(), filtered.entryCount()});
            list.filtered.push_back(std::move(filtered));
        }
    };
    addCategories(*state.categories, MainRowKind::Category);
    addCategories(*state.links, MainRowKind::Link);

    // A search that finds nothing says so, unless the catalogue is still on
    // its way (the loading row says that); without a search, an empty
    // catalogue that nothing is loading says so.
    if (searching && list.categories.empty() && !(state.isLoading && catalogueEmpty)) {
        list.rows.push_back({MainRowKind::NoResults});
    } else if (!searching && !state.isLoading && catalogueEmpty) {
        list.rows.push_back({MainRowKind::Empty});
    }
    return list;
}

std::vector<std::string> rowKeys(const MainList& list, std::span<const HistoryEntry> history,
                                 std::span<const FavoriteEntry> favorites)
{
    std::vector<std::string> keys;
    keys.reserve(list.rows.size());
    RowKeyNumbering numbering;
    for (const MainRow& row : list.rows) {
        // Kind, then what names the item; a link category by the length of
        // its title, the title and the link, so no two pairs read alike.
        std::string item;
        switch (row.kind) {
        case MainRowKind::History: item = history[row.index].url.text(); break;
        case MainRowKind::Favorite: item = favorites[row.index].url.text(); break;
        case MainRowKind::New: item = list.newRows[row.index].entry->url.text(); break;
        case MainRowKind::Category: item = list.categories[row.index].category->title; break;
        case MainRowKind::Link: {
            const KVCategory& category = *list.categories[row.index].category;
            item = std::to_string(category.title.size()) + ':' + category.title + category.url->text();
            break;
        }
        case MainRowKind::SectionHeader: item = std::to_string(row.index); break;
        default: break;
        }
        keys.push_back(numbering.key(std::to_string(static_cast<int>(row.kind)) + ':' + item));
    }
    return keys;
}

} // namespace kavo::screens
