// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/keyed_list_model.h"

namespace kavo {

void KeyedListModel::tell(const screens::ListEdit& edit, bool before)
{
    const int first = static_cast<int>(edit.first);
    const int last = static_cast<int>(edit.first + edit.count) - 1;
    switch (edit.kind) {
    case screens::ListEdit::Kind::Remove: before ? beginRemoveRows({}, first, last) : endRemoveRows(); break;
    case screens::ListEdit::Kind::Insert: before ? beginInsertRows({}, first, last) : endInsertRows(); break;
    case screens::ListEdit::Kind::Move:
        before ? (void)beginMoveRows({}, first, first, {}, static_cast<int>(edit.to)) : endMoveRows();
        break;
    }
}

} // namespace kavo
