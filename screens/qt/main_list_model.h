// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/main_list.h"
#include "screens/qt/keyed_list_model.h"
#include "screens/qt/service_qml_types.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <optional>
#include <string>
#include <vector>

namespace kavo {

/// The main screen's list: one row per item it shows (loading, error,
/// recently viewed, favourites, categories, links, the two empty blocks),
/// derived from the three services and the search text. A keystroke derives
/// new search results, which are new items: one reset. Any other change
/// (history, favourites, loading, a refreshed catalogue) is told row by row,
/// keyed by item, so that the view keeps its place and its current row.
class MainListModel : public KeyedListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(kavo::KVDataService* dataService READ dataService WRITE setDataService NOTIFY servicesChanged)
    Q_PROPERTY(kavo::KVHistoryService* historyService READ historyService WRITE setHistoryService NOTIFY servicesChanged)
    Q_PROPERTY(kavo::KVFavoritesService* favoritesService READ favoritesService WRITE setFavoritesService NOTIFY
                   servicesChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)

public:
    /// What a row is; the QML chooses its delegate by it.
    enum RowKind {
        Loading = static_cast<int>(screens::MainRowKind::Loading),
        Error = static_cast<int>(screens::MainRowKind::Error),
        History = static_cast<int>(screens::MainRowKind::History),
        Favorite = static_cast<int>(screens::MainRowKind::Favorite),
        Category = static_cast<int>(screens::MainRowKind::Category),
        Link = static_cast<int>(screens::MainRowKind::Link),
        NoResults = static_cast<int>(screens::MainRowKind::NoResults),
        Empty = static_cast<int>(screens::MainRowKind::Empty),
        SectionHeader = static_cast<int>(screens::MainRowKind::SectionHeader),
    };
    Q_ENUM(RowKind)

    enum Role {
        KindRole = Qt::UserRole + 1, ///< a RowKind
        KeyRole,                     ///< what the row stands for, the same across changes
        TitleRole,                   ///< category title, entry name, the error message, or a section's name
        SubtitleRole,                ///< cleaned category note, or how long ago a history entry was opened
        HasSubtitleRole,             ///< whether the subtitle line is shown
        SymbolRole,                  ///< the category's symbol name
        TileColorRole,               ///< the category tile's named colour
        CountRole,                   ///< the category's entry count (of the search result while searching)
        UrlRole,                     ///< the link a history, favourite or link row opens
        IsFavoriteRole,              ///< whether a personal row's link is a favourite
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

    /// The badge to give `url` when it is made a favourite from a personal
    /// row: its favourite's, else that of the first catalogue entry with this
    /// link, else "none".
    Q_INVOKABLE QString badgeFor(const QString& url) const;

    /// The rows as derived last, and their keys (row for row).
    [[nodiscard]] const screens::MainList& list() const { return list_; }
    [[nodiscard]] const std::vector<std::string>& keys() const { return keys_; }

signals:
    void servicesChanged();
    void searchTextChanged();
    /// The rows were derived for a new search text (after the reset).
    void searchResultsChanged();
    /// The rows were derived for a new catalogue (after telling each change).
    void catalogueReplaced();

private:
    /// What one row shows, complete in itself, so that rows can be moved,
    /// inserted and compared while the view is told of each step.
    struct DisplayRow {
        RowKind kind = Empty;
        QString key;
        QString title;
        QString subtitle;
        bool hasSubtitle = false;
        QString symbol;
        QString tileColor;
        int count = 0;
        QString url;
        ReferenceSeconds viewedAt = 0;
        bool isFavorite = false;

        friend bool operator==(const DisplayRow&, const DisplayRow&) = default;
    };

    void catalogueChanged();
    void rebuild(bool newSearch = false);
    [[nodiscard]] std::vector<DisplayRow> displayRows(const std::vector<std::string>& keys) const;
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
    std::vector<std::string> keys_;
    std::vector<DisplayRow> rows_;
};

} // namespace kavo
