// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>

// Plain file helpers for tests that check our file handling against files
// written and read without it.
namespace kavo::testing {

[[nodiscard]] inline bool writePlain(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

[[nodiscard]] inline QByteArray readPlain(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// If a read hangs in open() on a FIFO, opens its write end after a grace period
// so the reader wakes up and the test fails instead of hanging.
class FifoRescue {
public:
    explicit FifoRescue(QString fifoPath) : path_(std::move(fifoPath)), thread_([this] { watch(); }) {}
    FifoRescue(const FifoRescue&) = delete;
    FifoRescue& operator=(const FifoRescue&) = delete;
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
