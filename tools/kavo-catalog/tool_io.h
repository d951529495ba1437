// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <optional>
#include <string>
#include <vector>

namespace kavo::tool {

/// The whole file, or nothing (with a message on stderr) when it cannot be read.
[[nodiscard]] std::optional<std::string> readFile(const std::string& path);

/// A file given to `stats` is a cache when it is named *.json or holds a JSON
/// array that decodes; anything else is read as a page.
struct LoadedCatalogue {
    std::vector<KVCategory> categories;
    bool fromCache = false;
};
[[nodiscard]] std::optional<LoadedCatalogue> loadPageOrCache(const std::string& path);

} // namespace kavo::tool
