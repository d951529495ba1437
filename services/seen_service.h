// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/seen_links.h"
#include "platform/clock.h"
#include "services/read_ahead.h"
#include "services/service_types.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <memory>
#include <optional>

namespace kavo {

/// The links of the seen file at `filePath`: nothing when it is missing, over
/// the read cap or refused (one bad record refuses it). Safe on any thread.
[[nodiscard]] std::optional<SeenLinks> readSeenFile(const QString& filePath);

/// The application's start-up read of the seen file, begun early on a worker.
using SeenReadAhead = ReadAhead<std::optional<SeenLinks>, &readSeenFile>;

/// What is new in the catalogue: for each entry link of the last downloaded
/// catalogue, when it was first seen (see SeenLinks), kept in
/// "kavo_seen.json". Only downloads are recorded: the composition root hands
/// over each catalogue the data service took from a download or from a cache
/// a download wrote, never the packaged page. Screens read links() against
/// now() and call markAllSeen().
class KVSeenService : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool hasNew READ hasNew NOTIFY seenChanged)

public:
    static inline const QString kFileName = QStringLiteral("kavo_seen.json");

    /// Starts from `links`, read from the file at `filePath` (readSeenFile).
    /// Nothing means no download was recorded: nothing is new, and the next
    /// download recorded is the baseline.
    KVSeenService(QString filePath, Clock clock, std::optional<SeenLinks> links, QObject* parent = nullptr);
    /// Reads the file at `filePath` itself.
    KVSeenService(QString filePath, Clock clock, QObject* parent = nullptr);
    /// Waits for the file's last write, so no change is lost at quit.
    ~KVSeenService() override;

    /// Records a downloaded catalogue that is shown now, and saves the file.
    void recordDownload(const SharedCategories& catalogue);
    /// Nothing is new any more (every mark goes at once); saves the file.
    Q_INVOKABLE void markAllSeen();

    /// Nothing until a download was recorded.
    [[nodiscard]] const SeenLinks* links() const { return links_.get(); }
    /// The time that newness is judged against.
    [[nodiscard]] ReferenceSeconds now() const { return clock_(); }
    [[nodiscard]] bool hasNew() const { return links_ && links_->anyNew(now()); }

signals:
    /// The links or their marks changed, or an entry's seven days ran out.
    void seenChanged();

private:
    void update(std::shared_ptr<const SeenLinks> links);
    void save();
    void scheduleExpiry();

    const QString filePath_;
    const Clock clock_;
    std::shared_ptr<const SeenLinks> links_; ///< shared with the write in progress
    /// The catalogue links_ were derived from, whose entries the file lists;
    /// null while they come from the file alone.
    SharedCategories source_;
    QTimer expiry_;
    QThreadPool writer_; ///< one thread, so the file's writes land in order
};

} // namespace kavo
