// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/category_detail_rows.h"

#include "screens/list_diff.h"

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

std::vector<std::string> detailRowKeys(const KVCategory& category, const std::vector<DetailRow>& rows)
{
    std::vector<std::string> keys;
    keys.reserve(rows.size());
    RowKeyNumbering numbering;
    for (const DetailRow& row : rows) {
        const std::string* title = row.section < 0 ? nullptr : &category.sections[static_cast<std::size_t>(row.section)].title;
        std::string item;
        switch (row.kind) {
        case DetailRowKind::CategoryNote: item = "note"; break;
        case DetailRowKind::Header: item = title ? "header:" + *title : "general"; break;
        case DetailRowKind::SectionNote: item = "note:" + *title; break;
        case DetailRowKind::Entry: item = "entry:" + entryFor(category, row).url.text(); break;
        }
        keys.push_back(numbering.key(std::move(item)));
    }
    return keys;
}

const KVEntry& entryFor(const KVCategory& category, const DetailRow& row)
{
    if (row.section < 0) return category.entries.at(row.entry);
    return category.sections.at(static_cast<std::size_t>(row.section)).entries.at(row.entry);
}

} // namespace kavo::screens
