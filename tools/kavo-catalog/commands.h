// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace kavo::tool {

/// `stats FILE`: categories, sections, entries and related links, per category and in total.
int statsCommand(const std::string& path);

/// `search FILE QUERY`: the main screen's categories and links for QUERY (all of them for ""),
/// as {"categories": [...], "links": [...]}, each list in the cache-file form.
int searchCommand(const std::string& path, const std::string& query);

/// `bench PAGE.md [RUNS]`: medians of parse, encode and decode beside md4c and simdjson.
int benchCommand(const std::string& path, int runs);

/// `check-links PAGE.md [OPTIONS]`: every http(s) link of the page checked; `arguments` follow the command's name.
int checkLinksCommand(const std::vector<std::string>& arguments);

} // namespace kavo::tool
