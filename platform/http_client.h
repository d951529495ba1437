// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QUrl>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

class QNetworkAccessManager;

namespace kavo {

/// Bounds on one GET.
struct HttpLimits {
    int inactivityTimeoutMs = 15'000;      ///< no data for this long fails the request
    int deadlineMs = 5 * 60'000;           ///< the whole request, however steadily data trickles in
    std::size_t maxBodyBytes = 64u << 20;  ///< a longer body is not downloaded
};

/// How one GET ended. A transport error covers time-outs, aborts, TLS
/// failures and connections lost before the body was complete; the body is
/// then absent, never partial.
struct HttpResponse {
    bool transportError = false;
    std::optional<int> statusCode;   ///< absent when no HTTP response arrived
    std::optional<std::string> body; ///< absent after a transport error
};

/// HTTP GET with Qt's network stack: default redirect policy (never HTTPS to
/// HTTP), TLS certificates always verified, and the limits above.
class HttpClient : public QObject {
    Q_OBJECT
public:
    explicit HttpClient(HttpLimits limits, QObject* parent = nullptr);
    ~HttpClient() override;

    /// Starts a GET; `done` runs once, on this object's thread. Nothing runs
    /// when the client is destroyed first.
    void get(const QUrl& url, std::function<void(HttpResponse)> done);

signals:
    /// Emitted as each GET starts: lets an owner's tests see what was requested, and when.
    void requestStarted(const QUrl& url);

private:
    HttpLimits limits_;
    QNetworkAccessManager* manager_;
};

} // namespace kavo
