// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/parser.h"
#include "platform/http_client.h"
#include "services/service_types.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace kavo {

class FileWatcher;

/// The bounds of a previewed page: those of a downloaded one, and how many
/// findings are kept to be shown (all are counted).
struct PreviewLimits {
    std::size_t maxBytes = HttpLimits{}.maxBodyBytes;
    std::size_t maxLinks = kMaxCatalogueLinks;
    std::size_t maxFindings = 1000;
};

/// Why the previewed page could not be used as it is now on disk.
struct PageProblem {
    enum class Kind {
        None,
        Missing,        ///< no file at the path
        Denied,         ///< no permission to read it
        NotRegularFile, ///< a directory, FIFO, device or socket
        TooLarge,       ///< over PreviewLimits::maxBytes, which a download may not pass either
        TooManyLinks,   ///< over PreviewLimits::maxLinks
        NotUtf8,        ///< not UTF-8 text, which a download may not be either (`line`)
        Failed,         ///< the system failed to read it (`error`)
    };
    Kind kind = Kind::None;
    std::size_t line = 0;  ///< NotUtf8: the first line that is not
    std::size_t limit = 0; ///< TooLarge, TooManyLinks: the limit passed (bytes, links)
    int error = 0;         ///< Failed: the system's error number

    friend bool operator==(const PageProblem&, const PageProblem&) = default;
};

/// A page being edited, as the catalogue's source instead of the cache and
/// the download: for curators who want to see an edit as the app shows it.
/// The file is read and parsed on the thread pool when asked (reload()) and
/// again whenever it changes on disk; each read hands the catalogue to the
/// data service (pageRead) and keeps what `kavo-catalog lint` would report of
/// it, or why the file could not be used. Nothing else is read or written.
class KVPagePreview : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString filePath READ filePath CONSTANT)
    Q_PROPERTY(QString fileName READ fileName CONSTANT)

public:
    /// Watches `path` (made absolute) from now on; reads it on the first reload().
    explicit KVPagePreview(const QString& path, PreviewLimits limits = {}, QObject* parent = nullptr);
    ~KVPagePreview() override;

    [[nodiscard]] const QString& filePath() const;
    [[nodiscard]] QString fileName() const;

    /// Reads the page again. A reload asked for while one runs follows it, once.
    void reload();

    /// Whether a read has finished; the accessors below tell of the last one.
    [[nodiscard]] bool hasRead() const { return hasRead_; }
    /// Why the file could not be used (Kind::None when it could).
    [[nodiscard]] const PageProblem& problem() const { return problem_; }
    /// The findings kept, and how many there were (none when the file could not be used).
    [[nodiscard]] const std::vector<ParseDiagnostic>& findings() const { return findings_; }
    [[nodiscard]] std::size_t findingCount() const { return findingCount_; }

signals:
    /// A read finished: the catalogue the page gives (empty when it has no
    /// category heading), or nothing when the file could not be used.
    void pageRead(std::optional<kavo::SharedCategories> categories);
    /// problem(), findings() and findingCount() are those of a new read.
    void reportChanged();

private:
    struct Reading;
    void read();
    void apply(Reading reading);

    const PreviewLimits limits_;
    FileWatcher* watcher_;
    bool reading_ = false;
    bool readAgain_ = false;
    bool hasRead_ = false;
    PageProblem problem_;
    std::vector<ParseDiagnostic> findings_;
    std::size_t findingCount_ = 0;
};

} // namespace kavo
