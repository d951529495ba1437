// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace kavo {

/// The per-user caches directory of the application ("~/.cache/kavo" on
/// Linux), created when missing; nothing when the system names none or it
/// cannot be created.
[[nodiscard]] std::optional<QString> userCachesDirectory();

/// Where one of our files lives: in the caches directory, or under "/tmp"
/// when there is none.
[[nodiscard]] QString cachesFilePath(const std::optional<QString>& cachesDirectory, const QString& fileName);

} // namespace kavo
