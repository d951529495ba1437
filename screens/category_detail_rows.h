// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kavo::screens {

/// The rows of a category's screen, top to bottom: the category's note, the
/// "General" header and the direct entries, then each section's header, its
/// note and its entries. Presence decides, not content: an empty note still
/// gets its row, a section without entries still gets its header.
enum class DetailRowKind { CategoryNote, Header, SectionNote, Entry };

struct DetailRow {
    DetailRowKind kind;
    int section = -1;       ///< the section the row belongs to; -1 for the category's own rows
    std::size_t entry = 0;  ///< for Entry rows: the index in that section's (or the category's) entries
};

[[nodiscard]] std::vector<DetailRow> detailRows(const KVCategory& category);

/// The entry row nearest to `from` (brought into the rows' range) in the
/// direction of `step` (+1 or -1), `from` itself included; nothing when there
/// is none that way. Notes and headers do nothing, so the keyboard passes
/// over them.
template <typename Rows> [[nodiscard]] std::optional<std::size_t> entryRowFrom(const Rows& rows, std::ptrdiff_t from, int step);

/// A name for each row that stays with its item when the category is read
/// anew (a previewed page edited): the note, "General", a section's header
/// and note by the section's title, an entry by its link; repeats numbered.
[[nodiscard]] std::vector<std::string> detailRowKeys(const KVCategory& category, const std::vector<DetailRow>& rows);

/// The entry an Entry row stands for.
[[nodiscard]] const KVEntry& entryFor(const KVCategory& category, const DetailRow& row);

// Any rows with a `kind`: the model keeps more with each.
template <typename Rows> std::optional<std::size_t> entryRowFrom(const Rows& rows, std::ptrdiff_t from, int step)
{
    const auto size = static_cast<std::ptrdiff_t>(rows.size());
    if (size == 0) return std::nullopt;
    for (std::ptrdiff_t row = std::clamp<std::ptrdiff_t>(from, 0, size - 1); row >= 0 && row < size; row += step) {
        if (rows[static_cast<std::size_t>(row)].kind == DetailRowKind::Entry) return static_cast<std::size_t>(row);
    }
    return std::nullopt;
}

} // namespace kavo::screens
