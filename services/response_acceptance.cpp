// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/response_acceptance.h"

#include "platform/unicode_text.h"

namespace kavo {

std::optional<std::string> acceptedText(HttpResponse response)
{
    if (response.transportError) return std::nullopt;
    if (!response.statusCode || *response.statusCode < 200 || *response.statusCode > 299) return std::nullopt;
    if (!response.body || !text::isValidUtf8(*response.body) || response.body->empty()) return std::nullopt;
    return std::move(response.body);
}

} // namespace kavo
