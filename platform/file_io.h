// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kavo {

/// Size caps for the files we read: anything larger counts as absent.
inline constexpr std::size_t kCacheFileLimit = 256u << 20;
inline constexpr std::size_t kPersonalFileLimit = 4u << 20;

/// The whole content of a regular file of at most `maxBytes`, or nothing.
/// Never blocks on what is not a regular file: a FIFO, directory, device or
/// socket at the path counts as absent. So do a symbolic link at the path
/// and a file another user owns: our files may live in the shared "/tmp",
/// where anyone can plant either before our first start.
/// The string keeps at least `spareCapacity` bytes of capacity after the
/// content, for parsers that read ahead past the end (no copy needed then).
[[nodiscard]] std::optional<std::string> readRegularFile(const QString& path, std::size_t maxBytes,
                                                         std::size_t spareCapacity = 0);

/// Why a guarded read gave nothing.
struct ReadFailure {
    enum class Reason {
        Missing,        ///< no such file (or directory on the way)
        Denied,         ///< no permission to read it
        NotRegularFile, ///< a directory, FIFO, device or socket
        NotOurs,        ///< a link at the path, or another user's file (readRegularFile only)
        TooLarge,       ///< over the size cap
        Failed,         ///< any other error of the system (`error`)
    };
    Reason reason = Reason::Failed;
    int error = 0; ///< the system's error number, where there was one
};

/// A file the user named (a page to preview): read through a link at the
/// path and whoever owns it, since they chose it; otherwise as guarded as
/// readRegularFile (never blocks, never past `maxBytes`). Says why it failed.
[[nodiscard]] std::variant<std::string, ReadFailure> readNamedFile(const QString& path, std::size_t maxBytes);

/// Replaces the file at `path` with `bytes` atomically: afterwards it holds
/// either the complete new content or, on any failure, the old content byte
/// for byte. Every write and the flush to disk are checked before the
/// rename (a full disk can otherwise pass unnoticed). Content over
/// `readLimit`, the cap its reader applies, is refused, so a readable file
/// is never replaced by one that would count as absent; the default is the
/// largest cap any of our readers applies. Whatever is at `path` is replaced
/// as a directory entry: a symbolic link there is replaced itself, never
/// written through. The new file is readable by its owner only. True on
/// success.
[[nodiscard]] bool writeFileAtomically(const QString& path, std::string_view bytes,
                                       std::size_t readLimit = kCacheFileLimit);

/// A save killed part-way leaves its temporary file "<name>.XXXXXX" beside
/// the file; one untouched for this long is no save in progress.
inline constexpr std::chrono::seconds kStaleTemporaryFileAge{60};

/// Deletes the leftover temporary files of saves of the file at `filePath`:
/// regular files of ours, named as writeFileAtomically names them, not
/// modified for kStaleTemporaryFileAge. Links and other users' files stay.
void removeStaleTemporaryFiles(const QString& filePath);

/// Moves the user's own regular file at `from` (not a link, at most
/// `maxBytes`) to `to`, never replacing anything there: a rename where both
/// lie on one file system; otherwise a private copy is written beside `to`,
/// flushed to disk with its directory, put in place, and only then is `from`
/// removed. True when the file now lives at `to`; on any failure before that,
/// `from` stays as it was and nothing is left at `to`.
[[nodiscard]] bool moveFileWithoutReplacing(const QString& from, const QString& to, std::size_t maxBytes);

/// Deletes the file; a failure (including a missing file) is ignored.
void removeFile(const QString& path);

} // namespace kavo
