// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/cache_read_ahead.h"

#include "catalog/catalog_json.h"
#include "platform/file_io.h"

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

} // namespace kavo
