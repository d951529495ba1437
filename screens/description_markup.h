// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kavo::screens {

/// An entry description (Markdown) as rich text in the small HTML subset that
/// Qt Quick's Text.StyledText draws: links, emphasis, strong emphasis and
/// strike-through (code spans stay plain text: StyledText has no monospace
/// tag). Images become their alt text, raw HTML is dropped, every other
/// character is escaped, and nothing in the result can make the text element
/// fetch anything. Nothing when the description cannot be rendered.
[[nodiscard]] std::optional<std::string> descriptionStyledText(std::string_view markdown);

} // namespace kavo::screens
