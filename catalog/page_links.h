// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

/// One link target of a page, with every line it appears on.
struct PageLink {
    std::string target;             ///< as written
    std::vector<std::size_t> lines; ///< 1-based as an editor counts them, ascending, each once

    friend bool operator==(const PageLink&, const PageLink&) = default;
};

/// Every distinct link target of a page, in order of first appearance: the
/// target of each "[name](target)" on any line (entry links, further links,
/// links in descriptions and notes alike), a category heading's link as the
/// parser reads it, and "<https://…>" autolinks. Lines that open an HTML
/// comment are passed over, as the parser passes them over. A target written
/// in angle brackets loses them, and one followed by a title loses the title.
[[nodiscard]] std::vector<PageLink> pageLinks(std::string_view page);

} // namespace kavo
