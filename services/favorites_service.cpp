// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/favorites_service.h"

#include "platform/file_io.h"

#include <algorithm>

namespace kavo {

static_assert(KVFavoritesService::maxFavorites * (kMaxEncodedRecordBytes + 1) + 2 <= kPersonalFileLimit,
              "a full list of favourites must always be readable at the next start");

KVFavoritesService::KVFavoritesService(QString filePath, Clock clock, UuidSource uuids, QObject* parent)
    : QObject(parent), filePath_(std::move(filePath)), clock_(std::move(clock)), uuids_(std::move(uuids))
{
    // A loaded file is taken unchanged, whatever it holds (order, length, duplicates).
    if (const std::optional<std::string> text = readRegularFile(filePath_, kPersonalFileLimit)) {
        FavoritesOrError decoded = decodeFavorites(*text);
        if (auto* entries = std::get_if<FavoriteList>(&decoded)) favorites_ = std::move(*entries);
    }
}

bool KVFavoritesService::isFavorite(const Url& url) const
{
    return std::any_of(favorites_.begin(), favorites_.end(), [&url](const FavoriteEntry& entry) { return entry.url == url; });
}

bool KVFavoritesService::isFavorite(const QString& url) const
{
    const std::optional<Url> parsed = Url::parse(url.toStdString());
    return parsed && isFavorite(*parsed);
}

void KVFavoritesService::toggleFavorite(std::string name, Url url, KVBadge badge)
{
    const auto found =
        std::find_if(favorites_.begin(), favorites_.end(), [&url](const FavoriteEntry& entry) { return entry.url == url; });
    if (found != favorites_.end()) {
        favorites_.erase(found); // only the first match; the name and badge given are not used
    } else {
        // Bounded here, where every caller passes, so the file stays readable.
        if (!isStorableRecordLink(url)) return;
        favorites_.insert(favorites_.begin(),
                          FavoriteEntry{uuids_(), storableRecordName(name), std::move(url), badge, clock_()});
        if (favorites_.size() > maxFavorites) favorites_.erase(favorites_.begin() + maxFavorites, favorites_.end());
    }
    save();
    emit favoritesChanged();
}

void KVFavoritesService::toggleFavorite(const QString& name, const QString& url, const QString& badge)
{
    std::optional<Url> parsed = Url::parse(url.toStdString());
    const std::optional<KVBadge> parsedBadge = badgeFromRawValue(badge.toStdString());
    if (parsed && parsedBadge) toggleFavorite(name.toStdString(), std::move(*parsed), *parsedBadge);
}

void KVFavoritesService::clearFavorites()
{
    const bool changed = !favorites_.empty();
    favorites_.clear();
    save();
    if (changed) emit favoritesChanged();
}

void KVFavoritesService::save() const
{
    // A failed write is not reported: the list in memory stays right for this
    // run. A list too large to be read back (only possible with records
    // loaded from a file of another writer) leaves the old file in place.
    (void)writeFileAtomically(filePath_, encodeFavorites(favorites_), kPersonalFileLimit);
}

} // namespace kavo
