// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/seen_service.h"

#include "catalog/catalog_json.h"
#include "catalog/personal_records.h"
#include "platform/file_io.h"

#include <algorithm>

namespace kavo {

std::optional<SeenLinks> readSeenFile(const QString& filePath)
{
    // Read with spare capacity, so the records are read in place.
    const std::optional<std::string> text = readRegularFile(filePath, kPersonalFileLimit, kDecodePadding);
    if (!text) return std::nullopt;
    SeenLinks::Reader reader;
    if (decodeSeen(*text, [&reader](const SeenRecord& record) { reader.add(record); })) return std::nullopt;
    return std::move(reader).finish();
}

KVSeenService::KVSeenService(QString filePath, Clock clock, std::optional<SeenLinks> links, QObject* parent)
    : QObject(parent), filePath_(std::move(filePath)), clock_(std::move(clock))
{
    writer_.setMaxThreadCount(1);
    expiry_.setSingleShot(true);
    connect(&expiry_, &QTimer::timeout, this, [this] {
        scheduleExpiry();
        emit seenChanged();
    });
    if (links) links_ = std::make_shared<const SeenLinks>(std::move(*links));
    scheduleExpiry();
}

KVSeenService::KVSeenService(QString filePath, Clock clock, QObject* parent)
    : KVSeenService(filePath, std::move(clock), readSeenFile(filePath), parent)
{
}

KVSeenService::~KVSeenService()
{
    writer_.waitForDone();
}

void KVSeenService::recordDownload(const SharedCategories& catalogue)
{
    source_ = catalogue;
    auto next = std::make_shared<const SeenLinks>(links_ ? links_->next(*catalogue, now()) : SeenLinks::baseline(*catalogue));
    // The same catalogue read back at start, or downloaded unchanged: nothing to tell or save.
    if (links_ && *next == *links_) return;
    update(std::move(next));
}

void KVSeenService::markAllSeen()
{
    if (!hasNew()) return;
    update(std::make_shared<const SeenLinks>(links_->allSeen()));
}

void KVSeenService::update(std::shared_ptr<const SeenLinks> links)
{
    links_ = std::move(links);
    save();
    scheduleExpiry();
    emit seenChanged();
}

void KVSeenService::save()
{
    // Encoded and written on a thread of its own: at tens of thousands of
    // links that takes several milliseconds, and the flush to disk longer.
    writer_.start([path = filePath_, links = links_, source = source_, now = now()] {
        std::string json;
        if (source) {
            json = encodeSeen(links->records(*source, now));
        } else {
            // Only marks changed since the file was read (no download yet in
            // this run): the file's own links, with the marks of now.
            const std::optional<std::string> text = readRegularFile(path, kPersonalFileLimit);
            std::string urls;
            std::vector<std::pair<std::size_t, std::size_t>> placed; // of each link in `urls`
            const auto keep = [&](const SeenRecord& record) {
                placed.emplace_back(urls.size(), record.url.size());
                urls += record.url;
            };
            if (!text || decodeSeen(*text, keep)) return;
            std::vector<SeenRecord> records;
            for (const auto& [offset, size] : placed) {
                const std::string_view url = std::string_view(urls).substr(offset, size);
                records.push_back({url, links->newSince(linkKey(url), now)});
            }
            json = encodeSeen(records);
        }
        // A file that cannot be brought up to date (over the read cap, a full
        // disk) goes: a stale one would mark entries new again at the next
        // start, while without one the next download is a baseline and only
        // the marks are lost.
        if (!writeFileAtomically(path, json, kPersonalFileLimit)) removeFile(path);
    });
}

void KVSeenService::scheduleExpiry()
{
    expiry_.stop();
    const std::optional<ReferenceSeconds> at = links_ ? links_->nextExpiry(now()) : std::nullopt;
    if (!at) return;
    // A second past the moment, and a day at most: the clock may be set meanwhile.
    constexpr double kDayMs = 24 * 60 * 60 * 1000.0;
    expiry_.start(static_cast<int>(std::clamp((*at - now()) * 1000 + 1000, 0.0, kDayMs)));
}

} // namespace kavo
