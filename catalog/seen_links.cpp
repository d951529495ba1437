// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/seen_links.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <utility>

namespace kavo {

std::uint64_t linkKey(std::string_view link)
{
    return std::hash<std::string_view>{}(link);
}

namespace {

std::size_t entryCount(const std::vector<KVCategory>& catalogue)
{
    std::size_t count = 0;
    forEachEntry(catalogue, [&count](const KVEntry&, const KVCategory&) { ++count; });
    return count;
}

// The keys met so far: open addressing in one flat array (the keys are
// hashes already), so a catalogue's links cost no node each.
class KeySet {
public:
    explicit KeySet(std::size_t count) : slots_(std::bit_ceil(2 * count + 2)) {}

    /// False when the key was there already.
    bool insert(std::uint64_t key)
    {
        if (key == kEmpty) return !std::exchange(hasEmptyKey_, true);
        for (std::size_t slot = key & (slots_.size() - 1);; slot = (slot + 1) & (slots_.size() - 1)) {
            if (slots_[slot] == key) return false;
            if (slots_[slot] == kEmpty) {
                slots_[slot] = key;
                return true;
            }
        }
    }

private:
    static constexpr std::uint64_t kEmpty = 0;
    std::vector<std::uint64_t> slots_;
    bool hasEmptyKey_ = false;
};

} // namespace

std::vector<LinkedEntry> entriesByLink(const std::vector<KVCategory>& catalogue)
{
    const std::size_t count = entryCount(catalogue);
    std::vector<LinkedEntry> entries;
    entries.reserve(count);
    KeySet seen(count);
    forEachEntry(catalogue, [&](const KVEntry& entry, const KVCategory& category) {
        const std::uint64_t key = linkKey(entry.url.text());
        if (seen.insert(key)) entries.push_back({key, &entry, &category});
    });
    return entries;
}

SeenLinks SeenLinks::sorted(std::vector<Link> links)
{
    std::stable_sort(links.begin(), links.end(), [](const Link& a, const Link& b) { return a.key < b.key; });
    links.erase(std::unique(links.begin(), links.end(), [](const Link& a, const Link& b) { return a.key == b.key; }),
                links.end());
    links.shrink_to_fit();
    SeenLinks seen;
    seen.links_ = std::move(links);
    return seen;
}

SeenLinks SeenLinks::baseline(const std::vector<KVCategory>& downloaded)
{
    return SeenLinks().next(downloaded, kSeen);
}

void SeenLinks::Reader::add(const SeenRecord& record)
{
    links_.push_back({linkKey(record.url), record.firstSeenAt.value_or(kSeen)});
}

SeenLinks SeenLinks::Reader::finish() &&
{
    return sorted(std::move(links_));
}

SeenLinks SeenLinks::next(const std::vector<KVCategory>& downloaded, ReferenceSeconds now) const
{
    std::vector<std::uint64_t> keys;
    keys.reserve(entryCount(downloaded));
    forEachEntry(downloaded, [&keys](const KVEntry& entry, const KVCategory&) { keys.push_back(linkKey(entry.url.text())); });
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    // Both in key order: one pass over each.
    SeenLinks next;
    next.links_.reserve(keys.size());
    auto before = links_.begin();
    for (const std::uint64_t key : keys) {
        while (before != links_.end() && before->key < key) ++before;
        const bool seenBefore = before != links_.end() && before->key == key;
        next.links_.push_back({key, seenBefore ? before->firstSeenAt : now});
    }
    return next;
}

SeenLinks SeenLinks::allSeen() const
{
    SeenLinks seen = *this;
    for (Link& link : seen.links_) link.firstSeenAt = kSeen;
    return seen;
}

const SeenLinks::Link* SeenLinks::find(std::uint64_t key) const
{
    const auto found = std::lower_bound(links_.begin(), links_.end(), key, [](const Link& link, std::uint64_t k) { return link.key < k; });
    return found != links_.end() && found->key == key ? &*found : nullptr;
}

bool SeenLinks::isNewAt(const Link& link, ReferenceSeconds now)
{
    return link.firstSeenAt > now - kNewForSeconds;
}

std::optional<ReferenceSeconds> SeenLinks::newSince(std::uint64_t key, ReferenceSeconds now) const
{
    const Link* link = find(key);
    if (link == nullptr || !isNewAt(*link, now)) return std::nullopt;
    return link->firstSeenAt;
}

bool SeenLinks::anyNew(ReferenceSeconds now) const
{
    return std::any_of(links_.begin(), links_.end(), [now](const Link& link) { return isNewAt(link, now); });
}

std::optional<ReferenceSeconds> SeenLinks::nextExpiry(ReferenceSeconds now) const
{
    std::optional<ReferenceSeconds> first;
    for (const Link& link : links_) {
        if (isNewAt(link, now)) first = std::min(first.value_or(link.firstSeenAt), link.firstSeenAt);
    }
    if (!first) return std::nullopt;
    return *first + kNewForSeconds;
}

std::vector<SeenRecord> SeenLinks::records(const std::vector<KVCategory>& source, ReferenceSeconds now) const
{
    std::vector<SeenRecord> records;
    records.reserve(links_.size());
    for (const LinkedEntry& entry : entriesByLink(source)) {
        const Link* link = find(entry.key);
        if (link == nullptr) continue;
        records.push_back({entry.entry->url.text(), isNewAt(*link, now) ? std::optional(link->firstSeenAt) : std::nullopt});
    }
    return records;
}

} // namespace kavo
