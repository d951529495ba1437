// SPDX-License-Identifier: GPL-3.0-or-later
// The data service against real files and a real local server: where the
// catalogue comes from at start, which downloads it takes, what the three
// properties go through, and that a download never empties a shown catalogue.
// How a transfer ends (cut, reset, stalled, oversized) is HttpClient's rule,
// tested there; here one failed transfer stands for all.
#include "catalog/catalog_json.h"
#include "catalog/parser.h"
#include "platform/caches_directory.h"
#include "platform/file_io.h"
#include "services/data_service.h"
#include "test_http_server.h"

#include <QtTest>

using namespace kavo;
using kavo::testing::ScriptedAnswer;

namespace {

const QByteArray kBundledPage = "Intro\n# \xE2\x96\xBA Bundled\n* [b](/b) - packaged\n# \xE2\x96\xBA Second\n* [s](/s)\n";
const QByteArray kPrimaryPage = "# \xE2\x96\xBA Primary\n* [p](https://example.org/p) - from the API host\n";
const QByteArray kFallbackPage = "# \xE2\x96\xBA Fallback\n* [f](https://example.org/f)\n";
const QByteArray kNoCategoryPage = "A page that lost its headings\n* [x](/x)\n";
const ScriptedAnswer kStall = ScriptedAnswer(kPrimaryPage).with(ScriptedAnswer::Delivery::Stall);

/// One service with its files in a temporary directory and its endpoints on
/// a local server; the limits are short stand-ins for 15 s, 5 minutes and 64 MiB.
struct Fixture {
    Fixture()
    {
        config.cacheFilePath = dir.filePath("kavo_categories.json");
        config.bundledPagePath = dir.filePath("bundled_content.md");
        config.primaryUrl = server.url("/single-page");
        config.fallbackUrl = server.url("/single-page.md");
        config.http = HttpLimits{500, 1500, 256 * 1024};
        QVERIFY(writeFileAtomically(config.bundledPagePath, kBundledPage.toStdString()));
    }
    /// Writes the parse of `page` as the cache, and gives it.
    std::vector<KVCategory> cache(const QByteArray& page)
    {
        std::vector<KVCategory> categories = KVParser().parse(page.toStdString());
        (void)writeFileAtomically(config.cacheFilePath, encodeCategories(categories));
        return categories;
    }
    /// The catalogue in the cache file, or nothing when there is none that decodes.
    std::optional<std::vector<KVCategory>> cached() const
    {
        const std::optional<std::string> text = readRegularFile(config.cacheFilePath, kCacheFileLimit);
        CategoriesOrError decoded = decodeCategories(text.value_or(""));
        auto* list = std::get_if<std::vector<KVCategory>>(&decoded);
        return list ? std::optional(std::move(*list)) : std::nullopt;
    }
    std::unique_ptr<KVDataService> start()
    {
        auto service = std::make_unique<KVDataService>(config);
        requests = std::make_unique<QSignalSpy>(service->findChild<HttpClient*>(), &HttpClient::requestStarted);
        return service;
    }
    int fallbackRequests() const { return server.requests("/single-page.md"); }
    QTemporaryDir dir;
    kavo::testing::TestHttpServer server;
    DataServiceConfig config;
    std::unique_ptr<QSignalSpy> requests; ///< every GET the service started
};

QStringList titles(const SharedCategories& categories)
{
    QStringList result;
    for (const KVCategory& category : *categories) result << QString::fromStdString(category.title);
    return result;
}

// Long enough for work that should not happen to show itself; only ever used to prove an absence.
void settle() { QTest::qWait(200); }

} // namespace

class DataServiceTest : public QObject {
    Q_OBJECT

private slots:
    void startsFromUsableCacheAndDownloadsQuietly()
    {
        Fixture f;
        const std::vector<KVCategory> cached = f.cache(kFallbackPage);
        const auto service = f.start();
        QCOMPARE(*service->categories(), cached); // identifiers survive through the cache
        QVERIFY(!service->isLoading() && service->error().isEmpty());
        QVERIFY(!service->isDownloaded()); // a cache of an earlier version tells no download
        QSignalSpy changes(service.get(), &KVDataService::categoriesChanged);
        QSignalSpy loading(service.get(), &KVDataService::isLoadingChanged);
        QSignalSpy errors(service.get(), &KVDataService::errorChanged);
        // Both endpoints answer 404: the quiet download fails and nothing visible changes.
        QTRY_COMPARE(f.fallbackRequests(), 1);
        settle();
        QCOMPARE(changes.count() + loading.count() + errors.count(), 0);
        // A refresh that fails shows loading, then the same catalogue, and no message.
        service->refresh();
        QVERIFY(service->isLoading());
        QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
        QCOMPARE(f.fallbackRequests(), 2);
        QCOMPARE(*service->categories(), cached);
        QCOMPARE(errors.count(), 0);

        // A page at the next start replaces the cache quietly, and is cached in turn.
        f.server.answer("/single-page", ScriptedAnswer(kPrimaryPage));
        const auto next = f.start();
        QSignalSpy nextChanges(next.get(), &KVDataService::categoriesChanged);
        QSignalSpy nextLoading(next.get(), &KVDataService::isLoadingChanged);
        QVERIFY(nextChanges.wait(10'000));
        QCOMPARE(titles(next->categories()), QStringList{"Primary"});
        QCOMPARE(nextLoading.count(), 0);
        QCOMPARE(f.cached(), std::optional(*next->categories()));
        QCOMPARE(f.fallbackRequests(), 2);
        // Read back at the next start, a download's cache still says so.
        QVERIFY(next->isDownloaded() && f.start()->isDownloaded());
    }

    void readAheadServesItsOwnFileOnce()
    {
        Fixture f;
        const std::vector<KVCategory> first = f.cache(kFallbackPage);
        f.config.cacheReadAhead = CacheReadAhead::start(f.config.cacheFilePath);
        QCOMPARE(*f.start()->categories(), first);
        // Taken once: a later service with the same setup reads the file as it is now.
        const std::vector<KVCategory> second = f.cache(kPrimaryPage);
        QCOMPARE(*f.start()->categories(), second);
        // A read of another file is never taken for this one.
        QVERIFY(QFile::copy(f.config.cacheFilePath, f.dir.filePath("other.json")));
        f.cache(kFallbackPage);
        f.config.cacheReadAhead = CacheReadAhead::start(f.dir.filePath("other.json"));
        QCOMPARE(titles(f.start()->categories()), QStringList{"Fallback"});
    }

    // A missing, empty, refused or unreadable cache: the packaged page is parsed in the
    // background; the cache is read by the service itself, or ahead on a worker.
    void withoutUsableCacheShowsThePackagedPage()
    {
        for (const bool readAhead : {false, true}) {
            for (const QByteArray cache : {"", "[]", R"([{"id":"x","title":"T","entries":[],"sections":[]}])", "directory"}) {
                Fixture f;
                if (cache == "directory") QVERIFY(QDir().mkpath(f.config.cacheFilePath));
                else if (!cache.isEmpty()) QVERIFY(writeFileAtomically(f.config.cacheFilePath, cache.toStdString()));
                if (readAhead) f.config.cacheReadAhead = CacheReadAhead::start(f.config.cacheFilePath);
                const auto service = f.start();
                QVERIFY(service->isLoading() && service->categories()->empty() && service->error().isEmpty());
                QVERIFY(QSignalSpy(service.get(), &KVDataService::isLoadingChanged).wait(10'000));
                QCOMPARE(titles(service->categories()), (QStringList{"Bundled", "Second"}));
                QVERIFY(service->error().isEmpty());
                QCOMPARE(f.requests->count(), 1); // the download starts at once, with isLoading false
                QVERIFY(!service->isDownloaded());
                if (cache == "directory") continue;
                QCOMPARE(f.cached(), std::optional(*service->categories()));
                QVERIFY(!f.start()->isDownloaded()); // nor is the packaged page's cache, read back
            }
        }
    }

    // A packaged page without a category is cached empty, so the next start falls back to it
    // again; one that is missing, not UTF-8 or over the limits gives nothing to show, nor to cache.
    void packagedPageThatShowsNothing()
    {
        const std::tuple<QByteArray, std::size_t, QString> cases[] = {
            {kNoCategoryPage, 10, "Parsed 0 categories"},
            {"", 10, "No content available"}, // missing
            {"# \xE2\x96\xBA Broken \xFF\n* [a](/a)\n", 10, "No content available"},
            {kBundledPage, 1, "No content available"}, // over the link limit
        };
        for (const auto& [page, maxLinks, error] : cases) {
            Fixture f;
            f.config.catalogue.maxLinks = maxLinks;
            QVERIFY(page.isEmpty() ? QFile::remove(f.config.bundledPagePath)
                                   : writeFileAtomically(f.config.bundledPagePath, page.toStdString()));
            const auto service = f.start();
            QVERIFY(service->isLoading());
            QTRY_COMPARE(service->error(), error);
            QVERIFY(!service->isLoading() && service->categories()->empty());
            QCOMPARE(readRegularFile(f.config.cacheFilePath, kCacheFileLimit),
                     page == kNoCategoryPage ? std::optional<std::string>("[]") : std::nullopt);
            settle();
            QCOMPARE(f.requests->count(), 0);
            // A refresh clears the message at once, and is the only one while it runs; when it
            // fails there is still nothing to show.
            service->refresh();
            QVERIFY(service->isLoading() && service->error().isEmpty());
            service->refresh();
            QCOMPARE(f.requests->count(), 1);
            QTRY_COMPARE_WITH_TIMEOUT(service->error(), QStringLiteral("Could not refresh"), 10'000);
            QCOMPARE(f.requests->count(), 2);
        }
    }

    // Which answer counts: name, the primary's and the fallback's answers, the catalogue's
    // title afterwards (none: "Could not refresh", nothing cached), whether the fallback is asked.
    void acceptance()
    {
        const ScriptedAnswer fallback(kFallbackPage);
        const ScriptedAnswer missing("gone", 404);
        const std::tuple<const char*, ScriptedAnswer, ScriptedAnswer, QString, int> rows[] = {
            {"200", ScriptedAnswer(kPrimaryPage), fallback, "Primary", 0},
            {"299", ScriptedAnswer(kPrimaryPage, 299), fallback, "Primary", 0},
            {"199", ScriptedAnswer(kPrimaryPage, 199), fallback, "Fallback", 1},
            {"300", ScriptedAnswer(kPrimaryPage, 300), fallback, "Fallback", 1},
            {"404", ScriptedAnswer(kPrimaryPage, 404), fallback, "Fallback", 1},
            {"empty body", ScriptedAnswer(), fallback, "Fallback", 1},
            {"not UTF-8", ScriptedAnswer(kPrimaryPage + "\xC3"), fallback, "Fallback", 1},
            {"transfer failed", kStall, fallback, "Fallback", 1},
            {"no category: a failure, and the fallback is not asked", ScriptedAnswer(kNoCategoryPage), fallback, "", 0},
            {"both fail", missing, missing, "", 1},
            {"fallback without category", missing, ScriptedAnswer(kNoCategoryPage), "", 1},
        };
        for (const auto& [name, primary, fallbackAnswer, shown, fallbackAsked] : rows) {
            // Nothing shown and no download of its own, so the refresh decides everything.
            Fixture f;
            f.server.answer("/single-page", primary);
            f.server.answer("/single-page.md", fallbackAnswer);
            QVERIFY(QFile::remove(f.config.bundledPagePath));
            const auto service = f.start();
            QTRY_COMPARE(service->error(), QStringLiteral("No content available"));
            service->refresh();
            QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
            QVERIFY2(f.server.requests("/single-page") == 1 && f.fallbackRequests() == fallbackAsked, name);
            QVERIFY2(titles(service->categories()) == (shown.isEmpty() ? QStringList() : QStringList{shown}), name);
            QVERIFY2(service->error() == (shown.isEmpty() ? QStringLiteral("Could not refresh") : QString()), name);
            QVERIFY2(f.cached() == (shown.isEmpty() ? std::nullopt : std::optional(*service->categories())), name);
        }
    }

    // A page over the limits (3 links, 600 bytes of cache here) is a failed download:
    // the fallback is asked, nothing is cached, and the catalogue shown stays.
    void pagesOverTheLimitsAreFailedDownloads()
    {
        const QByteArray fourLinks = "# \xE2\x96\xBA Wide\n* [a](/a), [b](/b)\n## \xE2\x96\xB7 S\n* [c](/c)\n* [d](/d)\n";
        const QByteArray longPage = "# \xE2\x96\xBA Long\n* [a](/a) - " + QByteArray(600, 'x') + "\n";
        for (const auto& [primary, fallback, shown] : {std::tuple{fourLinks, kFallbackPage, "Fallback"},
                                                        std::tuple{longPage, fourLinks, "Cached"}}) {
            Fixture f;
            f.config.catalogue = CatalogueLimits{3, 600};
            f.cache("# \xE2\x96\xBA Cached\n* [c](/c)\n");
            f.server.answer("/single-page", ScriptedAnswer(primary));
            f.server.answer("/single-page.md", ScriptedAnswer(fallback));
            const auto service = f.start();
            QTRY_COMPARE(f.fallbackRequests(), 1);
            QTRY_COMPARE(titles(service->categories()), QStringList{shown});
            QCOMPARE(f.cached(), std::optional(*service->categories()));
            QVERIFY(!service->isLoading() && service->error().isEmpty());
        }
    }

    // A page being previewed is the only source: no cache read or written, no request; a
    // refresh reads it again, and a file that cannot be used leaves the catalogue shown.
    void previewReadsThePageAlone()
    {
        Fixture f;
        f.cache(kFallbackPage);
        const std::optional<std::string> cached = readRegularFile(f.config.cacheFilePath, kCacheFileLimit);
        KVPagePreview preview(f.dir.filePath("page.md"));
        QVERIFY(writeFileAtomically(preview.filePath(), kPrimaryPage.toStdString()));
        f.config.preview = &preview;
        const auto service = f.start();
        QVERIFY(service->isLoading() && service->categories()->empty() && service->cacheFilePath().isEmpty());
        QTRY_COMPARE(titles(service->categories()), QStringList{"Primary"});
        QVERIFY(QFile::remove(preview.filePath()));
        service->refresh();
        QVERIFY(service->isLoading());
        QTRY_COMPARE(preview.problem().kind, PageProblem::Kind::Missing);
        QVERIFY(!service->isLoading() && service->error().isEmpty());
        QCOMPARE(titles(service->categories()), QStringList{"Primary"});
        settle();
        QCOMPARE(f.requests->count(), 0);
        QCOMPARE(readRegularFile(f.config.cacheFilePath, kCacheFileLimit), cached);
    }

    void destroyedWhileParsingWritesNothing()
    {
        Fixture f;
        QByteArray large = "# \xE2\x96\xBA Large\n";
        for (int i = 0; i < 60'000; ++i) large += "* [Entry " + QByteArray::number(i) + "](/e) - d\n";
        QVERIFY(writeFileAtomically(f.config.bundledPagePath, large.toStdString()));
        f.start().reset(); // while the packaged page is parsed in the background
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QVERIFY(!QFile::exists(f.config.cacheFilePath));
        // Without a caches directory the files go to /tmp.
        QCOMPARE(filePathIn(std::nullopt, KVDataService::kCacheFileName), QStringLiteral("/tmp/kavo_categories.json"));
    }
};

QTEST_GUILESS_MAIN(DataServiceTest)
#include "data_service_test.moc"
