// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/personal_records.h"
#include "catalog/records.h"
#include "screens/new_entries.h"
#include "screens/search_index.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo::screens {

/// The main screen's rows, top to bottom; each kind appears only under its condition.
enum class MainRowKind {
    Loading,   ///< nothing to show yet and a load is running
    Error,     ///< the data service has a message
    History,   ///< "Recently Viewed", at most 5, only without a search
    Favorite,  ///< "Favorites", at most 10, only without a search
    Category,  ///< "Categories": categories without a link
    Link,      ///< "Links": categories whose heading is a link
    NoResults, ///< a search that finds nothing, unless the loading row shows
    Empty,     ///< empty catalogue and no search
    /// The header of a section ("New", "Recently Viewed", "Favorites",
    /// "Categories", "Links"), a row of its own before the section's first
    /// row: a view told of a row that comes or goes at the top of a section
    /// then moves no header from one row to another, and keeps its place.
    SectionHeader,
    /// "New", above "Recently Viewed": the newest new entries, at most 10,
    /// only without a search; its header counts them all.
    New,
};

inline constexpr std::size_t kNewRows = 10;
inline constexpr std::size_t kHistoryRows = 5;
inline constexpr std::size_t kFavoriteRows = 10;

/// One category as a row shows it: the whole category, or its search result.
struct CategoryRow {
    const KVCategory* category = nullptr;
    std::vector<FilteredCategory>::size_type filtered = npos; ///< index into MainList::filtered, or npos
    std::size_t entryCount = 0;
    std::size_t newCount = 0; ///< how many of its links are new (none shown while searching)

    static constexpr auto npos = static_cast<std::vector<FilteredCategory>::size_type>(-1);
};

struct MainRow {
    MainRowKind kind;
    /// Into the history, favourites or category rows, by kind; for a section
    /// header, the kind of its section's rows.
    std::size_t index = 0;
};

/// Everything the main screen lists for one state of the services and the search text.
struct MainList {
    std::vector<MainRow> rows;
    std::vector<CategoryRow> categories; ///< "Categories", then "Links" (see MainRow::index)
    std::vector<FilteredCategory> filtered;
    std::vector<LinkedEntry> newRows; ///< what the "New" rows show (see MainRow::index)
    std::size_t newCount = 0;         ///< every new entry, shown or not

    /// The category to open for a category or link row: the search's copy when searching.
    [[nodiscard]] KVCategory categoryFor(const MainRow& row) const;
};

/// What the main screen's rows depend on.
struct MainListState {
    const std::vector<KVCategory>* catalogue = nullptr;
    /// The catalogue sorted and split, and its search index (rebuilt only when the catalogue changes).
    const std::vector<const KVCategory*>* categories = nullptr;
    const std::vector<const KVCategory*>* links = nullptr;
    const SearchIndex* index = nullptr;
    bool isLoading = false;
    bool hasError = false;
    std::size_t historyCount = 0;
    std::size_t favoriteCount = 0;
    const NewEntries* fresh = nullptr; ///< nothing: nothing is new
    std::string_view searchText;
};

[[nodiscard]] MainList buildMainList(const MainListState& state);

/// A name for each row that stays with its item while the services change,
/// so that a view can be told which rows came, went or moved: a history or
/// favourite or new row is its link, a category row its title (and link, for a link
/// category). Identifiers are not used: every parse makes new ones, and a
/// refresh would otherwise replace every row. Repeats (a file that lists a
/// link twice, two categories of one title) are numbered, so keys are unique.
[[nodiscard]] std::vector<std::string> rowKeys(const MainList& list, std::span<const HistoryEntry> history,
                                               std::span<const FavoriteEntry> favorites);

} // namespace kavo::screens
