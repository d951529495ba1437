// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kavo-catalog/link_verdict.h"

#include "platform/url.h"

#include <algorithm>
#include <array>

namespace kavo::linkcheck {
namespace {

struct VerdictNames {
    Verdict verdict;
    std::string_view name;
    std::string_view key;
};
constexpr std::array kVerdictNames = std::to_array<VerdictNames>({
    {Verdict::ok, "ok", "ok"},
    {Verdict::broken, "broken", "broken"},
    {Verdict::moved, "moved", "moved"},
    {Verdict::timedOut, "timed out", "timedOut"},
    {Verdict::rateLimited, "rate-limited", "rateLimited"},
    {Verdict::skipped, "skipped", "skipped"},
});

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The scheme of an absolute reference (RFC 3986: a letter, then letters,
// digits, "+", "-" or "."; then ":"), lowercased; empty for a relative one.
std::string schemeOf(std::string_view target)
{
    const auto colon = target.find(':');
    if (colon == std::string_view::npos || colon == 0 || target.find_first_of("/?#") < colon) return {};
    std::string scheme;
    for (const char c : target.substr(0, colon)) {
        const char lower = asciiLower(c);
        const bool letter = lower >= 'a' && lower <= 'z';
        if (!letter && (scheme.empty() || !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))) return {};
        scheme += lower;
    }
    return scheme;
}

bool isWeb(std::string_view url)
{
    const std::string scheme = schemeOf(url);
    return (scheme == "http" || scheme == "https") && url.substr(scheme.size()).starts_with("://");
}

std::string seconds(long milliseconds)
{
    return std::to_string(milliseconds / 1000) + (milliseconds % 1000 == 0 ? "" : "." + std::to_string(milliseconds % 1000 / 100)) + " s";
}

std::string httpStatus(int status) { return "HTTP " + std::to_string(status); }

} // namespace

std::string_view verdictName(Verdict verdict)
{
    return std::ranges::find(kVerdictNames, verdict, &VerdictNames::verdict)->name;
}

std::string_view verdictKey(Verdict verdict)
{
    return std::ranges::find(kVerdictNames, verdict, &VerdictNames::verdict)->key;
}

std::optional<Verdict> verdictFromKey(std::string_view key)
{
    const auto* found = std::ranges::find(kVerdictNames, key, &VerdictNames::key);
    return found == kVerdictNames.end() ? std::nullopt : std::optional<Verdict>(found->verdict);
}

std::optional<LinkResult> resultWithoutRequest(std::string_view target)
{
    const std::string scheme = schemeOf(target);
    if (scheme.empty()) return LinkResult{Verdict::skipped, "relative link"};
    if (scheme != "http" && scheme != "https") return LinkResult{Verdict::skipped, scheme + ": link"};
    if (!isWeb(target) || !Url::isAcceptable(target)) return LinkResult{Verdict::broken, "not a valid URL"};
    return std::nullopt;
}

LinkCheck::LinkCheck(std::string url, int timeoutMs) : current_(std::move(url)), timeoutMs_(timeoutMs)
{
    visited_.push_back(current_);
}

LinkCheck::Step LinkCheck::request(int delayMs)
{
    const int left = timeoutMs_ - spentMs_;
    if (left <= 0) return finish(Verdict::timedOut, "no answer within " + seconds(timeoutMs_));
    return Step{ProbeRequest{current_, head_, left}, delayMs};
}

LinkCheck::Step LinkCheck::finish(Verdict verdict, std::string detail)
{
    result_ = LinkResult{verdict, std::move(detail)};
    return Step{};
}

// Where a hop failed, unless it was the link itself.
LinkCheck::Step LinkCheck::failed(std::string detail)
{
    if (visited_.size() > 1) detail += " (at " + current_ + ")";
    return finish(Verdict::broken, std::move(detail));
}

LinkCheck::Step LinkCheck::next(const ProbeAnswer& answer)
{
    spentMs_ += answer.elapsedMs;
    switch (answer.failure) {
    case ProbeFailure::none: break;
    case ProbeFailure::timedOut: return finish(Verdict::timedOut, "no answer within " + seconds(timeoutMs_));
    case ProbeFailure::hostNotFound: return failed("host not found");
    case ProbeFailure::refused: return failed("connection refused");
    case ProbeFailure::reset: return failed("connection reset");
    case ProbeFailure::tls: return failed("TLS: " + answer.failureDetail);
    case ProbeFailure::other: return failed(answer.failureDetail);
    }
    const int status = answer.status;
    if (head_ && (status == 405 || status == 501 || status == 403 || status == 400)) {
        head_ = false;
        return request();
    }
    if (status >= 300 && status < 400 && answer.location) return redirect(status, answer);
    if (status == 429 || status >= 500) return refused(status, answer.retryAfterSeconds);
    if (status >= 400) return failed(httpStatus(status));
    if (status < 100) return failed("no HTTP answer");
    if (permanent_) return finish(Verdict::moved, current_);
    return finish(Verdict::ok, {});
}

LinkCheck::Step LinkCheck::redirect(int status, const ProbeAnswer& answer)
{
    const std::string& target = answer.redirectUrl.value_or(*answer.location);
    if (!answer.redirectUrl || !isWeb(target)) {
        return failed(httpStatus(status) + " redirect to " + target + ", not an http(s) URL");
    }
    if (std::ranges::find(visited_, target) != visited_.end()) return failed("redirect loop back to " + target);
    if (visited_.size() > static_cast<std::size_t>(kMaxRedirects)) {
        return failed("more than " + std::to_string(kMaxRedirects) + " redirects");
    }
    permanent_ = permanent_ || status == 301 || status == 308;
    current_ = target;
    visited_.push_back(target);
    return request();
}

LinkCheck::Step LinkCheck::refused(int status, const std::optional<long>& retryAfterSeconds)
{
    const Verdict verdict = status == 429 ? Verdict::rateLimited : Verdict::broken;
    std::string detail = httpStatus(status);
    const bool namesWait = retryAfterSeconds && (status == 429 || status == 503);
    if (namesWait) detail += ", Retry-After " + std::to_string(*retryAfterSeconds) + " s";
    if (namesWait && *retryAfterSeconds > kMaxRetryAfterSeconds) return finish(verdict, detail + " (not waited for)");
    if (retried_) return finish(verdict, detail + ", again after one retry");
    if (status == 429 && !namesWait) return finish(verdict, detail);
    retried_ = true;
    return request(namesWait ? static_cast<int>(*retryAfterSeconds * 1000) : kRetryPauseMs);
}

} // namespace kavo::linkcheck
