// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/history_service.h"

#include "platform/file_io.h"

#include <algorithm>

namespace kavo {

static_assert(KVHistoryService::maxEntries * (kMaxEncodedRecordBytes + 1) + 2 <= kPersonalFileLimit,
              "a full history must always be readable at the next start");

KVHistoryService::KVHistoryService(QString filePath, Clock clock, UuidSource uuids, QObject* parent)
    : QObject(parent), filePath_(std::move(filePath)), clock_(std::move(clock)), uuids_(std::move(uuids))
{
    // A loaded file is taken unchanged, whatever it holds (order, length, duplicates).
    if (const std::optional<std::string> text = readRegularFile(filePath_, kPersonalFileLimit)) {
        HistoryOrError decoded = decodeHistory(*text);
        if (auto* entries = std::get_if<HistoryList>(&decoded)) recentEntries_ = std::move(*entries);
    }
}

void KVHistoryService::addEntry(std::string name, Url url)
{
    // Bounded here, where every caller passes, so the file stays readable.
    if (!isStorableRecordLink(url)) return;
    std::erase_if(recentEntries_, [&url](const HistoryEntry& entry) { return entry.url == url; });
    recentEntries_.insert(recentEntries_.begin(),
                          HistoryEntry{uuids_(), storableRecordName(name), std::move(url), clock_()});
    if (recentEntries_.size() > maxEntries) recentEntries_.erase(recentEntries_.begin() + maxEntries, recentEntries_.end());
    save();
    emit recentEntriesChanged();
}

void KVHistoryService::addEntry(const QString& name, const QString& url)
{
    if (std::optional<Url> parsed = Url::parse(url.toStdString())) addEntry(name.toStdString(), std::move(*parsed));
}

void KVHistoryService::clearHistory()
{
    const bool changed = !recentEntries_.empty();
    recentEntries_.clear();
    save();
    if (changed) emit recentEntriesChanged();
}

void KVHistoryService::save() const
{
    // A failed write is not reported: the list in memory stays right for this
    // run. A list too large to be read back (only possible with records
    // loaded from a file of another writer) leaves the old file in place.
    (void)writeFileAtomically(filePath_, encodeHistory(recentEntries_), kPersonalFileLimit);
}

} // namespace kavo
