// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/presentation_rules.h"

#include <QString>

namespace kavo {

/// A history row's "how long ago" label in the user's language: "5m ago" in
/// English, with the plural forms of the installed translation. The date of
/// an older entry is ICU's and already follows the locale.
[[nodiscard]] QString relativeTimeText(const screens::RelativeTime& time);

} // namespace kavo
