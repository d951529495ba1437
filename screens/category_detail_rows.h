// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <cstddef>
#include <optional>
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
[[nodiscard]] std::optional<std::size_t> entryRowFrom(const std::vector<DetailRow>& rows, std::ptrdiff_t from,
                                                      int step);

/// The entry an Entry row stands for.
[[nodiscard]] const KVEntry& entryFor(const KVCategory& category, const DetailRow& row);

} // namespace kavo::screens
