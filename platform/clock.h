// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/uuid.h"

#include <chrono>
#include <functional>

namespace kavo {

/// Seconds since 2001-01-01 00:00:00 UTC, with fraction: the form our files store dates in.
using ReferenceSeconds = double;

/// Seconds from the Unix epoch to 2001-01-01 00:00:00 UTC.
inline constexpr double kReferenceDateUnixSeconds = 978307200.0;

/// The current time; injected so tests can pin it.
using Clock = std::function<ReferenceSeconds()>;

/// A source of new identifiers; injected so tests can make them predictable.
using UuidSource = std::function<Uuid()>;

[[nodiscard]] inline ReferenceSeconds systemNow()
{
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceEpoch).count() - kReferenceDateUnixSeconds;
}

[[nodiscard]] inline Clock systemClock() { return &systemNow; }
[[nodiscard]] inline UuidSource randomUuids() { return &Uuid::random; }

} // namespace kavo
