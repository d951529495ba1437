// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/main_list_model.h"

#include "platform/clock.h"
#include "screens/qt/category_detail_model.h"
#include "screens/category_order.h"
#include "screens/presentation_rules.h"

#include <QQmlEngine>

namespace kavo {
namespace {

QString kindName(screens::MainRowKind kind)
{
    using K = screens::MainRowKind;
    switch (kind) {
    case K::Loading: return QStringLiteral("loading");
    case K::Error: return QStringLiteral("error");
    case K::History: return QStringLiteral("history");
    case K::Favorite: return QStringLiteral("favorite");
    case K::Category: return QStringLiteral("category");
    case K::Link: return QStringLiteral("link");
    case K::NoResults: return QStringLiteral("noResults");
    case K::Empty: return QStringLiteral("empty");
    }
    return {};
}

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

MainListModel::MainListModel(QObject* parent) : QAbstractListModel(parent)
{
    rebuild();
}

MainListModel::~MainListModel() = default;

void MainListModel::setDataService(KVDataService* service)
{
    if (service == data_) return;
    if (data_) disconnect(data_, nullptr, this, nullptr);
    data_ = service;
    if (data_) {
        connect(data_, &KVDataService::categoriesChanged, this, &MainListModel::catalogueChanged);
        connect(data_, &KVDataService::isLoadingChanged, this, &MainListModel::rebuild);
        connect(data_, &KVDataService::errorChanged, this, &MainListModel::rebuild);
    }
    emit servicesChanged();
    catalogueChanged();
}

void MainListModel::setHistoryService(KVHistoryService* service)
{
    if (service == history_) return;
    if (history_) disconnect(history_, nullptr, this, nullptr);
    history_ = service;
    if (history_) connect(history_, &KVHistoryService::recentEntriesChanged, this, &MainListModel::rebuild);
    emit servicesChanged();
    rebuild();
}

void MainListModel::setFavoritesService(KVFavoritesService* service)
{
    if (service == favorites_) return;
    if (favorites_) disconnect(favorites_, nullptr, this, nullptr);
    favorites_ = service;
    if (favorites_) connect(favorites_, &KVFavoritesService::favoritesChanged, this, &MainListModel::rebuild);
    emit servicesChanged();
    rebuild();
}

void MainListModel::setSearchText(const QString& text)
{
    if (text == searchText_) return;
    searchText_ = text;
    emit searchTextChanged();
    rebuild();
}

void MainListModel::catalogueChanged()
{
    catalogue_ = data_ ? data_->categories() : SharedCategories{};
    sortedCategories_.clear();
    sortedLinks_.clear();
    index_.reset();
    if (catalogue_) {
        screens::SplitCategories split = screens::splitLinkCategories(screens::sortedCategories(*catalogue_));
        sortedCategories_ = std::move(split.categories);
        sortedLinks_ = std::move(split.links);
    }
    rebuild();
}

const screens::SearchIndex& MainListModel::searchIndex() const
{
    static const std::vector<KVCategory> kNoCatalogue;
    if (!index_) index_.emplace(catalogue_ ? *catalogue_ : kNoCatalogue);
    return *index_;
}

void MainListModel::rebuild()
{
    static const std::vector<KVCategory> kNoCatalogue;
    const QByteArray query = searchText_.toUtf8();
    screens::MainListState state;
    state.catalogue = catalogue_ ? catalogue_.get() : &kNoCatalogue;
    state.categories = &sortedCategories_;
    state.links = &sortedLinks_;
    state.index = query.isEmpty() ? nullptr : &searchIndex();
    state.isLoading = data_ && data_->isLoading();
    state.hasError = data_ && !data_->error().isEmpty();
    state.historyCount = history_ ? history_->recentEntries().size() : 0;
    state.favoriteCount = favorites_ ? favorites_->favorites().size() : 0;
    state.searchText = std::string_view(query.constData(), static_cast<std::size_t>(query.size()));

    beginResetModel();
    list_ = screens::buildMainList(state);
    endResetModel();
}

int MainListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(list_.rows.size());
}

QVariant MainListModel::data(const QModelIndex& index, int role) const
{
    Q_ASSERT(checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid));
    const screens::MainRow& row = list_.rows[static_cast<std::size_t>(index.row())];
    using K = screens::MainRowKind;
    if (role == KindRole) return kindName(row.kind);
    if (role == SectionRole) return fromUtf8(screens::sectionTitle(row.kind));

    switch (row.kind) {
    case K::Error:
        if (role == TitleRole) return data_ ? data_->error() : QString();
        break;
    case K::History: {
        const HistoryEntry& entry = history_->recentEntries().at(row.index);
        switch (role) {
        case TitleRole: return QString::fromStdString(entry.name);
        // Worked out as the row is drawn, against the clock of that moment.
        case SubtitleRole: return QString::fromStdString(screens::relativeTimeString(entry.viewedAt, systemNow()));
        case HasSubtitleRole: return true;
        case UrlRole: return QString::fromStdString(entry.url.text());
        default: break;
        }
        break;
    }
    case K::Favorite: {
        const FavoriteEntry& entry = favorites_->favorites().at(row.index);
        switch (role) {
        case TitleRole: return QString::fromStdString(entry.name);
        case HasSubtitleRole: return false;
        case UrlRole: return QString::fromStdString(entry.url.text());
        default: break;
        }
        break;
    }
    case K::Category:
    case K::Link: {
        const screens::CategoryRow& category = list_.categories.at(row.index);
        const KVCategory& source = *category.category;
        switch (role) {
        case TitleRole: return QString::fromStdString(source.title);
        case SubtitleRole:
            return source.note ? QString::fromStdString(screens::cleanDisplayText(*source.note)) : QString();
        case HasSubtitleRole: return source.note.has_value();
        case SymbolRole: return fromUtf8(screens::iconName(source.title));
        case TileColorRole: return fromUtf8(screens::colorName(screens::iconColor(source.title)));
        case CountRole: return static_cast<int>(category.entryCount);
        case UrlRole: return source.url ? QString::fromStdString(source.url->text()) : QString();
        default: break;
        }
        break;
    }
    default:
        break;
    }
    return {};
}

QHash<int, QByteArray> MainListModel::roleNames() const
{
    return {
        {KindRole, "kind"},         {SectionRole, "section"},   {TitleRole, "title"},
        {SubtitleRole, "subtitle"}, {HasSubtitleRole, "hasSubtitle"}, {SymbolRole, "symbol"},
        {TileColorRole, "tileColor"}, {CountRole, "count"},     {UrlRole, "url"},
    };
}

QObject* MainListModel::categoryDetail(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= list_.rows.size()) return nullptr;
    const screens::MainRow& mainRow = list_.rows[static_cast<std::size_t>(row)];
    if (mainRow.kind != screens::MainRowKind::Category && mainRow.kind != screens::MainRowKind::Link) return nullptr;
    auto* model = new CategoryDetailModel(list_.categoryFor(mainRow), favorites_);
    QQmlEngine::setObjectOwnership(model, QQmlEngine::JavaScriptOwnership);
    return model;
}

} // namespace kavo
