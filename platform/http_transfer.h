// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/http_client.h"
#include "platform/tls_context.h"

#include <QUrl>

#include <curl/curl.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace kavo {

/// One GET as libcurl runs it: the easy handle with its options and
/// callbacks, and what has arrived so far. Stays where it was made (curl
/// holds its address).
class HttpTransfer {
public:
    /// `onActivity` runs whenever bytes of the answer arrive.
    HttpTransfer(const QUrl& url, const HttpLimits& limits, std::string trustedPem, std::function<void()> onActivity);
    ~HttpTransfer();

    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    /// The easy handle, or null when it could not be set up.
    [[nodiscard]] CURL* handle() const { return easy_; }

    /// How the GET ended, once curl reported `result`: the body only when it
    /// is known to be whole.
    [[nodiscard]] HttpResponse response(CURLcode result);

private:
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);
    static CURLcode onTlsContext(CURL* easy, void* sslContext, void* self);
    [[nodiscard]] bool setUp(const QUrl& url, const HttpLimits& limits);
    [[nodiscard]] bool endedWhole(long status) const;

    CURL* easy_;
    std::string trustedPem_;
    std::function<void()> onActivity_;
    std::size_t maxBody_;
    std::string body_;
    bool bodyStarted_ = false;
    bool overCap_ = false;
    bool chunked_ = false; ///< the latest response's body comes in chunked coding
    bool encoded_ = false; ///< the latest response's body has a content coding (its length is the coded one)
    std::shared_ptr<tls::Ending> tlsEnding_ = std::make_shared<tls::Ending>();
};

} // namespace kavo
