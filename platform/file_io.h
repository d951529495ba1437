// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kavo {

/// Size caps for the files we read: anything larger counts as absent.
inline constexpr std::size_t kCacheFileLimit = 256u << 20;
inline constexpr std::size_t kPersonalFileLimit = 4u << 20;

/// The whole content of a regular file of at most `maxBytes`, or nothing.
/// Never blocks on what is not a regular file: a FIFO, directory, device or
/// socket at the path (or behind a symbolic link there) counts as absent.
/// The string keeps at least `spareCapacity` bytes of capacity after the
/// content, for parsers that read ahead past the end (no copy needed then).
[[nodiscard]] std::optional<std::string> readRegularFile(const QString& path, std::size_t maxBytes,
                                                         std::size_t spareCapacity = 0);

/// Replaces the file at `path` with `bytes` atomically: afterwards it holds
/// either the complete new content or, on any failure, the old content byte
/// for byte. Every write and the flush are checked before the commit (a full
/// disk can otherwise pass unnoticed). A symbolic link at `path` is refused,
/// never written through. True on success.
[[nodiscard]] bool writeFileAtomically(const QString& path, std::string_view bytes);

/// Deletes the file; a failure (including a missing file) is ignored.
void removeFile(const QString& path);

} // namespace kavo
