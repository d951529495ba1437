// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>
#include <system_error>
#include <thread>

namespace kavo {

/// A start-up read of one of our files, begun early on a thread of its own
/// so that reading and decoding a large file overlap the window system's and
/// the window's own start; `Read` reads and decodes the file at a path. Its
/// own thread rather than the shared pool: it starts before the application
/// object exists and must not queue behind other work. (A plain thread, not
/// std::async: a future's call_once reaches the dynamic loader's TLS entry,
/// which would make the binary need ld-linux itself.)
template <typename Result, Result (*Read)(const QString&)> class ReadAhead {
public:
    /// Starts reading `path` on a new thread.
    [[nodiscard]] static std::shared_ptr<ReadAhead> start(const QString& path)
    {
        return std::shared_ptr<ReadAhead>(new ReadAhead(path));
    }

    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;
    /// Waits for the worker: a read is never left running.
    ~ReadAhead()
    {
        if (worker_.joinable()) worker_.join();
    }

    /// What `Read` gives for `path`, waiting for it if needed. The result is
    /// handed out once: when it was already taken, or the read was of another
    /// path, the file is read again here. Called from one thread (the main thread).
    [[nodiscard]] Result take(const QString& path)
    {
        if (worker_.joinable()) worker_.join(); // the join makes the worker's result visible here
        if (taken_ || path != path_) return Read(path);
        taken_ = true;
        return std::move(result_);
    }

private:
    explicit ReadAhead(QString path) : path_(std::move(path))
    {
        try {
            worker_ = std::thread([this] { result_ = Read(path_); });
        } catch (const std::system_error&) {
            taken_ = true; // no thread to be had: take() reads the file itself
        }
    }

    const QString path_;
    Result result_{}; ///< written by the worker, read after joining it
    bool taken_ = false;
    std::thread worker_; ///< started once the members above exist
};

} // namespace kavo
