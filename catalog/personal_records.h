// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/json_reader.h"
#include "catalog/records.h"
#include "platform/clock.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The records of the two personal lists, and their files' JSON form: an array
// of objects, dates as seconds since 2001-01-01 00:00:00 UTC.
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

using HistoryOrError = std::variant<std::vector<HistoryEntry>, json::DecodeError>;
using FavoritesOrError = std::variant<std::vector<FavoriteEntry>, json::DecodeError>;

[[nodiscard]] std::string encodeHistory(const std::vector<HistoryEntry>& entries);
[[nodiscard]] HistoryOrError decodeHistory(std::string_view json);

[[nodiscard]] std::string encodeFavorites(const std::vector<FavoriteEntry>& entries);
[[nodiscard]] FavoritesOrError decodeFavorites(std::string_view json);

} // namespace kavo
