// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QUrl>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace kavo {

class CurlMulti;

/// Bounds on one GET.
struct HttpLimits {
    int inactivityTimeoutMs = 15'000;      ///< no data for this long fails the request
    int deadlineMs = 5 * 60'000;           ///< the whole request, however steadily data trickles in
    std::size_t maxBodyBytes = 64u << 20;  ///< a longer body is not downloaded
};

/// How one GET ended. A transport error covers time-outs, aborts, TLS
/// failures, connections lost before the body was complete, bodies over the
/// cap, and bodies whose end cannot be told from a cut; the body is then
/// absent, never partial.
struct HttpResponse {
    bool transportError = false;
    std::optional<int> statusCode;   ///< absent when no HTTP response arrived
    std::optional<std::string> body; ///< absent after a transport error
};

/// HTTP GET with libcurl, run by the event loop of this object's thread:
/// redirects followed but never from HTTPS to HTTP, TLS certificates always
/// verified, each GET on a fresh connection, and the limits above. A body is
/// only ever handed over whole: where the answer does not frame it, the
/// server must end TLS with close_notify.
class HttpClient : public QObject {
    Q_OBJECT
public:
    explicit HttpClient(HttpLimits limits, QObject* parent = nullptr);
    ~HttpClient() override;

    /// Starts a GET; `done` runs once, on this object's thread, never before
    /// get() returns. Nothing runs when the client is destroyed first.
    void get(const QUrl& url, std::function<void(HttpResponse)> done);

    /// Trusts the PEM certificates in `pem` besides the system's authorities,
    /// for GETs started from now on (a server with a private authority).
    void addTrustedCertificates(const QByteArray& pem);

signals:
    /// Emitted as each GET starts: lets an owner's tests see what was requested, and when.
    void requestStarted(const QUrl& url);

private:
    struct Pending;
    void finish(void* easy, int curlResult);
    void deliver(std::function<void(HttpResponse)> done, HttpResponse response);

    HttpLimits limits_;
    std::string trustedPem_;
    CurlMulti* multi_;
    std::unordered_map<void*, std::unique_ptr<Pending>> pending_; ///< by curl easy handle
};

} // namespace kavo
