// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/caches_directory.h"

#include <QDir>
#include <QStandardPaths>

namespace kavo {

std::optional<QString> userCachesDirectory()
{
    // Named explicitly rather than through the application name, so tools and
    // tests that never set one agree with the app on the location.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (base.isEmpty()) return std::nullopt;
    const QString directory = base + QStringLiteral("/kavo");
    if (!QDir().mkpath(directory)) return std::nullopt;
    return directory;
}

QString cachesFilePath(const std::optional<QString>& cachesDirectory, const QString& fileName)
{
    return cachesDirectory.value_or(QStringLiteral("/tmp")) + QLatin1Char('/') + fileName;
}

} // namespace kavo
