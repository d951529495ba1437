// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_watcher.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace kavo {

FileWatcher::FileWatcher(const QString& path, QObject* parent)
    : QObject(parent), path_(QFileInfo(path).absoluteFilePath()), directory_(QFileInfo(path_).absolutePath())
{
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(kSettleTime);
    retryTimer_.setInterval(kRetryTime);
    connect(&settleTimer_, &QTimer::timeout, this, &FileWatcher::settle);
    connect(&retryTimer_, &QTimer::timeout, this, &FileWatcher::settle);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileWatcher::noticed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileWatcher::noticed);
    stamp_ = stampNow();
    watch(stamp_);
}

std::optional<FileWatcher::Stamp> FileWatcher::stampNow() const
{
    struct stat status {};
    if (::stat(QFile::encodeName(path_).constData(), &status) != 0) return std::nullopt;
    const auto nanoseconds = [](const timespec& time) { return time.tv_sec * 1'000'000'000LL + time.tv_nsec; };
    return Stamp{status.st_dev, status.st_ino, status.st_size, nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}

void FileWatcher::noticed()
{
    // The first event of a burst starts the wait; later ones join it, so a
    // file written without pause is still looked at within kSettleTime.
    if (!settleTimer_.isActive()) settleTimer_.start();
}

void FileWatcher::settle()
{
    const std::optional<Stamp> now = stampNow();
    watch(now);
    if (now == stamp_) return;
    stamp_ = now;
    emit changed();
}

void FileWatcher::watch(const std::optional<Stamp>& now)
{
    const bool directoryWatched = watcher_.directories().contains(directory_) || watcher_.addPath(directory_);
    // Until the directory exists it cannot be watched: it is looked at now and then instead.
    if (directoryWatched) retryTimer_.stop();
    else if (!retryTimer_.isActive()) retryTimer_.start();

    // A file renamed over the old one is another file: the old one's watch
    // (kept while anything holds it open) tells nothing of the new one.
    bool fileWatched = watcher_.files().contains(path_);
    if (fileWatched && (!now || now->inode != watchedInode_)) fileWatched = !watcher_.removePath(path_);
    if (now && !fileWatched && watcher_.addPath(path_)) watchedInode_ = now->inode;
}

} // namespace kavo
