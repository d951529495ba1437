// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/json_reader.h"
#include "catalog/records.h"
#include "catalog/seen_links.h"
#include "platform/clock.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The records of the personal files (the two personal lists and what was
// seen), and their JSON form: an array of objects, dates as seconds since
// 2001-01-01 00:00:00 UTC.
namespace kavo {

/// One opened link in "Recently Viewed".
struct HistoryEntry {
    Uuid id;
    std::string name;
    Url url;
    ReferenceSeconds viewedAt = 0;

    friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

/// One favourite entry.
struct FavoriteEntry {
    Uuid id;
    std::string name;
    Url url;
    KVBadge badge = KVBadge::none;
    ReferenceSeconds addedAt = 0;

    friend bool operator==(const FavoriteEntry&, const FavoriteEntry&) = default;
};

/// What one record may hold, so that a full list always encodes under the
/// cap its file is read back with (a larger file counts as absent, and the
/// whole list would be lost at the next start). Names are cut to this many
/// bytes; links are refused beyond theirs, since a cut link is another link
/// (servers commonly refuse request lines past 8 KiB anyway).
inline constexpr std::size_t kMaxRecordNameBytes = 4096;
inline constexpr std::size_t kMaxRecordLinkBytes = 8192;
/// The most one record can take in its file: every name byte may be a
/// control character, written as a six-byte escape; links are written as
/// they are; the rest (keys, id, badge, date, punctuation) is well under 256.
inline constexpr std::size_t kMaxEncodedRecordBytes = 6 * kMaxRecordNameBytes + kMaxRecordLinkBytes + 256;

/// `name` as a record holds it: well-formed UTF-8 (the file's reader refuses
/// anything else), cut to at most kMaxRecordNameBytes at a character boundary.
[[nodiscard]] std::string storableRecordName(std::string_view name);

/// Whether a record may hold this link.
[[nodiscard]] inline bool isStorableRecordLink(const Url& url)
{
    return url.text().size() <= kMaxRecordLinkBytes;
}

using HistoryOrError = std::variant<std::vector<HistoryEntry>, json::DecodeError>;
using FavoritesOrError = std::variant<std::vector<FavoriteEntry>, json::DecodeError>;

[[nodiscard]] std::string encodeHistory(const std::vector<HistoryEntry>& entries);
[[nodiscard]] HistoryOrError decodeHistory(std::string_view json);

[[nodiscard]] std::string encodeFavorites(const std::vector<FavoriteEntry>& entries);
[[nodiscard]] FavoritesOrError decodeFavorites(std::string_view json);

/// `[{"url": "…", "firstSeenAt": 757382400.5}, {"url": "…"}]`: a record
/// without a date (or with null) is seen.
[[nodiscard]] std::string encodeSeen(std::span<const SeenRecord> records);

/// Reads the seen file, handing each record to `record` in file order; its
/// link lives until the call returns. Nothing is copied: a file of tens of
/// thousands of records is read without an allocation per record, and a
/// `json` with kDecodePadding bytes of spare capacity is read in place. All
/// or nothing: on a bad record, why it was refused (whatever was handed over
/// before it is then to be dropped).
[[nodiscard]] std::optional<json::DecodeError> decodeSeen(const std::string& json,
                                                          const std::function<void(const SeenRecord&)>& record);

} // namespace kavo
