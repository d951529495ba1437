// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/http_client.h"

#include <optional>
#include <string>

namespace kavo {

/// The page text of a completed GET, when the answer is usable: no transport
/// error, an HTTP status from 200 to 299, a body, well-formed UTF-8, not
/// empty. Anything else gives nothing, and the caller moves on (to the
/// fallback, or to failure) without telling kinds of failure apart.
[[nodiscard]] std::optional<std::string> acceptedText(HttpResponse response);

} // namespace kavo
