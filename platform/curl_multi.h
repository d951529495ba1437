// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <curl/curl.h>

#include <functional>

namespace kavo {

/// A libcurl multi handle run by the Qt event loop of the thread it lives on:
/// socket notifiers and one timer tell curl when to act, so transfers need no
/// thread of their own and every callback runs on this object's thread.
class CurlMulti : public QObject {
    Q_OBJECT
public:
    /// Called once for each transfer that ended by itself, with curl's result.
    using Finished = std::function<void(CURL* easy, CURLcode result)>;

    /// Sets libcurl up for the process, once; false when it cannot be used.
    [[nodiscard]] static bool libraryReady();

    explicit CurlMulti(Finished finished, QObject* parent = nullptr);
    ~CurlMulti() override;

    CurlMulti(const CurlMulti&) = delete;
    CurlMulti& operator=(const CurlMulti&) = delete;

    /// Starts the transfer; false when curl refuses it.
    [[nodiscard]] bool add(CURL* easy);
    /// Stops the transfer at once (its connection is closed); `finished` is not called for it.
    void remove(CURL* easy);

    /// Never more than `perHost` connections to one host and port, and up to
    /// `kept` idle connections kept open for reuse.
    void limitConnections(long perHost, long kept);

private:
    static int onSocket(CURL* easy, curl_socket_t socket, int what, void* self, void* watch);
    static int onTimer(CURLM* multi, long timeoutMs, void* self);
    void watch(curl_socket_t socket, int what, void* existing);
    void act(curl_socket_t socket, int events);
    void reportFinished();

    CURLM* multi_;
    QTimer timer_;
    Finished finished_;
};

} // namespace kavo
