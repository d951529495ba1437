// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/category_detail_rows.h"
#include "screens/qt/service_qml_types.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace kavo {

/// One category's screen: its note, "General" with the direct entries, then
/// each section's header, note and entries. The category is fixed when the
/// screen opens (a refresh does not change an open screen); favourites are
/// followed, and a toggle changes only the rows of the link it touched.
class CategoryDetailModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the main list for the category it opens.")
    Q_PROPERTY(QString title READ title CONSTANT)

public:
    enum Role {
        KindRole = Qt::UserRole + 1, ///< "note", "header" or "entry"
        TextRole,                    ///< header text, or the cleaned note
        NameRole,                    ///< entry name
        UrlRole,                     ///< entry link
        DescriptionRole,             ///< entry description as styled text ("" when there is none)
        HasDescriptionRole,          ///< whether the description line is shown
        BadgeRole,                   ///< the badge's raw value ("star", "globe", "arrow", "none")
        BadgeSymbolRole,             ///< symbol of the leading icon, "" for none
        BadgeColorRole,              ///< named colour of the leading icon
        AccessoryRole,               ///< "menu", "star" or "chevron"
        IsFavoriteRole,              ///< whether the entry's link is a favourite
        RelatedNamesRole,            ///< names of the related links, in order
        RelatedUrlsRole,             ///< their links
    };
    Q_ENUM(Role)

    CategoryDetailModel(KVCategory category, KVFavoritesService* favorites, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    [[nodiscard]] QString title() const { return QString::fromStdString(category_.title); }
    [[nodiscard]] const KVCategory& category() const { return category_; }

private:
    void favoritesChanged();
    [[nodiscard]] bool isFavorite(const KVEntry& entry) const;

    const KVCategory category_;
    const std::vector<screens::DetailRow> rows_;
    QPointer<KVFavoritesService> favorites_;
    std::vector<bool> favoriteRows_; // last favourite state of each row, to tell which rows a toggle changed
};

} // namespace kavo
