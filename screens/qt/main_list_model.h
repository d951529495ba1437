// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/main_list.h"
#include "screens/qt/entry_row_data.h"
#include "screens/qt/keyed_list_model.h"
#include "screens/qt/service_qml_types.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <optional>
#include <string>
#include <vector>

namespace kavo {

/// The main screen's list: one row per item it shows (loading, error, new
/// entries, recently viewed, favourites, categories, links, the two empty
/// blocks), derived from the four services and the search text. A keystroke derives
/// new search results, which are new items: one reset. Any other change
/// (what is new, history, favourites, loading, a refreshed catalogue) is told row by row,
/// keyed by item, so that the view keeps its place and its current row.
class MainListModel : public KeyedListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(kavo::KVDataService* dataService READ dataService WRITE setDataService NOTIFY servicesChanged)
    Q_PROPERTY(kavo::KVHistoryService* historyService READ historyService WRITE setHistoryService NOTIFY servicesChanged)
    Q_PROPERTY(kavo::KVFavoritesService* favoritesService READ favoritesService WRITE setFavoritesService NOTIFY
                   servicesChanged)
    Q_PROPERTY(kavo::KVSeenService* seenService READ seenService WRITE setSeenService NOTIFY servicesChanged)
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
        New = static_cast<int>(screens::MainRowKind::New),
        NewHeader = 100, ///< the section header of "New", which counts them and marks them as seen
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
        CountRole,                   ///< the category's entry count (of the search result while searching); every new entry, in the "New" header
        UrlRole,                     ///< the link a history, favourite, new or link row opens
        IsFavoriteRole,              ///< whether a personal or new row's link is a favourite
        NewCountRole,                ///< how many of a category's links are new (none while searching)
        // The rest of a new entry's fields, under EntryField's names.
        NameRole,
        DescriptionRole,
        HasDescriptionRole,
        PlainDescriptionRole,
        BadgeRole,
        BadgeSymbolRole,
        BadgeColorRole,
        AccessoryRole,
        IsNewRole,
        RelatedNamesRole,
        RelatedUrlsRole,
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
    [[nodiscard]] KVSeenService* seenService() const { return seen_; }
    [[nodiscard]] QString searchText() const { return searchText_; }
    void setDataService(KVDataService* service);
    void setHistoryService(KVHistoryService* service);
    void setFavoritesService(KVFavoritesService* service);
    void setSeenService(KVSeenService* service);
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
        int newCount = 0;
        const KVEntry* entry = nullptr; ///< of a new row

        friend bool operator==(const DisplayRow&, const DisplayRow&) = default;
    };

    void catalogueChanged();
    void prepareSearchIndex();
    void seenChanged();
    void deriveNew();
    void rebuild(bool newSearch = false);
    [[nodiscard]] std::vector<DisplayRow> displayRows(const std::vector<std::string>& keys) const;
    [[nodiscard]] const screens::SearchIndex& searchIndex() const;

    QPointer<KVDataService> data_;
    QPointer<KVHistoryService> history_;
    QPointer<KVFavoritesService> favorites_;
    QPointer<KVSeenService> seen_;
    QString searchText_;

    SharedCategories catalogue_; // kept alive while the derived lists point into it
    std::vector<const KVCategory*> sortedCategories_;
    std::vector<const KVCategory*> sortedLinks_;
    mutable std::optional<screens::SearchIndex> index_; // built on the first search of a catalogue
    screens::NewEntries fresh_; // of the catalogue, as the seen service judges it
    screens::MainList list_;
    std::vector<std::string> keys_;
    std::vector<DisplayRow> rows_;
};

} // namespace kavo
