// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/category_detail_model.h"

#include "screens/list_diff.h"
#include "screens/presentation_rules.h"
#include "screens/qt/shown_text.h"

#include <utility>

namespace kavo {

static_assert(CategoryDetailModel::RelatedUrlsRole - CategoryDetailModel::NameRole == int(EntryField::RelatedUrls),
              "an entry's roles follow EntryField");

CategoryDetailModel::CategoryDetailModel(KVFavoritesService* favorites, QObject* parent) : KeyedListModel(parent)
{
    setFavoritesService(favorites);
}

void CategoryDetailModel::setFavoritesService(KVFavoritesService* favorites)
{
    if (favorites == favorites_) return;
    if (favorites_) disconnect(favorites_, nullptr, this, nullptr);
    favorites_ = favorites;
    if (favorites_) connect(favorites_, &KVFavoritesService::favoritesChanged, this, &CategoryDetailModel::marksChanged);
    marksChanged();
}

void CategoryDetailModel::setSeenService(KVSeenService* seen)
{
    if (seen == seen_) return;
    if (seen_) disconnect(seen_, nullptr, this, nullptr);
    seen_ = seen;
    if (seen_) connect(seen_, &KVSeenService::seenChanged, this, &CategoryDetailModel::marksChanged);
    marksChanged();
}

std::vector<CategoryDetailModel::Row> CategoryDetailModel::rowsOf(const KVCategory& category) const
{
    std::vector<Row> rows;
    for (const screens::DetailRow& detail : screens::detailRows(category)) {
        Row row{detail, &category, {}};
        if (detail.kind == screens::DetailRowKind::Entry) row.marks = marksOf(screens::entryFor(category, detail));
        rows.push_back(row);
    }
    return rows;
}

void CategoryDetailModel::setCategory(std::optional<KVCategory> category)
{
    beginResetModel();
    category_ = category ? std::make_unique<const KVCategory>(std::move(*category)) : nullptr;
    rows_ = category_ ? rowsOf(*category_) : std::vector<Row>{};
    endResetModel();
    emit categoryChanged();
}

void CategoryDetailModel::updateCategory(KVCategory category)
{
    // Keyed only here: a category opened or searched is shown anew, and needs none.
    const auto keysOf = [](const KVCategory& read) { return screens::detailRowKeys(read, screens::detailRows(read)); };
    const std::optional<std::vector<screens::ListEdit>> edits =
        category_ ? screens::planListEdits(keysOf(*category_), keysOf(category)) : std::nullopt;
    if (!edits) {
        setCategory(std::move(category));
        return;
    }
    // Rows that stay point into the old reading until every step is told;
    // inserted ones into the new.
    const std::unique_ptr<const KVCategory> previous =
        std::exchange(category_, std::make_unique<const KVCategory>(std::move(category)));
    const std::vector<Row> after = rowsOf(*category_);
    applyEdits<Row>(rows_, *edits, after);
    rows_ = after;
    // The same items in the same places, read anew: any of them may read differently.
    // The category itself (its title) is the one shown: no categoryChanged, which
    // would send the view back to the top.
    if (!rows_.empty()) emit dataChanged(index(0), index(static_cast<int>(rows_.size()) - 1));
}

int CategoryDetailModel::firstEntryRow() const
{
    return entryRowFrom(0, 1);
}

int CategoryDetailModel::entryRowFrom(int row, int step) const
{
    const std::optional<std::size_t> found =
        screens::entryRowFrom(rows_, static_cast<std::ptrdiff_t>(row), step < 0 ? -1 : 1);
    return found ? static_cast<int>(*found) : -1;
}

CategoryDetailModel::Marks CategoryDetailModel::marksOf(const KVEntry& entry) const
{
    const SeenLinks* seen = seen_ ? seen_->links() : nullptr;
    return {favorites_ && favorites_->isFavorite(entry.url),
            seen != nullptr && seen->isNew(linkKey(entry.url.text()), seen_->now())};
}

void CategoryDetailModel::marksChanged()
{
    // Only the rows whose marks changed are redrawn: a toggle touches the
    // entries of one link, wherever they stand in the category.
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].kind != screens::DetailRowKind::Entry) continue;
        const Marks now = marksOf(screens::entryFor(*rows_[i].source, rows_[i]));
        if (now == rows_[i].marks) continue;
        rows_[i].marks = now;
        const QModelIndex changed = index(static_cast<int>(i));
        emit dataChanged(changed, changed, {IsFavoriteRole, AccessoryRole, IsNewRole});
    }
}

int CategoryDetailModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant CategoryDetailModel::data(const QModelIndex& index, int role) const
{
    Q_ASSERT(checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid));
    const auto row = static_cast<std::size_t>(index.row());
    const Row& detail = rows_[row];
    using K = screens::DetailRowKind;

    const KVCategory& category = *detail.source;
    if (role == KindRole) return static_cast<int>(detail.kind);
    if (detail.kind != K::Entry) {
        if (role != TextRole) return {};
        if (detail.kind == K::CategoryNote) return shownNote(*category.note);
        if (detail.section < 0) return tr("General");
        const KVSection& section = category.sections[static_cast<std::size_t>(detail.section)];
        if (detail.kind == K::Header) return shownText(section.title); // titles are never cleaned
        return shownNote(*section.note);
    }

    if (role < NameRole || role > RelatedUrlsRole) return {};
    return entryFieldData(screens::entryFor(category, detail), detail.marks.favorite, detail.marks.isNew,
                          static_cast<EntryField>(role - NameRole));
}

QHash<int, QByteArray> CategoryDetailModel::roleNames() const
{
    QHash<int, QByteArray> names{{KindRole, "kind"}, {TextRole, "label"}};
    for (int role = NameRole; role <= RelatedUrlsRole; ++role) names[role] = entryFieldName(static_cast<EntryField>(role - NameRole));
    return names;
}

} // namespace kavo
