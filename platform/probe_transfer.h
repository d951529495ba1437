// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/link_probe.h"

#include <curl/curl.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace kavo {

/// One request of the link checker as libcurl runs it: a HEAD, or a GET that
/// stops as soon as the final answer's headers are in, never reading a body.
/// Stays where it was made (curl holds its address).
class ProbeTransfer {
public:
    /// `share` carries TLS sessions between transfers; `trustedPem` holds
    /// certificates trusted besides the system's authorities (may be empty).
    ProbeTransfer(const ProbeRequest& request, std::string_view userAgent, CURLSH* share, std::string_view trustedPem);
    ~ProbeTransfer();

    ProbeTransfer(const ProbeTransfer&) = delete;
    ProbeTransfer& operator=(const ProbeTransfer&) = delete;

    /// The easy handle, or null when it could not be set up.
    [[nodiscard]] CURL* handle() const { return easy_; }

    /// How the request ended, once curl reported `result`.
    [[nodiscard]] ProbeAnswer answer(CURLcode result) const;

private:
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);
    static CURLcode onTlsContext(CURL* easy, void* sslContext, void* self);
    [[nodiscard]] bool setUp(const ProbeRequest& request, std::string_view userAgent, CURLSH* share);
    void readHeader(std::string_view line);

    CURL* easy_;
    std::string url_; ///< what curl is given: the fragment dropped, non-ASCII bytes outside the host percent-encoded
    std::string_view trustedPem_;
    bool head_;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    char error_[CURL_ERROR_SIZE] = {};
    // Of the latest answer; a new status line starts them afresh.
    int status_ = 0;
    std::optional<std::string> location_;
    std::optional<long> retryAfter_;
    bool headersDone_ = false; ///< a GET was stopped on purpose once the final answer's headers were in
};

} // namespace kavo
