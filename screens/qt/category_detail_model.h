// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/category_detail_rows.h"
#include "screens/qt/entry_row_data.h"
#include "screens/qt/keyed_list_model.h"
#include "screens/qt/service_qml_types.h"
#include "screens/qt/shown_text.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kavo {

/// One category's screen: its note, "General" with the direct entries, then
/// each section's header, note and entries. The category is set when the
/// screen opens (a refresh does not change an open screen), and set anew by
/// a search while it is open: that is one reset, the items being new. A
/// previewed page's edit is told row by row (updateCategory), keyed by
/// item, so the view keeps its place. Favourites and what is new are
/// followed, and a change redraws only the rows of the links it touched.
class CategoryDetailModel : public KeyedListModel {
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
        // An entry's fields, in EntryField's order and under its names.
        NameRole,
        UrlRole,
        DescriptionRole,
        HasDescriptionRole,
        PlainDescriptionRole,
        BadgeRole,
        BadgeSymbolRole,
        BadgeColorRole,
        AccessoryRole,
        IsFavoriteRole,
        IsNewRole,
        RelatedNamesRole,
        RelatedUrlsRole,
    };
    Q_ENUM(Role)

    explicit CategoryDetailModel(KVFavoritesService* favorites, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    /// The service whose favourites the rows follow.
    void setFavoritesService(KVFavoritesService* favorites);
    /// The service whose new entries the rows follow.
    void setSeenService(KVSeenService* seen);

    /// Shows `category`; nothing shows no rows.
    void setCategory(std::optional<KVCategory> category);
    /// Shows `category` as a new reading of the one shown: the rows that
    /// stay keep their places, the others come and go one by one.
    void updateCategory(KVCategory category);
    [[nodiscard]] bool hasCategory() const { return category_ != nullptr; }
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
    /// What a row shows beside the entry itself.
    struct Marks {
        bool favorite = false;
        bool isNew = false;
        friend bool operator==(const Marks&, const Marks&) = default;
    };
    /// A row, complete in itself while an update moves rows of two readings about.
    struct Row : screens::DetailRow {
        const KVCategory* source = nullptr; ///< the category the row's indices point into
        Marks marks;                        ///< as last told, to tell which rows a change touched
    };
    [[nodiscard]] Marks marksOf(const KVEntry& entry) const;
    [[nodiscard]] std::vector<Row> rowsOf(const KVCategory& category) const;
    /// Redraws the rows whose marks changed.
    void marksChanged();

    std::unique_ptr<const KVCategory> category_;
    std::vector<Row> rows_;
    QPointer<KVFavoritesService> favorites_;
    QPointer<KVSeenService> seen_;
};

} // namespace kavo
