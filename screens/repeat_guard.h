// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kavo::screens {

/// Tells a second activation of the same thing that follows within the
/// double-click interval (the second click of a double click, a bouncing
/// key) from a new one: opening a link twice opens two browser tabs.
class RepeatGuard {
public:
    explicit RepeatGuard(double intervalSeconds) : interval_(intervalSeconds) {}

    /// True when activating `key` at `now` (seconds) counts; false for a repeat.
    [[nodiscard]] bool accept(std::string_view key, double now);

private:
    double interval_;
    std::string lastKey_;
    double lastAt_ = 0;
    bool any_ = false;
};

} // namespace kavo::screens
