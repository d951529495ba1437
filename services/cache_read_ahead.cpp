// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/cache_read_ahead.h"

#include "catalog/catalog_json.h"
#include "platform/file_io.h"

#include <system_error>

namespace kavo {

std::optional<CachedCatalogue> readCachedCatalogue(const QString& cacheFilePath)
{
    // Read with spare capacity, so the decoder works on the bytes in place.
    std::optional<std::string> bytes = readRegularFile(cacheFilePath, kCacheFileLimit, kDecodePadding);
    if (!bytes) return std::nullopt;
    const bool writtenByDownload = bytes->ends_with(kDownloadedCacheEnd);
    CategoriesOrError decoded = decodeCategories(*bytes);
    bytes.reset(); // the bytes go before the records are handed on
    auto* list = std::get_if<std::vector<KVCategory>>(&decoded);
    if (!list || list->empty()) return std::nullopt;
    return CachedCatalogue{std::move(*list), writtenByDownload};
}

std::shared_ptr<CacheReadAhead> CacheReadAhead::start(const QString& cacheFilePath)
{
    return std::shared_ptr<CacheReadAhead>(new CacheReadAhead(cacheFilePath));
}

CacheReadAhead::CacheReadAhead(QString cacheFilePath) : path_(std::move(cacheFilePath))
{
    // Its own thread rather than the shared pool: it starts before the
    // application object exists and must not queue behind other work.
    try {
        worker_ = std::thread([this] { result_ = readCachedCatalogue(path_); });
    } catch (const std::system_error&) {
        taken_ = true; // no thread to be had: take() reads the file itself
    }
}

CacheReadAhead::~CacheReadAhead()
{
    if (worker_.joinable()) worker_.join();
}

std::optional<CachedCatalogue> CacheReadAhead::take(const QString& cacheFilePath)
{
    if (worker_.joinable()) worker_.join(); // the join makes the worker's result visible here
    if (taken_ || cacheFilePath != path_) return readCachedCatalogue(cacheFilePath);
    taken_ = true;
    return std::move(result_);
}

} // namespace kavo
