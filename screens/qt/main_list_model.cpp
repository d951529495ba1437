// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/main_list_model.h"

#include "platform/background.h"
#include "platform/clock.h"
#include "screens/category_order.h"
#include "screens/list_diff.h"
#include "screens/presentation_rules.h"
#include "screens/qt/shown_text.h"
#include "screens/qt/relative_time_text.h"

#include <QCoreApplication>
#include <QTimer>

namespace kavo {
namespace {

// The fields of a new entry by role; the link and the favourite state have roles of their own.
std::optional<EntryField> entryField(int role)
{
    using F = EntryField;
    static constexpr F kFields[] = {F::Name,        F::Description, F::HasDescription, F::PlainDescription,
                                    F::Badge,       F::BadgeSymbol, F::BadgeColor,     F::Accessory,
                                    F::IsNew,       F::RelatedNames, F::RelatedUrls};
    static_assert(std::size(kFields) == MainListModel::RelatedUrlsRole - MainListModel::NameRole + 1);
    if (role < MainListModel::NameRole || role > MainListModel::RelatedUrlsRole) return std::nullopt;
    return kFields[role - MainListModel::NameRole];
}

// The data service speaks English; its three messages are translated as they are shown.
[[maybe_unused]] constexpr const char* kServiceMessages[] = {
    QT_TRANSLATE_NOOP("KVDataService", "Could not refresh"),
    QT_TRANSLATE_NOOP("KVDataService", "No content available"),
    QT_TRANSLATE_NOOP("KVDataService", "Parsed 0 categories"),
};

} // namespace

MainListModel::MainListModel(QObject* parent) : KeyedListModel(parent)
{
    rebuild(true);
}

MainListModel::~MainListModel() = default;

void MainListModel::setDataService(KVDataService* service)
{
    if (service == data_) return;
    if (data_) disconnect(data_, nullptr, this, nullptr);
    data_ = service;
    if (data_) {
        connect(data_, &KVDataService::categoriesChanged, this, &MainListModel::catalogueChanged);
        connect(data_, &KVDataService::isLoadingChanged, this, [this] { rebuild(); });
        connect(data_, &KVDataService::errorChanged, this, [this] { rebuild(); });
    }
    emit servicesChanged();
    catalogueChanged();
}

void MainListModel::setHistoryService(KVHistoryService* service)
{
    if (service == history_) return;
    if (history_) disconnect(history_, nullptr, this, nullptr);
    history_ = service;
    if (history_) connect(history_, &KVHistoryService::recentEntriesChanged, this, [this] { rebuild(); });
    emit servicesChanged();
    rebuild();
}

void MainListModel::setFavoritesService(KVFavoritesService* service)
{
    if (service == favorites_) return;
    if (favorites_) disconnect(favorites_, nullptr, this, nullptr);
    favorites_ = service;
    if (favorites_) connect(favorites_, &KVFavoritesService::favoritesChanged, this, [this] { rebuild(); });
    emit servicesChanged();
    rebuild();
}

void MainListModel::setSeenService(KVSeenService* service)
{
    if (service == seen_) return;
    if (seen_) disconnect(seen_, nullptr, this, nullptr);
    seen_ = service;
    if (seen_) connect(seen_, &KVSeenService::seenChanged, this, &MainListModel::seenChanged);
    emit servicesChanged();
    seenChanged();
}

void MainListModel::setSearchText(const QString& text)
{
    if (text == searchText_) return;
    searchText_ = text;
    emit searchTextChanged();
    rebuild(true);
    emit searchResultsChanged();
}

void MainListModel::catalogueChanged()
{
    const SharedCategories next = data_ ? data_->categories() : SharedCategories{};
    // Taken already: a download is told to the seen service first, which told this model.
    if (next && next == catalogue_) return;
    // The rows that stay point into the old catalogue until rebuild() has told the view of each change.
    const SharedCategories previous = std::exchange(catalogue_, next);
    sortedCategories_.clear();
    sortedLinks_.clear();
    index_.reset();
    if (catalogue_) {
        screens::SplitCategories split = screens::splitLinkCategories(screens::sortedCategories(*catalogue_));
        sortedCategories_ = std::move(split.categories);
        sortedLinks_ = std::move(split.links);
        prepareSearchIndex();
    }
    deriveNew();
    rebuild();
    emit catalogueReplaced();
}

void MainListModel::seenChanged()
{
    // A new catalogue not yet taken is taken now, with its new entries: one derivation, one set of row edits.
    if (data_ && data_->categories() != catalogue_) return catalogueChanged();
    deriveNew();
    rebuild();
}

void MainListModel::deriveNew()
{
    const SeenLinks* links = seen_ ? seen_->links() : nullptr;
    fresh_ = catalogue_ && links ? screens::newEntries(*catalogue_, *links, seen_->now()) : screens::NewEntries{};
}

/*
 * The first keystroke of a search would otherwise build the index (tens of
 * milliseconds at 100,000 entries). It is built ahead, on the thread pool,
 * once the start is over: the first frames want both processor cores, and
 * nobody searches within a second of the catalogue appearing. A search
 * before then builds the index itself, and this one is dropped, as it is
 * when the catalogue has changed meanwhile.
 */
void MainListModel::prepareSearchIndex()
{
    constexpr int kAfterStartMs = 1000;
    QTimer::singleShot(kAfterStartMs, this, [this, catalogue = catalogue_] {
        if (catalogue != catalogue_ || index_) return;
        runInBackground(
            this, [catalogue] { return screens::SearchIndex(*catalogue); },
            [this, catalogue](screens::SearchIndex index) {
                if (catalogue == catalogue_ && !index_) index_.emplace(std::move(index));
            });
    });
}

const screens::SearchIndex& MainListModel::searchIndex() const
{
    static const std::vector<KVCategory> kNoCatalogue;
    if (!index_) index_.emplace(catalogue_ ? *catalogue_ : kNoCatalogue);
    return *index_;
}

void MainListModel::rebuild(bool newSearch)
{
    static const std::vector<KVCategory> kNoCatalogue;
    static const HistoryList kNoHistory;
    static const FavoriteList kNoFavorites;
    const HistoryList& history = history_ ? history_->recentEntries() : kNoHistory;
    const FavoriteList& favorites = favorites_ ? favorites_->favorites() : kNoFavorites;
    const QByteArray query = searchText_.toUtf8();
    screens::MainListState state;
    state.catalogue = catalogue_ ? catalogue_.get() : &kNoCatalogue;
    state.categories = &sortedCategories_;
    state.links = &sortedLinks_;
    state.index = query.isEmpty() ? nullptr : &searchIndex();
    state.isLoading = data_ && data_->isLoading();
    state.hasError = data_ && !data_->error().isEmpty();
    state.historyCount = history.size();
    state.favoriteCount = favorites.size();
    state.fresh = &fresh_;
    state.searchText = std::string_view(query.constData(), static_cast<std::size_t>(query.size()));

    screens::MainList list = screens::buildMainList(state);
    std::vector<std::string> keys = screens::rowKeys(list, history, favorites);
    std::optional<std::vector<screens::ListEdit>> edits;
    if (!newSearch) edits = screens::planListEdits(keys_, keys);

    if (!edits) {
        beginResetModel();
        list_ = std::move(list);
        keys_ = std::move(keys);
        rows_ = displayRows(keys_);
        endResetModel();
        return;
    }

    // Row by row: each step is applied to the rows as the view is told of it.
    list_ = std::move(list);
    const std::vector<DisplayRow> after = displayRows(keys);
    applyEdits<DisplayRow>(rows_, *edits, after);
    keys_ = std::move(keys);
    // The same items in the same places; tell which of them now read differently.
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row] == after[row]) continue;
        rows_[row] = after[row];
        const QModelIndex changed = index(static_cast<int>(row));
        emit dataChanged(changed, changed);
    }
}

std::vector<MainListModel::DisplayRow> MainListModel::displayRows(const std::vector<std::string>& keys) const
{
    std::vector<DisplayRow> rows;
    rows.reserve(list_.rows.size());
    for (std::size_t i = 0; i < list_.rows.size(); ++i) {
        const screens::MainRow& mainRow = list_.rows[i];
        DisplayRow row;
        row.kind = static_cast<RowKind>(mainRow.kind);
        row.key = QString::fromStdString(keys[i]);
        using K = screens::MainRowKind;
        switch (mainRow.kind) {
        case K::Error:
            if (data_) row.title = QCoreApplication::translate("KVDataService", data_->error().toUtf8().constData());
            break;
        case K::SectionHeader:
            switch (static_cast<K>(mainRow.index)) {
            case K::New:
                row.kind = NewHeader;
                row.title = tr("New");
                row.count = static_cast<int>(list_.newCount);
                break;
            case K::History: row.title = tr("Recently Viewed"); break;
            case K::Favorite: row.title = tr("Favorites"); break;
            case K::Category: row.title = tr("Categories"); break;
            default: row.title = tr("Links"); break;
            }
            break;
        case K::History: {
            const HistoryEntry& entry = history_->recentEntries().at(mainRow.index);
            row.title = shownText(entry.name);
            row.url = QString::fromStdString(entry.url.text());
            row.viewedAt = entry.viewedAt;
            row.hasSubtitle = true;
            row.isFavorite = favorites_ && favorites_->isFavorite(entry.url);
            break;
        }
        case K::New: {
            const KVEntry& entry = *list_.newRows.at(mainRow.index).entry;
            row.entry = &entry;
            row.title = shownText(entry.name);
            row.url = QString::fromStdString(entry.url.text());
            row.isFavorite = favorites_ && favorites_->isFavorite(entry.url);
            break;
        }
        case K::Favorite: {
            const FavoriteEntry& entry = favorites_->favorites().at(mainRow.index);
            row.title = shownText(entry.name);
            row.url = QString::fromStdString(entry.url.text());
            row.isFavorite = true;
            break;
        }
        case K::Category:
        case K::Link: {
            const screens::CategoryRow& category = list_.categories.at(mainRow.index);
            const KVCategory& source = *category.category;
            row.title = shownText(source.title);
            row.hasSubtitle = source.note.has_value();
            if (source.note) row.subtitle = shownNote(*source.note);
            row.symbol = fromUtf8(screens::iconName(source.title));
            row.tileColor = fromUtf8(screens::colorName(screens::iconColor(source.title)));
            row.count = static_cast<int>(category.entryCount);
            row.newCount = static_cast<int>(category.newCount);
            if (source.url) row.url = QString::fromStdString(source.url->text());
            break;
        }
        default: break;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

int MainListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant MainListModel::data(const QModelIndex& index, int role) const
{
    Q_ASSERT(checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid));
    const DisplayRow& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case KindRole: return row.kind;
    case KeyRole: return row.key;
    case TitleRole: return row.title;
    case SubtitleRole:
        // Worked out as the row is drawn, against the clock of that moment.
        if (row.kind == History) return relativeTimeText(screens::relativeTime(row.viewedAt, systemNow()));
        return row.subtitle;
    case HasSubtitleRole: return row.hasSubtitle;
    case SymbolRole: return row.symbol;
    case TileColorRole: return row.tileColor;
    case CountRole: return row.count;
    case UrlRole: return row.url;
    case IsFavoriteRole: return row.isFavorite;
    case NewCountRole: return row.newCount;
    default: break;
    }
    const std::optional<EntryField> field = entryField(role);
    if (!field || row.entry == nullptr) return {};
    return entryFieldData(*row.entry, row.isFavorite, true, *field);
}

QHash<int, QByteArray> MainListModel::roleNames() const
{
    QHash<int, QByteArray> names{
        {KindRole, "kind"},         {KeyRole, "key"},
        {TitleRole, "title"},       {SubtitleRole, "subtitle"}, {HasSubtitleRole, "hasSubtitle"},
        {SymbolRole, "symbol"},     {TileColorRole, "tileColor"}, {CountRole, "count"},
        {UrlRole, "url"},           {IsFavoriteRole, "isFavorite"}, {NewCountRole, "newCount"},
    };
    for (int role = NameRole; role <= RelatedUrlsRole; ++role) names[role] = entryFieldName(*entryField(role));
    return names;
}

QString MainListModel::badgeFor(const QString& url) const
{
    const std::string text = url.toStdString();
    if (favorites_) {
        for (const FavoriteEntry& favorite : favorites_->favorites()) {
            if (favorite.url.text() == text) return fromUtf8(rawValue(favorite.badge));
        }
    }
    if (catalogue_) {
        for (const KVCategory& category : *catalogue_) {
            for (const KVEntry& entry : category.entries) {
                if (entry.url.text() == text) return fromUtf8(rawValue(entry.badge));
            }
            for (const KVSection& section : category.sections) {
                for (const KVEntry& entry : section.entries) {
                    if (entry.url.text() == text) return fromUtf8(rawValue(entry.badge));
                }
            }
        }
    }
    return fromUtf8(rawValue(KVBadge::none));
}

} // namespace kavo
