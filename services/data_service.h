// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/parser.h"
#include "platform/file_io.h"
#include "platform/http_client.h"
#include "platform/lifetime_guard.h"
#include "services/cache_read_ahead.h"
#include "services/page_preview.h"
#include "services/service_types.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QUrl>

#include <string>

namespace kavo {

/// The largest catalogue the service takes from a page, far above any real
/// one. A page over either limit is refused as a failed download (or, for the
/// packaged page, as unreadable): it can neither fill memory while it is
/// parsed nor leave a cache that the next start cannot read back.
struct CatalogueLimits {
    std::size_t maxLinks = kMaxCatalogueLinks;
    std::size_t maxCacheBytes = kCacheFileLimit; ///< the most the start reads back
};

/// Where the data service finds its files and its page; fixed at construction.
struct DataServiceConfig {
    QString cacheFilePath;   ///< "kavo_categories.json" in the caches directory
    QString bundledPagePath; ///< the packaged copy of the page (a Qt resource in the app)
    QUrl primaryUrl;         ///< the catalogue API host's "/single-page"
    QUrl fallbackUrl;        ///< the project website's "/single-page.md"
    HttpLimits http;
    CatalogueLimits catalogue;
    /// The cache read, when the application started it ahead of the service;
    /// without it the service reads the file itself.
    std::shared_ptr<CacheReadAhead> cacheReadAhead;
    /// A page being edited, when the catalogue is to come from it alone: no
    /// cache is read or written and nothing is downloaded (the cache path and
    /// the endpoints are then unused). Outlives the service.
    KVPagePreview* preview = nullptr;
};

/// Owns the catalogue every screen shows. Starts from the cache file, or from
/// the packaged page when there is no usable cache, then refreshes from the
/// primary endpoint with one fallback. Previewing a page, it shows what the
/// page gives instead, read again whenever it changes. Screens read the
/// properties and call refresh(); every change of state happens on the main
/// thread.
class KVDataService : public QObject {
    Q_OBJECT
    Q_PROPERTY(kavo::SharedCategories categories READ categories NOTIFY categoriesChanged)
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(QString error READ error NOTIFY errorChanged)
    Q_PROPERTY(QString cacheFilePath READ cacheFilePath CONSTANT)
    Q_PROPERTY(kavo::KVPagePreview* preview READ preview CONSTANT)
    Q_PROPERTY(QDateTime updatedAt READ updatedAt NOTIFY categoriesChanged)

public:
    static inline const QString kCacheFileName = QStringLiteral("kavo_categories.json");
    static inline const QString kCouldNotRefresh = QStringLiteral("Could not refresh");
    static inline const QString kNoContent = QStringLiteral("No content available");
    static inline const QString kParsedNothing = QStringLiteral("Parsed 0 categories");

    /// Reads and decodes the cache synchronously, then starts the background
    /// work (packaged page or download) and returns.
    explicit KVDataService(DataServiceConfig config, QObject* parent = nullptr);
    ~KVDataService() override;

    [[nodiscard]] const SharedCategories& categories() const { return categories_; }
    [[nodiscard]] bool isLoading() const { return isLoading_; }
    /// A message for the user when there is nothing to show; empty when absent.
    [[nodiscard]] QString error() const { return error_; }
    /// Whether the catalogue shown came from a download: in this run, or
    /// read back from a cache that a download wrote. Never the packaged page's.
    [[nodiscard]] bool isDownloaded() const { return isDownloaded_; }
    /// When the catalogue shown was downloaded: in this run, or the time its
    /// cache was written. Invalid for the packaged page's and a preview's.
    [[nodiscard]] QDateTime updatedAt() const { return updatedAt_; }
    /// The cache file. There is no operation to clear the cache: the settings
    /// screen deletes this file itself, then calls refresh().
    [[nodiscard]] QString cacheFilePath() const { return config_.preview ? QString() : config_.cacheFilePath; }
    /// The page being previewed (DataServiceConfig::preview), or null. While
    /// there is one, nothing is downloaded, and the cache is never read,
    /// written nor cleared (cacheFilePath() is empty).
    [[nodiscard]] KVPagePreview* preview() const { return config_.preview; }
    [[nodiscard]] bool isPreview() const { return config_.preview != nullptr; }

    /// Downloads the page again (previewing: reads it again), unless a load
    /// is already in progress.
    Q_INVOKABLE void refresh();

signals:
    void categoriesChanged();
    void isLoadingChanged();
    void errorChanged();
    /// A refresh() has ended, with a new catalogue or without: the shown
    /// one stays. Only for the refreshes asked for, never the start's own.
    void refreshEnded(bool updated);

private:
    void loadBundledContent();
    void applyBundled(SharedCategories categories);
    void reportNoContent();
    void fetchPrimary();
    void fetchFallback();
    enum class Endpoint { primary, fallback };
    void processDownloadedText(std::string text, Endpoint from);
    void applyDownloaded(SharedCategories categories);
    void refreshFailed();
    void applyPreview(std::optional<SharedCategories> categories);

    /// Where a page came from, which its cache tells (see kDownloadedCacheEnd).
    enum class Source { packaged, download };
    /// Parses `text` on the thread pool, writes a non-empty result (or any
    /// result, for the packaged page) to the cache, and hands it back here;
    /// nothing, and nothing written, when the page is over the limits.
    template <typename Done> void parseInBackground(std::string text, Source source, Done done);

    void setCategories(SharedCategories categories);
    void setLoading(bool loading);
    void setError(const QString& error);
    void endAskedRefresh(bool updated);

    const KVParser parser_;
    const DataServiceConfig config_;
    HttpClient* http_;
    LifetimeGuard lifetime_;
    SharedCategories categories_;
    bool isLoading_ = false;
    bool isDownloaded_ = false;
    bool refreshAsked_ = false;
    QDateTime updatedAt_;
    QString error_;
};

} // namespace kavo
