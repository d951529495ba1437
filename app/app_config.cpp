// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_config.h"

#include "app/build_config.h"
#include "platform/caches_directory.h"

namespace kavo {

QUrl apiBaseUrl()
{
    return QUrl(QStringLiteral(KAVO_API_BASE_URL));
}

QUrl siteBaseUrl()
{
    return QUrl(QStringLiteral(KAVO_SITE_BASE_URL));
}

DataServiceConfig applicationDataServiceConfig(const std::optional<QString>& cachesDirectory)
{
    DataServiceConfig config;
    config.cacheFilePath = filePathIn(cachesDirectory, KVDataService::kCacheFileName);
    config.bundledPagePath = kBundledPageResource;
    config.primaryUrl = QUrl(QStringLiteral(KAVO_API_BASE_URL "/single-page"));
    config.fallbackUrl = QUrl(QStringLiteral(KAVO_SITE_BASE_URL "/single-page.md"));
    return config;
}

} // namespace kavo
