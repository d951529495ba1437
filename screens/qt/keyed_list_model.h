// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/list_diff.h"

#include <QAbstractListModel>

#include <span>
#include <vector>

namespace kavo {

/// A list model that is told of new rows step by step (screens::ListEdit),
/// each step applied to its rows as its views hear of it, so that they keep
/// their place and their current row.
class KeyedListModel : public QAbstractListModel {
    Q_OBJECT

protected:
    using QAbstractListModel::QAbstractListModel;

    /// Turns `rows` into `after` by `edits` (planned between their keys).
    template <typename Row>
    void applyEdits(std::vector<Row>& rows, std::span<const screens::ListEdit> edits, std::span<const Row> after)
    {
        screens::applyListEdits<Row>(rows, edits, after, [this](const screens::ListEdit& edit, bool before) {
            tell(edit, before);
        });
    }

private:
    /// Tells the views of one step: before it is applied, or after.
    void tell(const screens::ListEdit& edit, bool before);
};

} // namespace kavo
