// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/catalogue_diff.h"

#include <algorithm>

namespace kavo {
namespace {

// What the diff compares of two entries with one link: everything a reader
// sees, none of the identifiers a parse makes anew.
bool sameContent(const KVEntry& a, const KVEntry& b)
{
    const auto sameLinks = [](const KVLink& x, const KVLink& y) { return x.name == y.name && x.url == y.url; };
    return a.name == b.name && a.description == b.description && a.badge == b.badge &&
           std::equal(a.relatedLinks.begin(), a.relatedLinks.end(), b.relatedLinks.begin(), b.relatedLinks.end(), sameLinks);
}

} // namespace

CatalogueDiff diffCatalogues(const std::vector<KVCategory>& before, const std::vector<KVCategory>& after)
{
    // The app's own rule: `before` recorded as seen, then `after` downloaded.
    constexpr ReferenceSeconds kDownloadedAt = 0;
    const SeenLinks seen = SeenLinks::baseline(before).next(after, kDownloadedAt);
    std::vector<LinkedEntry> old = entriesByLink(before);
    CatalogueDiff diff;
    for (const LinkedEntry& entry : old) {
        if (!seen.contains(entry.key)) diff.removed.push_back(entry);
    }
    const auto byKey = [](const LinkedEntry& a, const LinkedEntry& b) { return a.key < b.key; };
    std::sort(old.begin(), old.end(), byKey);
    for (const LinkedEntry& entry : entriesByLink(after)) {
        if (seen.isNew(entry.key, kDownloadedAt)) {
            diff.added.push_back(entry);
            continue;
        }
        const auto previous = std::lower_bound(old.begin(), old.end(), entry, byKey);
        if (!sameContent(*previous->entry, *entry.entry)) diff.changed.push_back(entry);
    }
    return diff;
}

} // namespace kavo
