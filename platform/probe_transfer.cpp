// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/probe_transfer.h"

#include "platform/tls_context.h"

#include <algorithm>
#include <charconv>
#include <ctime>

namespace kavo {
namespace {

template <typename Value> bool set(CURL* easy, CURLoption option, Value value)
{
    return curl_easy_setopt(easy, option, value) == CURLE_OK;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char t) {
               return p == (t >= 'A' && t <= 'Z' ? static_cast<char>(t - 'A' + 'a') : t);
           });
}

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kSpace = " \t\r\n";
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// A page may hold IRIs: the bytes of non-ASCII letters are percent-encoded
// for the request line, as a browser does, while a non-ASCII host name is
// left to libcurl's IDN conversion. The fragment is never sent.
std::string requestUrl(std::string_view url)
{
    url = url.substr(0, url.find('#'));
    const auto authority = url.find("://");
    const auto pathStart = authority == std::string_view::npos ? 0 : url.find_first_of("/?", authority + 3);
    if (pathStart == std::string_view::npos) return std::string(url);
    std::string result(url.substr(0, pathStart));
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : url.substr(pathStart)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            result += c;
        } else {
            result += '%';
            result += kHex[byte >> 4];
            result += kHex[byte & 0xF];
        }
    }
    return result;
}

// Retry-After is a number of seconds or an HTTP date.
std::optional<long> retryAfterSeconds(std::string_view value)
{
    long seconds = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    if (error == std::errc::result_out_of_range) return 1'000'000'000L;
    if (error == std::errc() && end == value.data() + value.size() && seconds >= 0) return seconds;
    const std::time_t date = curl_getdate(std::string(value).c_str(), nullptr);
    if (date == -1) return std::nullopt;
    return std::max<long>(0, static_cast<long>(date - std::time(nullptr)));
}

ProbeFailure failureOf(CURLcode result)
{
    switch (result) {
    case CURLE_OK: return ProbeFailure::none;
    case CURLE_COULDNT_RESOLVE_HOST: return ProbeFailure::hostNotFound;
    case CURLE_COULDNT_CONNECT: return ProbeFailure::refused;
    case CURLE_OPERATION_TIMEDOUT: return ProbeFailure::timedOut;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR: return ProbeFailure::reset;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_INVALIDCERTSTATUS: return ProbeFailure::tls;
    default: return ProbeFailure::other;
    }
}

} // namespace

ProbeTransfer::ProbeTransfer(const ProbeRequest& request, std::string_view userAgent, CURLSH* share,
                             std::string_view trustedPem)
    : easy_(curl_easy_init()), url_(requestUrl(request.url)), trustedPem_(trustedPem), head_(request.head)
{
    if (easy_ != nullptr && !setUp(request, userAgent, share)) {
        curl_easy_cleanup(easy_);
        easy_ = nullptr;
    }
}

ProbeTransfer::~ProbeTransfer()
{
    if (easy_ != nullptr) curl_easy_cleanup(easy_);
}

bool ProbeTransfer::setUp(const ProbeRequest& request, std::string_view userAgent, CURLSH* share)
{
    const std::string agent(userAgent);
    const long timeout = std::max(1, request.timeoutMs);
    const bool ready =
        set(easy_, CURLOPT_URL, url_.c_str()) && set(easy_, CURLOPT_PROTOCOLS_STR, "http,https") &&
        (head_ ? set(easy_, CURLOPT_NOBODY, 1L) : set(easy_, CURLOPT_HTTPGET, 1L)) &&
        // Redirects are the rules' to follow, hop by hop: a permanent one anywhere on the way is news.
        set(easy_, CURLOPT_FOLLOWLOCATION, 0L) && set(easy_, CURLOPT_USERAGENT, agent.c_str()) &&
        set(easy_, CURLOPT_TIMEOUT_MS, timeout) && set(easy_, CURLOPT_CONNECTTIMEOUT_MS, timeout) &&
        set(easy_, CURLOPT_NOSIGNAL, 1L) && set(easy_, CURLOPT_PROXY, "") && // no proxy, whatever the environment says
        set(easy_, CURLOPT_ERRORBUFFER, error_) &&
        set(easy_, CURLOPT_HEADERFUNCTION, &ProbeTransfer::onHeader) && set(easy_, CURLOPT_HEADERDATA, this) &&
        set(easy_, CURLOPT_WRITEFUNCTION, &ProbeTransfer::onBody) && set(easy_, CURLOPT_WRITEDATA, this) &&
        (share == nullptr || set(easy_, CURLOPT_SHARE, share));
    // libcurl keeps the authorities it read for the next connections only
    // when they come from a file alone; Debian's build names the directory
    // of the same certificates too, which would make every connection read
    // them all again.
    char* authorities = nullptr;
    if (ready && curl_easy_getinfo(easy_, CURLINFO_CAINFO, &authorities) == CURLE_OK && authorities != nullptr) {
        (void)set(easy_, CURLOPT_CAPATH, static_cast<char*>(nullptr));
    }
    if (ready && !trustedPem_.empty()) {
        return set(easy_, CURLOPT_SSL_CTX_FUNCTION, &ProbeTransfer::onTlsContext) &&
               set(easy_, CURLOPT_SSL_CTX_DATA, this);
    }
    return ready;
}

std::size_t ProbeTransfer::onHeader(char* data, std::size_t size, std::size_t count, void* self)
{
    auto& transfer = *static_cast<ProbeTransfer*>(self);
    const std::string_view line(data, size * count);
    transfer.readHeader(line);
    // Fewer bytes taken than given stops the transfer: a GET ends here, before any body.
    return transfer.headersDone_ ? 0 : line.size();
}

void ProbeTransfer::readHeader(std::string_view line)
{
    if (line.starts_with("HTTP/")) {
        // A new answer (an interim one came first): only its own headers count.
        const auto space = line.find(' ');
        status_ = 0;
        if (space != std::string_view::npos) {
            const std::string_view code = line.substr(space + 1, 3);
            std::from_chars(code.data(), code.data() + code.size(), status_);
        }
        location_.reset();
        retryAfter_.reset();
    } else if (startsWithIgnoringCase(line, "location:")) {
        location_ = std::string(trimmed(line.substr(9)));
    } else if (startsWithIgnoringCase(line, "retry-after:")) {
        retryAfter_ = retryAfterSeconds(trimmed(line.substr(12)));
    } else if (trimmed(line).empty() && status_ >= 200 && !head_) {
        headersDone_ = true;
    }
}

std::size_t ProbeTransfer::onBody(char* /*data*/, std::size_t size, std::size_t count, void* /*self*/)
{
    return size * count; // a HEAD has none, and a GET stops before it
}

CURLcode ProbeTransfer::onTlsContext(CURL* /*easy*/, void* sslContext, void* self)
{
    tls::trustCertificates(sslContext, static_cast<ProbeTransfer*>(self)->trustedPem_);
    return CURLE_OK;
}

ProbeAnswer ProbeTransfer::answer(CURLcode result) const
{
    ProbeAnswer answer;
    answer.elapsedMs = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started_).count());
    if (easy_ == nullptr) {
        answer.failure = ProbeFailure::other;
        answer.failureDetail = "the request could not be set up";
        return answer;
    }
    answer.failure = result == CURLE_WRITE_ERROR && headersDone_ ? ProbeFailure::none : failureOf(result);
    if (answer.failure != ProbeFailure::none) {
        answer.failureDetail = error_[0] != '\0' ? error_ : curl_easy_strerror(result);
        return answer;
    }
    answer.status = status_;
    answer.location = location_;
    answer.retryAfterSeconds = retryAfter_;
    char* redirect = nullptr;
    if (location_ && curl_easy_getinfo(easy_, CURLINFO_REDIRECT_URL, &redirect) == CURLE_OK && redirect != nullptr) {
        answer.redirectUrl = redirect;
    }
    return answer;
}

} // namespace kavo
