// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavo::tool {

/// `failure` when the tool's output could not be written (a full disk, a
/// closed pipe), said on stderr; 0 when it was.
[[nodiscard]] int outputStatus(bool written, int failure = 1);

/// The whole file, or nothing (with a message on stderr) when it cannot be read.
[[nodiscard]] std::optional<std::string> readFile(const std::string& path);

/// A file's bytes to read through once. A regular file is mapped: its bytes
/// stay the page cache's, with no copy and no memory of the tool's own.
/// Anything else (a pipe, a device) is read as readFile reads it.
class InputText {
public:
    /// Nothing (with a message on stderr) when the file cannot be read.
    [[nodiscard]] static std::optional<InputText> open(const std::string& path);

    InputText(InputText&& other) noexcept;
    InputText& operator=(InputText&&) = delete;
    ~InputText();

    [[nodiscard]] std::string_view text() const { return mapped_ ? std::string_view(mapped_, size_) : read_; }

private:
    InputText() = default;

    const char* mapped_ = nullptr;
    std::size_t size_ = 0;
    std::string read_;
};

/// A file given to `stats` is a cache when it is named *.json or holds a JSON
/// array that decodes; anything else is read as a page.
struct LoadedCatalogue {
    std::vector<KVCategory> categories;
    bool fromCache = false;
};
[[nodiscard]] std::optional<LoadedCatalogue> loadPageOrCache(const std::string& path);

} // namespace kavo::tool
