// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/data_service.h"

#include "catalog/catalog_json.h"
#include "platform/background.h"
#include "platform/file_io.h"
#include "platform/unicode_text.h"
#include "services/response_acceptance.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace kavo {
namespace {

SharedCategories share(std::vector<KVCategory> categories)
{
    return std::make_shared<const std::vector<KVCategory>>(std::move(categories));
}

// The packaged page, when it can be read as UTF-8 text.
std::optional<std::string> readBundledPage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    std::string text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (!text::isValidUtf8(text)) return std::nullopt;
    return text;
}

} // namespace

KVDataService::KVDataService(DataServiceConfig config, QObject* parent)
    : QObject(parent),
      config_(std::move(config)),
      http_(new HttpClient(config_.http, this)),
      categories_(share({}))
{
    setLoading(true);
    if (config_.preview) {
        connect(config_.preview, &KVPagePreview::pageRead, this, &KVDataService::applyPreview);
        config_.preview->reload();
        return;
    }
    // Decoding is all-or-nothing; a missing, unreadable, refused or empty
    // cache all mean the same: start from the packaged page, and leave the
    // bad file until a good parse replaces it.
    std::optional<CachedCatalogue> cached = config_.cacheReadAhead ? config_.cacheReadAhead->take(config_.cacheFilePath)
                                                                   : readCachedCatalogue(config_.cacheFilePath);
    if (cached) {
        isDownloaded_ = cached->writtenByDownload;
        if (isDownloaded_) updatedAt_ = QFileInfo(config_.cacheFilePath).lastModified();
        setCategories(share(std::move(cached->categories)));
        setLoading(false);
        fetchPrimary(); // runs with isLoading false: its failure shows nothing
        return;
    }
    loadBundledContent();
}

KVDataService::~KVDataService()
{
    // Background work still running must not write the cache for a service that is gone.
    lifetime_.end();
}

void KVDataService::refresh()
{
    // Asked while the start's own work runs, the end of its download answers
    // the ask. A preview's reading is answered by its lint bar instead.
    if (!config_.preview) refreshAsked_ = true;
    if (isLoading_) return;
    setLoading(true);
    setError({});
    if (config_.preview) config_.preview->reload();
    else fetchPrimary();
}

template <typename Done> void KVDataService::parseInBackground(std::string text, Source source, Done done)
{
    runInBackground(
        this,
        [parser = parser_, text = std::move(text), source, path = config_.cacheFilePath, limits = config_.catalogue,
         lifetime = lifetime_]() mutable -> std::optional<SharedCategories> {
            std::optional<std::vector<KVCategory>> categories = parser.parse(text, ParseLimits{limits.maxLinks});
            std::string().swap(text); // the page's memory is free for the encoding
            if (!categories) return std::nullopt;
            if (source == Source::packaged || !categories->empty()) {
                std::string json = encodeCategories(*categories);
                if (source == Source::download) json += kDownloadedCacheEnd;
                if (json.size() > limits.maxCacheBytes) return std::nullopt;
                // A failed write is ignored: the parsed catalogue is shown all the same.
                lifetime.runIfAlive([&] { (void)writeFileAtomically(path, json); });
            }
            return share(std::move(*categories));
        },
        std::move(done));
}

void KVDataService::loadBundledContent()
{
    std::optional<std::string> page = readBundledPage(config_.bundledPagePath);
    if (!page) {
        QTimer::singleShot(0, this, [this] { reportNoContent(); });
        return;
    }
    // An empty result is cached too, so the next start again falls back to the
    // packaged page. One over the limits is as good as unreadable.
    parseInBackground(std::move(*page), Source::packaged, [this](std::optional<SharedCategories> categories) {
        if (categories) applyBundled(std::move(*categories));
        else reportNoContent();
    });
}

void KVDataService::applyBundled(SharedCategories categories)
{
    const bool empty = categories->empty();
    isDownloaded_ = false;
    updatedAt_ = {};
    setCategories(std::move(categories));
    setLoading(false);
    if (empty) {
        setError(kParsedNothing);
        return;
    }
    fetchPrimary();
}

void KVDataService::reportNoContent()
{
    setLoading(false);
    setError(kNoContent);
}

void KVDataService::fetchPrimary()
{
    http_->get(config_.primaryUrl, [this](HttpResponse response) {
        if (std::optional<std::string> text = acceptedText(std::move(response))) {
            processDownloadedText(std::move(*text), Endpoint::primary);
        } else {
            fetchFallback();
        }
    });
}

void KVDataService::fetchFallback()
{
    http_->get(config_.fallbackUrl, [this](HttpResponse response) {
        if (std::optional<std::string> text = acceptedText(std::move(response))) {
            processDownloadedText(std::move(*text), Endpoint::fallback);
        } else {
            refreshFailed();
        }
    });
}

void KVDataService::processDownloadedText(std::string text, Endpoint from)
{
    // A page without a category is a failed download, never an empty catalogue:
    // nothing is cached and the catalogue on screen stays. A page over the
    // limits is an unusable answer, like a broken one: the fallback is asked.
    parseInBackground(std::move(text), Source::download, [this, from](std::optional<SharedCategories> categories) {
        if (!categories) {
            if (from == Endpoint::primary) fetchFallback();
            else refreshFailed();
        } else if ((*categories)->empty()) {
            refreshFailed();
        } else {
            applyDownloaded(std::move(*categories));
        }
    });
}

void KVDataService::applyDownloaded(SharedCategories categories)
{
    isDownloaded_ = true;
    updatedAt_ = QDateTime::currentDateTime();
    setCategories(std::move(categories));
    setLoading(false);
    endAskedRefresh(true);
}

void KVDataService::refreshFailed()
{
    setLoading(false);
    if (categories_->empty()) setError(kCouldNotRefresh);
    endAskedRefresh(false);
}

void KVDataService::applyPreview(std::optional<SharedCategories> categories)
{
    setLoading(false);
    if (categories && !(*categories)->empty()) {
        setError({});
        setCategories(std::move(*categories));
        return;
    }
    // A page that cannot be used, or gives no category, leaves the catalogue
    // on screen, as a failed download does; the preview's report says why.
    if (categories_->empty()) setError(categories ? kParsedNothing : kNoContent);
}

void KVDataService::setCategories(SharedCategories categories)
{
    if (categories == categories_) return;
    categories_ = std::move(categories);
    emit categoriesChanged();
}

void KVDataService::setLoading(bool loading)
{
    if (loading == isLoading_) return;
    isLoading_ = loading;
    emit isLoadingChanged();
}

void KVDataService::setError(const QString& error)
{
    if (error == error_) return;
    error_ = error;
    emit errorChanged();
}

void KVDataService::endAskedRefresh(bool updated)
{
    if (!refreshAsked_) return;
    refreshAsked_ = false;
    emit refreshEnded(updated);
}

} // namespace kavo
