// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/category_detail_rows.h"

#include <algorithm>

namespace kavo::screens {

std::vector<DetailRow> detailRows(const KVCategory& category)
{
    std::vector<DetailRow> rows;
    if (category.note) rows.push_back({DetailRowKind::CategoryNote});
    if (!category.entries.empty()) {
        rows.push_back({DetailRowKind::Header}); // "General"
        for (std::size_t i = 0; i < category.entries.size(); ++i) rows.push_back({DetailRowKind::Entry, -1, i});
    }
    for (std::size_t s = 0; s < category.sections.size(); ++s) {
        const KVSection& section = category.sections[s];
        const int index = static_cast<int>(s);
        rows.push_back({DetailRowKind::Header, index});
        if (section.note) rows.push_back({DetailRowKind::SectionNote, index});
        for (std::size_t i = 0; i < section.entries.size(); ++i) rows.push_back({DetailRowKind::Entry, index, i});
    }
    return rows;
}

std::optional<std::size_t> entryRowFrom(const std::vector<DetailRow>& rows, std::ptrdiff_t from, int step)
{
    const auto size = static_cast<std::ptrdiff_t>(rows.size());
    if (size == 0) return std::nullopt;
    for (std::ptrdiff_t row = std::clamp<std::ptrdiff_t>(from, 0, size - 1); row >= 0 && row < size; row += step) {
        if (rows[static_cast<std::size_t>(row)].kind == DetailRowKind::Entry) return static_cast<std::size_t>(row);
    }
    return std::nullopt;
}

const KVEntry& entryFor(const KVCategory& category, const DetailRow& row)
{
    if (row.section < 0) return category.entries.at(row.entry);
    return category.sections.at(static_cast<std::size_t>(row.section)).entries.at(row.entry);
}

} // namespace kavo::screens
