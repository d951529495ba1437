// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/main_list.h"
#include "screens/qt/service_qml_types.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>

namespace kavo {

/// The main screen's list: one row per item it shows (loading, error,
/// recently viewed, favourites, categories, links, the two empty blocks),
/// derived from the three services and the search text. Every change of
/// state, a keystroke included, is one model reset; the catalogue is sorted
/// and indexed for search only when it changes.
class MainListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(kavo::KVDataService* dataService READ dataService WRITE setDataService NOTIFY servicesChanged)
    Q_PROPERTY(kavo::KVHistoryService* historyService READ historyService WRITE setHistoryService NOTIFY servicesChanged)
    Q_PROPERTY(kavo::KVFavoritesService* favoritesService READ favoritesService WRITE setFavoritesService NOTIFY
                   servicesChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)

public:
    enum Role {
        KindRole = Qt::UserRole + 1, ///< "loading", "error", "history", "favorite", "category", "link", "noResults", "empty"
        SectionRole,                 ///< section header ("Recently Viewed", "Favorites", "Categories", "Links") or ""
        TitleRole,                   ///< category title, entry name, or the error message
        SubtitleRole,                ///< cleaned category note, or how long ago a history entry was opened
        HasSubtitleRole,             ///< whether the subtitle line is shown
        SymbolRole,                  ///< the category's symbol name
        TileColorRole,               ///< the category tile's named colour
        CountRole,                   ///< the category's entry count (of the search result while searching)
        UrlRole,                     ///< the link a history, favourite or link row opens
    };
    Q_ENUM(Role)

    explicit MainListModel(QObject* parent = nullptr);
    ~MainListModel() override;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    [[nodiscard]] KVDataService* dataService() const { return data_; }
    [[nodiscard]] KVHistoryService* historyService() const { return history_; }
    [[nodiscard]] KVFavoritesService* favoritesService() const { return favorites_; }
    [[nodiscard]] QString searchText() const { return searchText_; }
    void setDataService(KVDataService* service);
    void setHistoryService(KVHistoryService* service);
    void setFavoritesService(KVFavoritesService* service);
    void setSearchText(const QString& text);

    /// The category a category row opens, as a model for its screen (owned by
    /// the caller; QML takes it over). During a search, only the matches.
    Q_INVOKABLE QObject* categoryDetail(int row) const;

signals:
    void servicesChanged();
    void searchTextChanged();

private:
    void catalogueChanged();
    void rebuild();
    [[nodiscard]] const screens::SearchIndex& searchIndex() const;

    QPointer<KVDataService> data_;
    QPointer<KVHistoryService> history_;
    QPointer<KVFavoritesService> favorites_;
    QString searchText_;

    SharedCategories catalogue_; // kept alive while the derived lists point into it
    std::vector<const KVCategory*> sortedCategories_;
    std::vector<const KVCategory*> sortedLinks_;
    mutable std::optional<screens::SearchIndex> index_; // built on the first search of a catalogue
    screens::MainList list_;
};

} // namespace kavo
