// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kavo::screens {

/// How much of a description is rendered, in bytes of its Markdown. A row
/// shows two lines of it; the label's layout time and memory grow with the
/// whole text it is given, so a longer description is rendered from a prefix.
inline constexpr std::size_t kDescriptionRenderLimit = 4096;

/// An entry description (Markdown) as rich text in the small HTML subset that
/// Qt Quick's Text.StyledText draws: links, emphasis, strong emphasis and
/// strike-through (code spans stay plain text: StyledText has no monospace
/// tag). Images become their alt text, raw HTML is dropped, every other
/// character is escaped, and nothing in the result can make the text element
/// fetch anything. Only the first kDescriptionRenderLimit bytes are rendered,
/// cut back to the end of a user-perceived character, so the result is
/// bounded whatever the description's length. Nothing when that part is not
/// well-formed UTF-8.
[[nodiscard]] std::optional<std::string> descriptionStyledText(std::string_view description);

} // namespace kavo::screens
