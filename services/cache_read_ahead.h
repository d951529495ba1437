// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <QString>

#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace kavo {

/// The catalogue in a cache file: the decoded list when the file is a
/// regular file within the size cap whose JSON decodes to at least one
/// category; nothing otherwise (missing, unreadable, refused or empty all
/// mean the same to the data service). Decoding is all-or-nothing.
[[nodiscard]] std::optional<std::vector<KVCategory>> readCachedCatalogue(const QString& cacheFilePath);

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
    [[nodiscard]] std::optional<std::vector<KVCategory>> take(const QString& cacheFilePath);

private:
    explicit CacheReadAhead(QString cacheFilePath);

    const QString path_;
    std::optional<std::vector<KVCategory>> result_; ///< written by the worker, read after joining it
    bool taken_ = false;
    std::thread worker_; ///< started once the members above exist
};

} // namespace kavo
