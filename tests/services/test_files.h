// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>

// The tests' plain file helpers: files written and read without the code under test.
namespace kavo::testing {

[[nodiscard]] inline bool writePlain(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

[[nodiscard]] inline QByteArray readPlain(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// A user id that is not ours, for files planted by "another user".
inline constexpr uid_t kOtherUser = 65534;

/// Hands the entry at `path` (a link itself, not its target) to another user; only root can.
[[nodiscard]] inline bool giveAway(const QString& path)
{
    return ::lchown(QFile::encodeName(path).constData(), kOtherUser, kOtherUser) == 0;
}

/// If a read hangs in open() on the FIFO at the path, opens its write end
/// after five seconds, so the reader wakes up and the test fails instead of hanging.
class FifoRescue {
public:
    explicit FifoRescue(QString fifoPath) : path_(std::move(fifoPath)), thread_([this] { watch(); }) {}
    ~FifoRescue() { finish(); }

    /// True when the reader had to be woken up: it blocked.
    bool finish()
    {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_one();
        if (thread_.joinable()) thread_.join();
        return rescued_;
    }

private:
    void watch()
    {
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) return;
        rescued_ = true;
        const int fd = ::open(QFile::encodeName(path_).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) ::close(fd);
    }

    QString path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    bool rescued_ = false;
    std::thread thread_;
};

} // namespace kavo::testing
