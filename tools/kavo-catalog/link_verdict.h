// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/link_probe.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What `check-links` makes of a link: the rules, without any transfer.
namespace kavo::linkcheck {

enum class Verdict { ok, broken, moved, timedOut, rateLimited, skipped };

/// What became of one link.
struct LinkResult {
    Verdict verdict = Verdict::ok;
    std::string detail; ///< why ("HTTP 404", "connection refused"…); for a moved link, where it went

    friend bool operator==(const LinkResult&, const LinkResult&) = default;
};

/// The verdict's name in the printed lines ("timed out") and its key in JSON ("timedOut").
[[nodiscard]] std::string_view verdictName(Verdict verdict);
[[nodiscard]] std::string_view verdictKey(Verdict verdict);
[[nodiscard]] std::optional<Verdict> verdictFromKey(std::string_view key);

/// The result of a target that is never fetched: other schemes and relative
/// links are skipped, an http(s) target that is no valid URL is broken.
/// Nothing for a target to fetch.
[[nodiscard]] std::optional<LinkResult> resultWithoutRequest(std::string_view target);

/// Redirects followed on one link, at most.
inline constexpr int kMaxRedirects = 5;
/// The longest Retry-After waited for, in seconds; a longer one is reported.
inline constexpr long kMaxRetryAfterSeconds = 60;
/// The pause before the one retry of a server error that names no Retry-After.
inline constexpr int kRetryPauseMs = 1'000;

/*
 * One link's check, request by request. HEAD first, and a GET when the server
 * refuses HEAD (405, 501, and 403 or 400 on HEAD only); redirects followed hop
 * by hop, at most kMaxRedirects, never to another scheme than http(s); a
 * permanent one (301, 308) at any hop makes a link that ends well "moved". A
 * 5xx is retried once, after its Retry-After when a 503 names one of at most
 * kMaxRetryAfterSeconds; so is a 429 that names one, and a 429 left
 * unanswered is "rate-limited" (not checked), never broken. The time-out
 * holds for the whole link: its requests together, waits aside.
 */
class LinkCheck {
public:
    /// What to do next: wait `delayMs`, then make `request`; no request when the check is over.
    struct Step {
        std::optional<ProbeRequest> request;
        int delayMs = 0;
    };

    LinkCheck(std::string url, int timeoutMs);

    [[nodiscard]] Step start() const { return Step{ProbeRequest{current_, head_, timeoutMs_}, 0}; }
    [[nodiscard]] Step next(const ProbeAnswer& answer);
    /// Valid once a step came back without a request.
    [[nodiscard]] const LinkResult& result() const { return result_; }

private:
    [[nodiscard]] Step request(int delayMs = 0);
    [[nodiscard]] Step finish(Verdict verdict, std::string detail);
    [[nodiscard]] Step failed(std::string detail);
    [[nodiscard]] Step redirect(int status, const ProbeAnswer& answer);
    [[nodiscard]] Step refused(int status, const std::optional<long>& retryAfterSeconds);

    std::string current_;
    bool head_ = true;
    int timeoutMs_;
    int spentMs_ = 0;
    bool permanent_ = false;
    bool retried_ = false;
    std::vector<std::string> visited_; ///< the link and each hop so far
    LinkResult result_;
};

} // namespace kavo::linkcheck
