// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace kavo::screens {

/// The glyph (a code point of the bundled Material Icons font) that stands
/// for one of the symbol names the screens use, e.g. "star.fill".
[[nodiscard]] std::optional<char32_t> symbolGlyph(std::string_view name);

/// Every symbol name the table knows.
[[nodiscard]] std::vector<std::string_view> symbolNames();

} // namespace kavo::screens
