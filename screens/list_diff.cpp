// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/list_diff.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace kavo::screens {
namespace {

// Past this many steps the lists have little in common: each step costs the
// view a relayout, and finding it costs a pass over the rows.
constexpr std::size_t kMaxEdits = 64;

} // namespace

std::optional<std::vector<ListEdit>> planListEdits(std::span<const std::string> before,
                                                   std::span<const std::string> after)
{
    std::vector<ListEdit> edits;
    const std::unordered_set<std::string_view> kept(after.begin(), after.end());

    // Removals, bottom up, a run of neighbours at a time, so that earlier
    // positions stay valid.
    std::vector<std::string_view> rows(before.begin(), before.end());
    for (std::size_t end = rows.size(); end > 0;) {
        if (kept.contains(rows[end - 1])) {
            --end;
            continue;
        }
        std::size_t start = end - 1;
        while (start > 0 && !kept.contains(rows[start - 1])) --start;
        edits.push_back({ListEdit::Kind::Remove, start, end - start});
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(start), rows.begin() + static_cast<std::ptrdiff_t>(end));
        end = start;
        if (edits.size() > kMaxEdits) return std::nullopt;
    }

    // Every row left is wanted. From the top, each position either holds its
    // row already, or the row comes up from further down, or it is new (with
    // any new rows that directly follow it).
    std::unordered_map<std::string_view, std::size_t> position;
    for (std::size_t i = 0; i < rows.size(); ++i) position.emplace(rows[i], i);
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i < rows.size() && rows[i] == after[i]) continue;
        if (const auto found = position.find(after[i]); found != position.end()) {
            const std::size_t from = found->second;
            edits.push_back({ListEdit::Kind::Move, from, 1, i});
            std::rotate(rows.begin() + static_cast<std::ptrdiff_t>(i), rows.begin() + static_cast<std::ptrdiff_t>(from),
                        rows.begin() + static_cast<std::ptrdiff_t>(from) + 1);
            for (std::size_t j = i; j <= from; ++j) position[rows[j]] = j;
        } else {
            std::size_t count = 1;
            while (i + count < after.size() && !position.contains(after[i + count])) ++count;
            edits.push_back({ListEdit::Kind::Insert, i, count});
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(i), after.begin() + static_cast<std::ptrdiff_t>(i),
                        after.begin() + static_cast<std::ptrdiff_t>(i + count));
            for (std::size_t j = i; j < rows.size(); ++j) position[rows[j]] = j;
            i += count - 1;
        }
        if (edits.size() > kMaxEdits) return std::nullopt;
    }
    return edits;
}

} // namespace kavo::screens
