// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/data_service.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace kavo {

/// The packaged page inside the application's resources.
inline const QString kBundledPageResource = QStringLiteral(":/kavo/bundled_content.md");

/// The hosts this build was configured with.
[[nodiscard]] QUrl apiBaseUrl();
[[nodiscard]] QUrl siteBaseUrl();

/// The data service's settings for the application: the cache in
/// `cachesDirectory` (or /tmp), the packaged page, the configured endpoints.
[[nodiscard]] DataServiceConfig applicationDataServiceConfig(const std::optional<QString>& cachesDirectory);

} // namespace kavo
