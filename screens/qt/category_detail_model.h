// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/category_detail_rows.h"
#include "screens/qt/service_qml_types.h"
#include "screens/qt/shown_text.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <optional>

namespace kavo {

/// One category's screen: its note, "General" with the direct entries, then
/// each section's header, note and entries. The category is set when the
/// screen opens (a refresh does not change an open screen), and set anew by
/// a search while it is open: that is one reset, the items being new.
/// Favourites are followed, and a toggle changes only the rows of the link
/// it touched.
class CategoryDetailModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the navigator for the category it opens.")
    Q_PROPERTY(QString title READ title NOTIFY categoryChanged)
    Q_PROPERTY(bool hasCategory READ hasCategory NOTIFY categoryChanged)
    Q_PROPERTY(int firstEntryRow READ firstEntryRow NOTIFY categoryChanged)

public:
    enum RowKind {
        Note = static_cast<int>(screens::DetailRowKind::CategoryNote),
        Header = static_cast<int>(screens::DetailRowKind::Header),
        SectionNote = static_cast<int>(screens::DetailRowKind::SectionNote),
        Entry = static_cast<int>(screens::DetailRowKind::Entry),
    };
    Q_ENUM(RowKind)

    enum Role {
        KindRole = Qt::UserRole + 1, ///< a RowKind
        TextRole,                    ///< header text, or the cleaned note
        NameRole,                    ///< entry name
        UrlRole,                     ///< entry link
        DescriptionRole,             ///< entry description as styled text ("" when there is none)
        HasDescriptionRole,          ///< whether the description line is shown
        PlainDescriptionRole,        ///< the description as plain text, for assistive technology
        BadgeRole,                   ///< the badge's raw value ("star", "globe", "arrow", "none")
        BadgeSymbolRole,             ///< symbol of the leading icon, "" for none
        BadgeColorRole,              ///< named colour of the leading icon
        AccessoryRole,               ///< "menu", "star" or "chevron"
        IsFavoriteRole,              ///< whether the entry's link is a favourite
        RelatedNamesRole,            ///< names of the related links, in order
        RelatedUrlsRole,             ///< their links
    };
    Q_ENUM(Role)

    explicit CategoryDetailModel(KVFavoritesService* favorites, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    /// The service whose favourites the rows follow.
    void setFavoritesService(KVFavoritesService* favorites);

    /// Shows `category`; nothing shows no rows.
    void setCategory(std::optional<KVCategory> category);
    [[nodiscard]] const std::optional<KVCategory>& category() const { return category_; }
    [[nodiscard]] bool hasCategory() const { return category_.has_value(); }
    [[nodiscard]] QString title() const { return category_ ? shownText(category_->title) : QString(); }

    /// The first entry row, or -1: where the keyboard starts on a new category.
    [[nodiscard]] int firstEntryRow() const;
    /// The entry row nearest to `row` going by `step` (+1 down, -1 up), `row`
    /// itself included when it is an entry; -1 when there is none that way.
    /// Notes and headers do nothing, so the keyboard passes over them.
    Q_INVOKABLE int entryRowFrom(int row, int step) const;

signals:
    void categoryChanged();

private:
    void favoritesChanged();
    [[nodiscard]] bool isFavorite(const KVEntry& entry) const;

    std::optional<KVCategory> category_;
    std::vector<screens::DetailRow> rows_;
    QPointer<KVFavoritesService> favorites_;
    std::vector<bool> favoriteRows_; // last favourite state of each row, to tell which rows a toggle changed
};

} // namespace kavo
