// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace kavo {

/// The per-user caches directory of the application ("~/.cache/kavo" on
/// Linux, under $XDG_CACHE_HOME when set), created when missing; nothing when
/// the system names none or it cannot be created. It holds what may be
/// deleted at any time: the catalogue cache.
[[nodiscard]] std::optional<QString> userCachesDirectory();

/// The per-user data directory of the application ("~/.local/share/kavo" on
/// Linux, under $XDG_DATA_HOME when set), created when missing; nothing when
/// the system names none or it cannot be created. It holds the user's own
/// files (history, favourites, what was seen), which cache cleaners leave alone.
[[nodiscard]] std::optional<QString> userDataDirectory();

/// Where one of our files lives: in `directory`, or under "/tmp" when there is none.
[[nodiscard]] QString filePathIn(const std::optional<QString>& directory, const QString& fileName);

} // namespace kavo
