// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <QString>

#include <memory>
#include <optional>
#include <thread>
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

/// The data service's start-up read of its cache file, begun early on a
/// worker thread so that reading and decoding a large cache overlap the
/// window system's and the window's own start. The service's construction
/// still takes the result synchronously: it waits for the worker if needed.
class CacheReadAhead {
public:
    /// Starts reading `cacheFilePath` on a new thread.
    [[nodiscard]] static std::shared_ptr<CacheReadAhead> start(const QString& cacheFilePath);

    CacheReadAhead(const CacheReadAhead&) = delete;
    CacheReadAhead& operator=(const CacheReadAhead&) = delete;
    /// Waits for the worker: a read is never left running.
    ~CacheReadAhead();

    /// The result of readCachedCatalogue for `cacheFilePath`, waiting for it
    /// if needed. The result is handed out once: when it was already taken,
    /// or the read was of another path, the file is read again here. Called
    /// from one thread (the main thread).
    [[nodiscard]] std::optional<CachedCatalogue> take(const QString& cacheFilePath);

private:
    explicit CacheReadAhead(QString cacheFilePath);

    const QString path_;
    std::optional<CachedCatalogue> result_; ///< written by the worker, read after joining it
    bool taken_ = false;
    std::thread worker_; ///< started once the members above exist
};

} // namespace kavo
