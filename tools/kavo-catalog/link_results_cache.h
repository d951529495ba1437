// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"
#include "tools/kavo-catalog/link_verdict.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace kavo::linkcheck {

/// The results of earlier runs are used for a day.
inline constexpr double kResultLifetimeSeconds = 24 * 3600;

/// One link's result as an earlier run found it.
struct CachedResult {
    LinkResult result;
    ReferenceSeconds checkedAt = 0;
    int timeoutMs = 0; ///< the time-out it was checked with

    friend bool operator==(const CachedResult&, const CachedResult&) = default;
};

/// The results of earlier runs by URL, of every page checked.
using ResultCache = std::unordered_map<std::string, CachedResult>;

/// Whether a result is stored at all: a rate-limited link was never checked,
/// and skipped links are judged without a request.
[[nodiscard]] bool isKept(Verdict verdict);

/// Whether a stored result stands for a check made `now` with `timeoutMs`:
/// made within the lifetime (and not in the future), and, for a time-out,
/// with at least as much time as is given now.
[[nodiscard]] bool isFresh(const CachedResult& cached, ReferenceSeconds now, int timeoutMs);

/// The cache file's JSON: [{"url","verdict","detail","checkedAt","timeoutMs"}, …],
/// of the results still in their lifetime at `now`, in URL order.
[[nodiscard]] std::string encodeResults(const ResultCache& results, ReferenceSeconds now);

/// All or nothing: a file that does not decode whole counts as no cache.
[[nodiscard]] ResultCache decodeResults(std::string_view json);

} // namespace kavo::linkcheck
