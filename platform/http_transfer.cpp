// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/http_transfer.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <string_view>

namespace kavo {
namespace {

std::string asciiLower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

template <typename Value> bool set(CURL* easy, CURLoption option, Value value)
{
    return curl_easy_setopt(easy, option, value) == CURLE_OK;
}

} // namespace

HttpTransfer::HttpTransfer(const QUrl& url, const HttpLimits& limits, std::string trustedPem,
                           std::function<void()> onActivity)
    : easy_(curl_easy_init()), trustedPem_(std::move(trustedPem)), onActivity_(std::move(onActivity)),
      maxBody_(limits.maxBodyBytes)
{
    if (easy_ != nullptr && !setUp(url, limits)) {
        curl_easy_cleanup(easy_);
        easy_ = nullptr;
    }
}

HttpTransfer::~HttpTransfer()
{
    if (easy_ != nullptr) curl_easy_cleanup(easy_);
}

bool HttpTransfer::setUp(const QUrl& url, const HttpLimits& limits)
{
    const std::string address = url.toEncoded().toStdString();
    const bool secure = url.scheme() == QLatin1String("https");
    const bool ready =
        set(easy_, CURLOPT_URL, address.c_str()) && set(easy_, CURLOPT_PROTOCOLS_STR, "http,https") &&
        // Redirects are followed, but never from HTTPS to plain HTTP.
        set(easy_, CURLOPT_FOLLOWLOCATION, 1L) && set(easy_, CURLOPT_MAXREDIRS, 20L) &&
        set(easy_, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https") &&
        set(easy_, CURLOPT_NOSIGNAL, 1L) &&
        // Every GET on a connection of its own: a connection a server stopped
        // answering on is never used again, and how a TLS connection ended
        // belongs to exactly one answer.
        set(easy_, CURLOPT_FRESH_CONNECT, 1L) && set(easy_, CURLOPT_FORBID_REUSE, 1L) &&
        set(easy_, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.deadlineMs)) &&
        // An announced length over the cap is refused before any of the body arrives.
        set(easy_, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes)) &&
        set(easy_, CURLOPT_ACCEPT_ENCODING, "") && // every coding curl can decode; the cap counts decoded bytes
        set(easy_, CURLOPT_PROXY, "") &&           // no proxy, whatever the environment says
        set(easy_, CURLOPT_HEADERFUNCTION, &HttpTransfer::onHeader) && set(easy_, CURLOPT_HEADERDATA, this) &&
        set(easy_, CURLOPT_WRITEFUNCTION, &HttpTransfer::onBody) && set(easy_, CURLOPT_WRITEDATA, this);
    // Only the OpenSSL backend takes this; without it no close_notify is ever
    // seen, and a body that ends with its connection is never taken as whole.
    (void)set(easy_, CURLOPT_SSL_CTX_FUNCTION, &HttpTransfer::onTlsContext);
    (void)set(easy_, CURLOPT_SSL_CTX_DATA, this);
    return ready;
}

std::size_t HttpTransfer::onHeader(char* data, std::size_t size, std::size_t count, void* self)
{
    auto& transfer = *static_cast<HttpTransfer*>(self);
    const std::string_view line(data, size * count);
    transfer.onActivity_();
    if (line.starts_with("HTTP/")) {
        // A new response (after a redirect or an interim one): only its own framing and ending count.
        transfer.chunked_ = false;
        transfer.encoded_ = false;
        transfer.tlsEnding_->closeNotifyReceived = false;
    } else if (const std::string lower = asciiLower(line); lower.starts_with("transfer-encoding:")) {
        transfer.chunked_ = lower.find("chunked") != std::string::npos;
    } else if (lower.starts_with("content-encoding:")) {
        std::string_view coding = std::string_view(lower).substr(17);
        const std::size_t start = coding.find_first_not_of(" \t");
        coding = start == std::string_view::npos ? std::string_view() : coding.substr(start);
        coding = coding.substr(0, coding.find_first_of(" \t\r\n"));
        transfer.encoded_ = !coding.empty() && coding != "identity";
    }
    return line.size();
}

std::size_t HttpTransfer::onBody(char* data, std::size_t size, std::size_t count, void* self)
{
    auto& transfer = *static_cast<HttpTransfer*>(self);
    const std::size_t bytes = size * count;
    transfer.onActivity_();
    try {
        if (!transfer.bodyStarted_) {
            transfer.bodyStarted_ = true;
            // Room for the whole body at once: the string never grows by
            // copying, which would hold the body twice. Room not written to
            // costs address space only, so without a length the cap is taken;
            // an encoded body's length is that of its coded bytes, which
            // decode to far more.
            curl_off_t announced = -1;
            curl_easy_getinfo(transfer.easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
            const bool known =
                !transfer.encoded_ && announced > 0 && static_cast<std::size_t>(announced) <= transfer.maxBody_;
            transfer.body_.reserve(known ? static_cast<std::size_t>(announced) : transfer.maxBody_);
        }
        if (transfer.body_.size() + bytes <= transfer.maxBody_) {
            transfer.body_.append(data, bytes);
            return bytes;
        }
    } catch (const std::bad_alloc&) {
        // Nothing may unwind through curl; no memory is treated as no room.
    }
    // Over the cap: curl stops at once when told fewer bytes were taken, and
    // what was read goes right away.
    transfer.overCap_ = true;
    std::string().swap(transfer.body_);
    return 0;
}

CURLcode HttpTransfer::onTlsContext(CURL* /*easy*/, void* sslContext, void* self)
{
    auto& transfer = *static_cast<HttpTransfer*>(self);
    tls::prepareContext(sslContext, transfer.tlsEnding_, transfer.trustedPem_);
    return CURLE_OK;
}

/*
 * Where the answer says where its body ends (HTTP/2 frames, a Content-Length,
 * the last chunk), curl has checked that it got there. An HTTP/1 body without
 * either ends with its connection, and a connection that just stops looks the
 * same whether the server finished or the connection was cut; only a TLS
 * close_notify says the server finished. So over plain HTTP such a body is
 * never whole.
 */
bool HttpTransfer::endedWhole(long status) const
{
    long version = 0;
    curl_easy_getinfo(easy_, CURLINFO_HTTP_VERSION, &version);
    if (version >= CURL_HTTP_VERSION_2_0) return true;
    curl_off_t announced = -1;
    curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    if (announced >= 0 || chunked_) return true;
    if (status < 200 || status == 204 || status == 304) return true; // answers that never carry a body
    return tlsEnding_->closeNotifyReceived;
}

HttpResponse HttpTransfer::response(CURLcode result)
{
    HttpResponse response;
    long status = 0;
    if (easy_ != nullptr) curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
    if (status > 0) response.statusCode = static_cast<int>(status);
    if (easy_ == nullptr || result != CURLE_OK || overCap_ || !endedWhole(status)) {
        response.transportError = true;
        return response;
    }
    response.body = std::move(body_);
    return response;
}

} // namespace kavo
