// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/new_entries.h"

#include <algorithm>

namespace kavo::screens {

std::size_t NewEntries::countIn(const KVCategory* category) const
{
    const auto found = std::find_if(perCategory.begin(), perCategory.end(),
                                    [category](const auto& counted) { return counted.first == category; });
    return found == perCategory.end() ? 0 : found->second;
}

NewEntries newEntries(const std::vector<KVCategory>& catalogue, const SeenLinks& seen, ReferenceSeconds now)
{
    NewEntries fresh;
    if (!seen.anyNew(now)) return fresh;
    // Every new entry where it stands, with its link's date; then each link
    // once, and each category's links once (a link may stand in several).
    struct Found {
        LinkedEntry linked;
        ReferenceSeconds since;
        std::size_t position; ///< in page order
    };
    std::vector<Found> found;
    const auto look = [&](const KVEntry& entry, const KVCategory& category) {
        const std::uint64_t key = linkKey(entry.url.text());
        if (const auto since = seen.newSince(key, now)) found.push_back({{key, &entry, &category}, *since, found.size()});
    };
    forEachEntry(catalogue, look);

    std::vector<Found> byCategory = found;
    std::sort(byCategory.begin(), byCategory.end(), [](const Found& a, const Found& b) {
        return std::pair(a.linked.category, a.linked.key) < std::pair(b.linked.category, b.linked.key);
    });
    for (std::size_t i = 0; i < byCategory.size(); ++i) {
        const Found& f = byCategory[i];
        if (i > 0 && byCategory[i - 1].linked.category == f.linked.category && byCategory[i - 1].linked.key == f.linked.key) {
            continue;
        }
        if (fresh.perCategory.empty() || fresh.perCategory.back().first != f.linked.category) {
            fresh.perCategory.emplace_back(f.linked.category, 0);
        }
        ++fresh.perCategory.back().second;
    }

    // A link's first entry stands for it; then the newest first, ties in page order.
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.linked.key < b.linked.key; });
    found.erase(std::unique(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.linked.key == b.linked.key; }),
                found.end());
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.since != b.since ? a.since > b.since : a.position < b.position;
    });
    fresh.newest.reserve(found.size());
    for (const Found& f : found) fresh.newest.push_back(f.linked);
    return fresh;
}

} // namespace kavo::screens
