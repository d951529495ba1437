// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// What the link checker asks of one HTTP request, and what it learns from it:
// plain values shared by the prober (which makes the requests) and the rules
// (which decide what they mean).
namespace kavo {

/// One request of the link checker: a HEAD, or a GET that stops after the headers.
struct ProbeRequest {
    std::string url; ///< absolute http(s) URL; a fragment is never sent
    bool head = true;
    int timeoutMs = 15'000; ///< for the whole request, connecting included
};

/// Why a request got no HTTP answer.
enum class ProbeFailure { none, hostNotFound, refused, reset, tls, timedOut, other };

/// How one request ended.
struct ProbeAnswer {
    ProbeFailure failure = ProbeFailure::none;
    std::string failureDetail; ///< libcurl's words for the failure
    int status = 0;            ///< of the final answer (interim 1xx answers are passed over)
    std::optional<std::string> location;    ///< the Location header, as sent
    std::optional<std::string> redirectUrl; ///< that, resolved against the request's URL, when libcurl can use it
    std::optional<long> retryAfterSeconds;  ///< Retry-After, as seconds from the answer (a date in the past is 0)
    int elapsedMs = 0;                      ///< from the request's start to its end, queueing not counted
};

} // namespace kavo
