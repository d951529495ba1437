// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"
#include "platform/clock.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// What is new in the catalogue. An entry is known by its link (its first
// link, as history and favourites know it). Each download is compared with
// the links of the one before: a link not there before is first seen at that
// download, and stays new for seven days or until the user marks what is new
// as seen. The catalogue diff of kavo-catalog applies the same rule.
namespace kavo {

/// How long an entry stays new after it was first seen.
inline constexpr ReferenceSeconds kNewForSeconds = 7 * 24 * 60 * 60;

/// A link's name in memory: its text hashed to 64 bits, so that the links of
/// a large catalogue cost 8 bytes each rather than a string each. Never
/// stored. Two links that hash alike count as one; among 30,000 links that
/// happens about once in 10^11 catalogues, and costs at most one missed mark.
[[nodiscard]] std::uint64_t linkKey(std::string_view link);

/// An entry as the catalogue knows it by its link.
struct LinkedEntry {
    std::uint64_t key = 0; ///< linkKey of the entry's link
    const KVEntry* entry = nullptr;
    const KVCategory* category = nullptr;
};

/// Each entry link of the catalogue once, in page order (a category's own
/// entries, then its sections' in turn), with the first entry that has it.
[[nodiscard]] std::vector<LinkedEntry> entriesByLink(const std::vector<KVCategory>& catalogue);

/// One record of the seen file: an entry link and, while the entry may still
/// be new, when it was first seen (absent: seen).
struct SeenRecord {
    std::string_view url;
    std::optional<ReferenceSeconds> firstSeenAt;
};

/// The links of the last downloaded catalogue and, for each, when it was
/// first seen or that it is seen: it was in the first download recorded (the
/// baseline), the user marked it as seen, or its seven days are over.
class SeenLinks {
    struct Link;

public:
    /// The first download recorded: none of its entries is new.
    [[nodiscard]] static SeenLinks baseline(const std::vector<KVCategory>& downloaded);
    /// Builds the links from the seen file's records, handed over one at a
    /// time in any order; a repeated link keeps its first record.
    class Reader {
    public:
        void add(const SeenRecord& record);
        [[nodiscard]] SeenLinks finish() &&;

    private:
        std::vector<Link> links_;
    };

    /// After the next download, at `now`: a link seen before keeps its date
    /// or its mark, a link not seen before is first seen now, and a link that
    /// left the catalogue is dropped (should it come back, it is new again).
    [[nodiscard]] SeenLinks next(const std::vector<KVCategory>& downloaded, ReferenceSeconds now) const;
    /// Every link marked as seen.
    [[nodiscard]] SeenLinks allSeen() const;

    /// When the link was first seen, while it is new at `now`: first seen
    /// less than seven days before and not marked since; nothing otherwise.
    [[nodiscard]] std::optional<ReferenceSeconds> newSince(std::uint64_t key, ReferenceSeconds now) const;
    [[nodiscard]] bool isNew(std::uint64_t key, ReferenceSeconds now) const { return newSince(key, now).has_value(); }
    [[nodiscard]] bool contains(std::uint64_t key) const { return find(key) != nullptr; }
    [[nodiscard]] std::size_t size() const { return links_.size(); }
    /// Whether any link is new at `now`.
    [[nodiscard]] bool anyNew(ReferenceSeconds now) const;
    /// When the first of the links new at `now` stops being new; nothing when none is.
    [[nodiscard]] std::optional<ReferenceSeconds> nextExpiry(ReferenceSeconds now) const;

    /// The seen file's records for `source`, the catalogue these links were
    /// derived from, in its page order; only links new at `now` keep a date.
    [[nodiscard]] std::vector<SeenRecord> records(const std::vector<KVCategory>& source, ReferenceSeconds now) const;

    friend bool operator==(const SeenLinks&, const SeenLinks&) = default;

private:
    /// Seen: the date of a link that will never be new again.
    static constexpr ReferenceSeconds kSeen = -1e300;
    struct Link {
        std::uint64_t key;
        ReferenceSeconds firstSeenAt;
        friend bool operator==(const Link&, const Link&) = default;
    };
    /// Sorted by key, each key once, so the set costs 16 bytes a link.
    static SeenLinks sorted(std::vector<Link> links);
    [[nodiscard]] const Link* find(std::uint64_t key) const;
    [[nodiscard]] static bool isNewAt(const Link& link, ReferenceSeconds now);

    std::vector<Link> links_;
};

} // namespace kavo
