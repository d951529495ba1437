// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"
#include "services/service_types.h"

#include <QObject>
#include <QString>

namespace kavo {

/// "Recently Viewed": at most 20 opened links, newest first, one record per
/// link, kept in "kavo_history.json" and rewritten after every change.
class KVHistoryService : public QObject {
    Q_OBJECT
    Q_PROPERTY(kavo::HistoryList recentEntries READ recentEntries NOTIFY recentEntriesChanged)

public:
    static constexpr std::size_t maxEntries = 20;
    static inline const QString kFileName = QStringLiteral("kavo_history.json");

    /// Loads the file at `filePath` as it is; a missing or bad file gives an empty history.
    KVHistoryService(QString filePath, Clock clock, UuidSource uuids, QObject* parent = nullptr);

    [[nodiscard]] const HistoryList& recentEntries() const { return recentEntries_; }

    /// Records that `url` was opened now: older records of the same link go,
    /// the new one comes first, the list is trimmed to 20, and the file is saved.
    /// The name is stored cut to a few KiB; a link too long to store is ignored
    /// (see kMaxRecordNameBytes), so the file can always be read back.
    void addEntry(std::string name, Url url);
    /// The same for a link given as text; text that is not a valid URL is ignored.
    Q_INVOKABLE void addEntry(const QString& name, const QString& url);

    /// Empties the list; the file then holds an empty array.
    Q_INVOKABLE void clearHistory();

signals:
    void recentEntriesChanged();

private:
    void save() const;

    const QString filePath_;
    const Clock clock_;
    const UuidSource uuids_;
    HistoryList recentEntries_;
};

} // namespace kavo
