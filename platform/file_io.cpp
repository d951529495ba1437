// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_io.h"

#include "platform/memory_policy.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kavo {
namespace {

// Closes the descriptor on every path out of the read.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    [[nodiscard]] int get() const { return fd_; }

private:
    int fd_;
};

// How a temporary file beside the target is named: the target's name, a dot
// and six characters that mkostemp() (and QSaveFile, which earlier versions
// used) fill in.
constexpr char kTemporarySuffixPattern[] = ".XXXXXX";
constexpr std::size_t kTemporaryRandomLength = 6;

[[nodiscard]] bool isTemporaryNameOf(std::string_view entry, std::string_view fileName)
{
    if (entry.size() != fileName.size() + 1 + kTemporaryRandomLength || !entry.starts_with(fileName)) return false;
    if (entry[fileName.size()] != '.') return false;
    const std::string_view random = entry.substr(fileName.size() + 1);
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

// Every byte, through short writes and interruptions.
[[nodiscard]] bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// Gives `temporary` the name `target` unless something has that name already.
[[nodiscard]] bool placeWithoutReplacing(const char* temporary, const char* target)
{
    if (::renameat2(AT_FDCWD, temporary, AT_FDCWD, target, RENAME_NOREPLACE) == 0) return true;
    // A file system that cannot rename without replacing can still make a
    // second name, which never replaces either.
    if (errno != EINVAL || ::link(temporary, target) != 0) return false;
    (void)::unlink(temporary);
    return true;
}

// The directory's own entries to disk: a new name in it survives a crash.
void syncDirectoryOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray directory = slash <= 0 ? QByteArray(slash == 0 ? "/" : ".") : path.left(slash);
    const Descriptor descriptor(::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.get() >= 0) (void)::fsync(descriptor.get());
}

// Writes `bytes` to a new file beside `target` and to disk, and names it;
// nothing, and no file left, when that fails. The file is made with O_EXCL,
// so nothing planted under its name is opened.
[[nodiscard]] std::optional<QByteArray> writeTemporaryBeside(const QByteArray& target, std::string_view bytes)
{
    QByteArray temporary = target + kTemporarySuffixPattern;
    const Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0) return std::nullopt;
    if (writeAll(file.get(), bytes) && (::fsync(file.get()) == 0 || errno == EINVAL)) return temporary;
    (void)::unlink(temporary.constData());
    return std::nullopt;
}


// The guarded read behind readRegularFile and readNamedFile; `ownFileOnly`
// refuses links at the path and files of other users.
std::variant<std::string, ReadFailure> readGuarded(const QString& path, std::size_t maxBytes,
                                                   std::size_t spareCapacity, bool ownFileOnly)
{
    using Reason = ReadFailure::Reason;
    const auto failed = [](int error) {
        if (error == ENOENT || error == ENOTDIR) return ReadFailure{Reason::Missing, error};
        if (error == EACCES || error == EPERM) return ReadFailure{Reason::Denied, error};
        if (error == ELOOP) return ReadFailure{Reason::NotOurs, error};
        return ReadFailure{Reason::Failed, error};
    };
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so opening a FIFO with no writer returns at once; not
    // through a link at the path. The type and the owner are checked on the
    // open descriptor, not on the path, so nothing can be swapped in between.
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (ownFileOnly ? O_NOFOLLOW : 0);
    const Descriptor file(::open(name.constData(), flags));
    if (file.get() < 0) return failed(errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) return failed(errno);
    if (!S_ISREG(status.st_mode)) return ReadFailure{Reason::NotRegularFile};
    if (ownFileOnly && status.st_uid != ::geteuid()) return ReadFailure{Reason::NotOurs};
    if (static_cast<std::uint64_t>(status.st_size) > maxBytes) return ReadFailure{Reason::TooLarge};

    std::string content;
    content.reserve(static_cast<std::size_t>(status.st_size) + spareCapacity);
    adviseHugePages(content.data(), content.capacity());
    content.resize(static_cast<std::size_t>(status.st_size));
    std::size_t filled = 0;
    for (;;) {
        // The file may grow while we read it; reading one byte past the cap tells.
        if (filled == content.size()) {
            if (content.size() > maxBytes) return ReadFailure{Reason::TooLarge};
            const std::size_t grown = std::min(maxBytes + 1, content.size() + 65536);
            content.reserve(grown + spareCapacity);
            content.resize(grown);
        }
        const ssize_t count = ::read(file.get(), content.data() + filled, content.size() - filled);
        if (count < 0) {
            if (errno == EINTR) continue;
            return failed(errno);
        }
        if (count == 0) break;
        filled += static_cast<std::size_t>(count);
    }
    if (filled > maxBytes) return ReadFailure{Reason::TooLarge};
    content.resize(filled);
    return content;
}

} // namespace

std::optional<std::string> readRegularFile(const QString& path, std::size_t maxBytes, std::size_t spareCapacity)
{
    std::variant<std::string, ReadFailure> read = readGuarded(path, maxBytes, spareCapacity, true);
    if (auto* content = std::get_if<std::string>(&read)) return std::move(*content);
    return std::nullopt;
}

std::variant<std::string, ReadFailure> readNamedFile(const QString& path, std::size_t maxBytes)
{
    return readGuarded(path, maxBytes, 0, false);
}

bool writeFileAtomically(const QString& path, std::string_view bytes, std::size_t readLimit)
{
    if (bytes.size() > readLimit) return false;
    const QByteArray name = QFile::encodeName(path);
    // rename() replaces the entry at `path` itself, so a link there is never
    // followed (unlike QSaveFile, which writes to its target).
    const std::optional<QByteArray> temporary = writeTemporaryBeside(name, bytes);
    if (!temporary) return false;
    if (::rename(temporary->constData(), name.constData()) == 0) return true;
    (void)::unlink(temporary->constData());
    return false;
}

bool moveFileWithoutReplacing(const QString& from, const QString& to, std::size_t maxBytes)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    struct stat status {};
    if (::lstat(source.constData(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid() ||
        static_cast<std::uint64_t>(status.st_size) > maxBytes) {
        return false;
    }
    if (placeWithoutReplacing(source.constData(), target.constData())) return true;
    if (errno != EXDEV) return false;

    // Across file systems. The copy is read through the same guards as any
    // read (a swap since the check above is refused), and the original goes
    // only once the copy is on disk under its new name.
    const std::optional<std::string> bytes = readRegularFile(from, maxBytes);
    if (!bytes) return false;
    const std::optional<QByteArray> temporary = writeTemporaryBeside(target, *bytes);
    if (!temporary) return false;
    if (!placeWithoutReplacing(temporary->constData(), target.constData())) {
        (void)::unlink(temporary->constData());
        return false;
    }
    syncDirectoryOf(target);
    (void)::unlink(source.constData());
    return true;
}

void removeStaleTemporaryFiles(const QString& filePath)
{
    const QFileInfo file(filePath);
    DIR* directory = ::opendir(QFile::encodeName(file.path()).constData());
    if (directory == nullptr) return;
    const QByteArray fileName = QFile::encodeName(file.fileName());
    const std::string_view prefix(fileName.constData(), static_cast<std::size_t>(fileName.size()));
    const int directoryFd = ::dirfd(directory);
    const std::time_t staleBefore = std::time(nullptr) - kStaleTemporaryFileAge.count();
    while (const dirent* entry = ::readdir(directory)) {
        if (!isTemporaryNameOf(entry->d_name, prefix)) continue;
        // lstat-like: a link is looked at, not its target; unlinkat removes
        // the entry only, so the worst a swap in between can do is remove
        // something else under a leftover's name in a directory we may write.
        struct stat status {};
        if (::fstatat(directoryFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid() || status.st_mtime > staleBefore) continue;
        (void)::unlinkat(directoryFd, entry->d_name, 0);
    }
    ::closedir(directory);
}

void removeFile(const QString& path)
{
    (void)QFile::remove(path);
}

} // namespace kavo
