// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/category_detail_model.h"

#include "screens/description_markup.h"
#include "screens/entry_row_rules.h"
#include "screens/list_diff.h"
#include "screens/presentation_rules.h"
#include "screens/qt/shown_text.h"

#include <utility>

namespace kavo {
namespace {

// A note as its row shows it: cleaned, and bounded before and after.
QString shownNote(std::string_view note)
{
    return shownText(screens::cleanDisplayText(text::leadingCharacters(note, kShownTextLimit)));
}

} // namespace

CategoryDetailModel::CategoryDetailModel(KVFavoritesService* favorites, QObject* parent) : KeyedListModel(parent)
{
    setFavoritesService(favorites);
}

void CategoryDetailModel::setFavoritesService(KVFavoritesService* favorites)
{
    if (favorites == favorites_) return;
    if (favorites_) disconnect(favorites_, nullptr, this, nullptr);
    favorites_ = favorites;
    if (favorites_) {
        connect(favorites_, &KVFavoritesService::favoritesChanged, this, &CategoryDetailModel::favoritesChanged);
    }
    favoritesChanged();
}

std::vector<CategoryDetailModel::Row> CategoryDetailModel::rowsOf(const KVCategory& category) const
{
    std::vector<Row> rows;
    for (const screens::DetailRow& detail : screens::detailRows(category)) {
        Row row{detail, &category};
        row.favorite = detail.kind == screens::DetailRowKind::Entry && isFavorite(screens::entryFor(category, detail));
        rows.push_back(row);
    }
    return rows;
}

void CategoryDetailModel::setCategory(std::optional<KVCategory> category)
{
    beginResetModel();
    category_ = category ? std::make_unique<const KVCategory>(std::move(*category)) : nullptr;
    rows_ = category_ ? rowsOf(*category_) : std::vector<Row>{};
    keys_ = category_ ? screens::detailRowKeys(*category_, screens::detailRows(*category_)) : std::vector<std::string>{};
    endResetModel();
    emit categoryChanged();
}

void CategoryDetailModel::updateCategory(KVCategory category)
{
    std::vector<std::string> keys = screens::detailRowKeys(category, screens::detailRows(category));
    const std::optional<std::vector<screens::ListEdit>> edits =
        category_ ? screens::planListEdits(keys_, keys) : std::nullopt;
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
    keys_ = std::move(keys);
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

bool CategoryDetailModel::isFavorite(const KVEntry& entry) const
{
    return favorites_ && favorites_->isFavorite(entry.url);
}

void CategoryDetailModel::favoritesChanged()
{
    // Only the rows whose state flipped are redrawn: one toggle touches the
    // entries of one link, wherever they stand in the category.
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].kind != screens::DetailRowKind::Entry) continue;
        const bool now = isFavorite(screens::entryFor(*rows_[i].source, rows_[i]));
        if (now == rows_[i].favorite) continue;
        rows_[i].favorite = now;
        const QModelIndex changed = index(static_cast<int>(i));
        emit dataChanged(changed, changed, {IsFavoriteRole, AccessoryRole});
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

    const KVEntry& entry = screens::entryFor(category, detail);
    switch (role) {
    case NameRole: return shownText(entry.name);
    case UrlRole: return QString::fromStdString(entry.url.text());
    case DescriptionRole:
    case HasDescriptionRole: {
        std::optional<std::string> styled;
        if (entry.description) styled = screens::descriptionStyledText(*entry.description);
        if (role == HasDescriptionRole) return styled.has_value();
        return styled ? QString::fromStdString(*styled) : QString();
    }
    case PlainDescriptionRole:
        return entry.description ? shownText(screens::plainDescription(text::leadingCharacters(*entry.description, kShownTextLimit))) : QString();
    case BadgeRole: return fromUtf8(rawValue(entry.badge));
    case BadgeSymbolRole: return fromUtf8(screens::badgeIcon(entry.badge).symbol);
    case BadgeColorRole: return fromUtf8(screens::badgeIcon(entry.badge).color);
    case IsFavoriteRole: return detail.favorite;
    case AccessoryRole:
        switch (screens::trailingAccessory(entry, detail.favorite)) {
        case screens::TrailingAccessory::RelatedLinksMenu: return QStringLiteral("menu");
        case screens::TrailingAccessory::FavoriteStar: return QStringLiteral("star");
        case screens::TrailingAccessory::Chevron: return QStringLiteral("chevron");
        }
        return {};
    case RelatedNamesRole:
    case RelatedUrlsRole: {
        QStringList values;
        for (const KVLink& link : entry.relatedLinks) {
            values << (role == RelatedNamesRole ? shownText(link.name) : QString::fromStdString(link.url.text()));
        }
        return values;
    }
    default: return {};
    }
}

QHash<int, QByteArray> CategoryDetailModel::roleNames() const
{
    return {
        {KindRole, "kind"},
        {TextRole, "label"},
        {NameRole, "name"},
        {UrlRole, "url"},
        {DescriptionRole, "descriptionText"},
        {HasDescriptionRole, "hasDescription"},
        {PlainDescriptionRole, "plainDescription"},
        {BadgeRole, "badge"},
        {BadgeSymbolRole, "badgeSymbol"},
        {BadgeColorRole, "badgeColor"},
        {AccessoryRole, "accessory"},
        {IsFavoriteRole, "isFavorite"},
        {RelatedNamesRole, "relatedNames"},
        {RelatedUrlsRole, "relatedUrls"},
    };
}

} // namespace kavo
