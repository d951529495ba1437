// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace kavo::screens {

/// Keys for the rows of one list, from what each row shows: an item met
/// again is numbered by how often it came before ("0:x", then "1:x"), so
/// every key is unique and a row keeps its key while others come and go.
class RowKeyNumbering {
public:
    [[nodiscard]] std::string key(std::string item)
    {
        const std::size_t repeat = seen_[item]++;
        return std::to_string(repeat) + ':' + std::move(item);
    }

private:
    std::unordered_map<std::string, std::size_t> seen_;
};

/// One step that turns a list of rows into another, applied in order to the
/// list as the earlier steps left it. A view that is told these steps keeps
/// its scroll position and its current row on the same item, which a reset
/// would throw away.
struct ListEdit {
    enum class Kind {
        Remove, ///< rows [first, first + count)
        Insert, ///< rows [first, first + count) of the new list, inserted before row `first`
        Move,   ///< row `first` moves up to row `to` (to < first)
    };
    Kind kind;
    std::size_t first = 0;
    std::size_t count = 1;
    std::size_t to = 0;

    friend bool operator==(const ListEdit&, const ListEdit&) = default;
};

/// The steps from the rows keyed `before` to the rows keyed `after` (keys
/// unique within each list): removals first, then moves and insertions from
/// the top. Nothing when the lists differ so much that telling it row by row
/// would cost more than starting over (a reset is the honest answer then).
[[nodiscard]] std::optional<std::vector<ListEdit>> planListEdits(std::span<const std::string> before,
                                                                 std::span<const std::string> after);

/// Applies `edits` to `rows`, taking inserted rows from `after` (the list
/// the edits were planned towards). Works for any row type, so a model can
/// mirror the steps on its own rows between telling its view of each.
template <typename Row, typename Notify>
void applyListEdits(std::vector<Row>& rows, std::span<const ListEdit> edits, std::span<const Row> after, Notify&& notify)
{
    for (const ListEdit& edit : edits) {
        notify(edit, true);
        const auto at = rows.begin() + static_cast<std::ptrdiff_t>(edit.first);
        switch (edit.kind) {
        case ListEdit::Kind::Remove: rows.erase(at, at + static_cast<std::ptrdiff_t>(edit.count)); break;
        case ListEdit::Kind::Insert:
            rows.insert(at, after.begin() + static_cast<std::ptrdiff_t>(edit.first),
                        after.begin() + static_cast<std::ptrdiff_t>(edit.first + edit.count));
            break;
        case ListEdit::Kind::Move:
            std::rotate(rows.begin() + static_cast<std::ptrdiff_t>(edit.to), at, at + 1);
            break;
        }
        notify(edit, false);
    }
}

} // namespace kavo::screens
