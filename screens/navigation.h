// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"
#include "screens/main_list.h"

#include <optional>
#include <string>
#include <vector>

namespace kavo::screens {

/// Which category is open, and what its screen shows. One state serves both
/// layouts: a narrow window shows the open category over the main list, a
/// wide one beside it; so a resize keeps what is open.
///
/// A category is known by its main-list row key, which survives refreshes
/// and searches. Its screen shows the category as it was when opened (a
/// refresh does not change an open screen); a new search text shows the
/// search's copy of it, or closes it when it no longer matches. So does a
/// previewed page read anew, which the screen follows.
class Navigation {
public:
    /// Opens the category of row `row` of `list` (whose keys are `keys`);
    /// any other kind of row closes what is open.
    void open(const MainList& list, const std::vector<std::string>& keys, std::size_t row);
    void close();
    /// `list` was derived anew: for a new search text, or for a new reading
    /// of a previewed page. The open category as `list` holds it now, or
    /// none when it holds it no more.
    void listChanged(const MainList& list, const std::vector<std::string>& keys);

    [[nodiscard]] bool isOpen() const { return shown_.has_value(); }
    /// The open category's row key; empty when nothing is open.
    [[nodiscard]] const std::string& key() const { return key_; }
    /// What the category's screen shows; nothing: the placeholder.
    [[nodiscard]] const std::optional<KVCategory>& shown() const { return shown_; }

private:
    std::string key_;
    std::optional<KVCategory> shown_;
};

} // namespace kavo::screens
