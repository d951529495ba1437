// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/navigation.h"

#include <algorithm>

namespace kavo::screens {

void Navigation::open(const MainList& list, const std::vector<std::string>& keys, std::size_t row)
{
    if (row >= list.rows.size() || list.rows[row].kind != MainRowKind::Category) {
        close();
        return;
    }
    key_ = keys[row];
    shown_ = list.categoryFor(list.rows[row]);
}

void Navigation::close()
{
    key_.clear();
    shown_.reset();
}

void Navigation::listChanged(const MainList& list, const std::vector<std::string>& keys)
{
    if (!isOpen()) return;
    const auto found = std::find(keys.begin(), keys.end(), key_);
    if (found == keys.end()) {
        close();
        return;
    }
    shown_ = list.categoryFor(list.rows[static_cast<std::size_t>(found - keys.begin())]);
}

} // namespace kavo::screens
