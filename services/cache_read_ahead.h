// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"
#include "services/read_ahead.h"

#include <QString>

#include <optional>
#include <vector>

namespace kavo {

/// How a cache that a download wrote ends: its JSON, then a line feed. The
/// packaged page's parse is cached without one. To every reader the two are
/// the same JSON (white space around a value is free); only what is new tells
/// them apart, since the packaged page never counts as seen. A cache of an
/// earlier version, which never ends so, counts as the packaged page's.
inline constexpr char kDownloadedCacheEnd = '\n';

/// A catalogue read back from the cache file.
struct CachedCatalogue {
    std::vector<KVCategory> categories;
    bool writtenByDownload = false; ///< the file ends with kDownloadedCacheEnd
};

/// The catalogue in a cache file: the decoded list when the file is a
/// regular file within the size cap whose JSON decodes to at least one
/// category; nothing otherwise (missing, unreadable, refused or empty all
/// mean the same to the data service). Decoding is all-or-nothing.
[[nodiscard]] std::optional<CachedCatalogue> readCachedCatalogue(const QString& cacheFilePath);

/// The data service's start-up read of its cache file. The service's
/// construction still takes the result synchronously: it waits for the
/// worker if needed.
using CacheReadAhead = ReadAhead<std::optional<CachedCatalogue>, &readCachedCatalogue>;

} // namespace kavo
