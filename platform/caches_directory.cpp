// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/caches_directory.h"

#include <QDir>
#include <QStandardPaths>

namespace kavo {
namespace {

// Named explicitly rather than through the application name, so tools and
// tests that never set one agree with the app on the location (and it can be
// asked before the application object exists).
std::optional<QString> kavoDirectoryIn(QStandardPaths::StandardLocation location)
{
    const QString base = QStandardPaths::writableLocation(location);
    if (base.isEmpty()) return std::nullopt;
    const QString directory = base + QStringLiteral("/kavo");
    if (!QDir().mkpath(directory)) return std::nullopt;
    return directory;
}

} // namespace

std::optional<QString> userCachesDirectory()
{
    return kavoDirectoryIn(QStandardPaths::GenericCacheLocation);
}

std::optional<QString> userDataDirectory()
{
    return kavoDirectoryIn(QStandardPaths::GenericDataLocation);
}

QString filePathIn(const std::optional<QString>& directory, const QString& fileName)
{
    return directory.value_or(QStringLiteral("/tmp")) + QLatin1Char('/') + fileName;
}

} // namespace kavo
