// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/repeat_guard.h"

namespace kavo::screens {

bool RepeatGuard::accept(std::string_view key, double now)
{
    // A clock that went back (a changed system time) is not a repeat.
    const bool repeat = any_ && key == lastKey_ && now >= lastAt_ && now - lastAt_ < interval_;
    if (repeat) return false;
    any_ = true;
    lastKey_ = key;
    lastAt_ = now;
    return true;
}

} // namespace kavo::screens
