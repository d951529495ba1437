// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kavo-catalog/commands.h"
#include "tools/kavo-catalog/tool_io.h"

#include "catalog/catalog_json.h"
#include "screens/category_order.h"
#include "screens/main_list.h"
#include "screens/search_index.h"

#include <cstdio>

namespace kavo::tool {

/*
 * The lists come from the main screen's own derivation (buildMainList): the
 * catalogue sorted by title, split into plain and link categories, and each
 * list searched on its own. So the tool answers what the screen would show
 * for the same catalogue, query and locale, down to the new identity that a
 * search gives each category it keeps.
 */
int searchCommand(const std::string& path, const std::string& query)
{
    const std::optional<LoadedCatalogue> loaded = loadPageOrCache(path);
    if (!loaded) return 1;
    const std::vector<const KVCategory*> sorted = screens::sortedCategories(loaded->categories);
    const screens::SplitCategories split = screens::splitLinkCategories(sorted);
    const screens::SearchIndex index(loaded->categories);

    screens::MainListState state;
    state.catalogue = &loaded->categories;
    state.categories = &split.categories;
    state.links = &split.links;
    state.index = &index;
    state.searchText = query;
    const screens::MainList list = screens::buildMainList(state);

    std::vector<KVCategory> categories;
    std::vector<KVCategory> links;
    for (const screens::MainRow& row : list.rows) {
        if (row.kind == screens::MainRowKind::Category) categories.push_back(list.categoryFor(row));
        if (row.kind == screens::MainRowKind::Link) links.push_back(list.categoryFor(row));
    }

    const bool written = std::fputs("{\"categories\":", stdout) >= 0 && writeCategories(categories, stdout) &&
                         std::fputs(",\"links\":", stdout) >= 0 && writeCategories(links, stdout) &&
                         std::fputs("}", stdout) >= 0 && std::fflush(stdout) == 0;
    if (written) return 0;
    std::fprintf(stderr, "kavo-catalog: writing the output failed\n");
    return 1;
}

} // namespace kavo::tool
