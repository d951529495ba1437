// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"
#include "services/service_types.h"

#include <QObject>
#include <QString>

namespace kavo {

/// The user's favourites: at most 100 entries, newest first, keyed by link,
/// kept in "kavo_favorites.json" and rewritten after every change.
class KVFavoritesService : public QObject {
    Q_OBJECT
    Q_PROPERTY(kavo::FavoriteList favorites READ favorites NOTIFY favoritesChanged)

public:
    static constexpr std::size_t maxFavorites = 100;
    static inline const QString kFileName = QStringLiteral("kavo_favorites.json");

    /// Loads the file at `filePath` as it is; a missing or bad file gives no favourites.
    KVFavoritesService(QString filePath, Clock clock, UuidSource uuids, QObject* parent = nullptr);

    [[nodiscard]] const FavoriteList& favorites() const { return favorites_; }

    /// Whether some favourite has exactly this link.
    [[nodiscard]] bool isFavorite(const Url& url) const;
    Q_INVOKABLE bool isFavorite(const QString& url) const;

    /// Removes the first favourite with this link, or adds one at the front
    /// (dropping the oldest past 100); then saves. The name is stored cut to a
    /// few KiB; a link too long to store is not added (see kMaxRecordNameBytes),
    /// so the file can always be read back.
    void toggleFavorite(std::string name, Url url, KVBadge badge);
    /// The same with the link and the badge's raw value as text; invalid ones are ignored.
    Q_INVOKABLE void toggleFavorite(const QString& name, const QString& url, const QString& badge);

    /// Empties the list; the file then holds an empty array.
    Q_INVOKABLE void clearFavorites();

signals:
    void favoritesChanged();

private:
    void save() const;

    const QString filePath_;
    const Clock clock_;
    const UuidSource uuids_;
    FavoriteList favorites_;
};

} // namespace kavo
