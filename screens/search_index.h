// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kavo::screens {

/// The entries of a catalogue that a search query finds. An entry matches
/// when the lowercased query occurs in its lowercased name, description or
/// link text. Every entry is lowercased once, when the index is built for a
/// catalogue, not on every keystroke; a query is then one forward scan.
class SearchIndex {
public:
    SearchIndex() = default;
    /// Indexes `catalogue`, which must outlive the index and stay unchanged.
    explicit SearchIndex(const std::vector<KVCategory>& catalogue);

    /// One flag per entry, in catalogue order (each category's direct
    /// entries, then its sections' entries): whether the entry matches.
    [[nodiscard]] std::vector<std::uint8_t> matches(std::string_view loweredQuery) const;

    /// The filtered form of each category of `list` (pointers into the
    /// indexed catalogue, in display order) that keeps a matching entry.
    [[nodiscard]] std::vector<struct FilteredCategory> filter(const std::vector<const KVCategory*>& list,
                                                              const std::vector<std::uint8_t>& matches) const;

    [[nodiscard]] std::size_t entryCount() const { return fieldBounds_.empty() ? 0 : (fieldBounds_.size() - 1) / 3; }
    /// All lowered fields back to back (what a query scans).
    [[nodiscard]] const std::string& text() const { return text_; }

private:
    const KVCategory* first_ = nullptr;       // the catalogue's first category
    std::string text_;                        // name, description, link of every entry, lowered
    std::vector<std::uint32_t> fieldBounds_;  // start of each field, then the end of the text
    std::vector<std::uint32_t> categoryFirstEntry_;
};

/// A category as a search shows it: the same title, link and note under a
/// new identity, with only the matching entries (by position in the source)
/// and only the sections that kept some. Made into a record only when a
/// screen opens it, so a keystroke copies no entries.
struct FilteredCategory {
    struct Section {
        std::uint32_t sourceIndex;
        std::vector<std::uint32_t> entries;
    };
    const KVCategory* source = nullptr;
    Uuid id;
    std::vector<std::uint32_t> entries;
    std::vector<Section> sections;

    [[nodiscard]] std::size_t entryCount() const;
    [[nodiscard]] KVCategory materialize() const;
};

/// The search of one list of categories as the main screen runs it: the
/// query lowercased (not trimmed), then matched and filtered.
[[nodiscard]] std::vector<FilteredCategory> search(const SearchIndex& index, const std::vector<const KVCategory*>& list,
                                                   std::string_view query);

} // namespace kavo::screens
