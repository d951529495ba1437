// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <optional>

namespace kavo {

/// Tells when the file at a path has changed on disk: written in place,
/// replaced by a new file renamed over it (as many editors save), created,
/// or removed. The file and its directory are both watched: the file for
/// writes in place, the directory for names that come and go; a file
/// replaced under its name is watched anew. Events are gathered for a short
/// while and compared with the file's last known state (identity, size,
/// times), so one save made of several steps, or a change beside the file in
/// its directory, tells nothing or once.
class FileWatcher : public QObject {
    Q_OBJECT

public:
    /// How long events are gathered before the file is looked at.
    static constexpr std::chrono::milliseconds kSettleTime{100};
    /// How often a directory that cannot be watched (it does not exist yet) is tried again.
    static constexpr std::chrono::milliseconds kRetryTime{1000};

    /// Starts watching `path` (made absolute), as it is now.
    explicit FileWatcher(const QString& path, QObject* parent = nullptr);

    [[nodiscard]] const QString& path() const { return path_; }

signals:
    /// The file is not as it was when last told (or when the watch began).
    void changed();

private:
    /// What tells one state of the file from another; nothing while there is no file.
    struct Stamp {
        unsigned long long device = 0, inode = 0;
        long long size = 0, modifiedNs = 0, changedNs = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    [[nodiscard]] std::optional<Stamp> stampNow() const;
    void noticed();
    void settle();
    /// Watches the directory and the file as `now` finds it (nothing: not there).
    void watch(const std::optional<Stamp>& now);

    const QString path_;
    const QString directory_;
    QFileSystemWatcher watcher_;
    QTimer settleTimer_;
    QTimer retryTimer_;
    std::optional<Stamp> stamp_;
    unsigned long long watchedInode_ = 0; ///< the file the path named when its watch was added
};

} // namespace kavo
