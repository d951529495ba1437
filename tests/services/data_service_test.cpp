// SPDX-License-Identifier: GPL-3.0-or-later
// The data service against real files and a real local server: where the
// catalogue comes from at start, which downloads it takes, what the three
// properties go through, and that a download never empties a shown catalogue.
// How a transfer ends (cut, reset, stalled, oversized) is HttpClient's rule
// and is tested there; here one failed transfer stands for all.
#include "catalog/catalog_json.h"
#include "catalog/parser.h"
#include "platform/caches_directory.h"
#include "platform/file_io.h"
#include "services/data_service.h"
#include "test_http_server.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

using namespace kavo;
using kavo::testing::ScriptedAnswer;
using kavo::testing::TestHttpServer;
using Delivery = ScriptedAnswer::Delivery;

namespace {

const QByteArray kBundledPage = "Intro\n# \xE2\x96\xBA Bundled\n* [b](/b) - packaged\n# \xE2\x96\xBA Second\n* [s](/s)\n";
const QByteArray kPrimaryPage = "# \xE2\x96\xBA Primary\n* [p](https://example.org/p) - from the API host\n";
const QByteArray kFallbackPage = "# \xE2\x96\xBA Fallback\n* [f](https://example.org/f)\n";
const QByteArray kNoCategoryPage = "A page that lost its headings\n* [x](/x)\n";

QStringList titles(const SharedCategories& categories)
{
    QStringList result;
    for (const KVCategory& category : *categories) result << QString::fromStdString(category.title);
    return result;
}

/// One service with its files in a temporary directory and its endpoints on
/// a local server; the limits are short stand-ins for 15 s, 5 minutes and 64 MiB.
class Fixture {
public:
    Fixture()
    {
        config.cacheFilePath = dir.filePath("kavo_categories.json");
        config.bundledPagePath = dir.filePath("bundled_content.md");
        config.primaryUrl = server.url("/single-page");
        config.fallbackUrl = server.url("/single-page.md");
        config.http = HttpLimits{500, 1500, 256 * 1024};
        write(config.bundledPagePath, kBundledPage);
    }

    static void write(const QString& path, const QByteArray& bytes) { QVERIFY(writeFileAtomically(path, bytes.toStdString())); }
    /// Writes the parse of `page` as the cache, and gives it.
    std::vector<KVCategory> cache(const QByteArray& page)
    {
        std::vector<KVCategory> categories = KVParser().parse(page.toStdString());
        write(config.cacheFilePath, QByteArray::fromStdString(encodeCategories(categories)));
        return categories;
    }
    [[nodiscard]] std::optional<std::vector<KVCategory>> cached() const
    {
        const std::optional<std::string> text = readRegularFile(config.cacheFilePath, kCacheFileLimit);
        if (!text) return std::nullopt;
        CategoriesOrError decoded = decodeCategories(*text);
        if (auto* list = std::get_if<std::vector<KVCategory>>(&decoded)) return *list;
        return std::nullopt;
    }
    std::unique_ptr<KVDataService> start()
    {
        auto service = std::make_unique<KVDataService>(config);
        requestsStarted = std::make_unique<QSignalSpy>(service->findChild<HttpClient*>(), &HttpClient::requestStarted);
        return service;
    }
    int primaryRequests() const { return server.requests("/single-page"); }
    int fallbackRequests() const { return server.requests("/single-page.md"); }

    QTemporaryDir dir;
    TestHttpServer server;
    DataServiceConfig config;
    std::unique_ptr<QSignalSpy> requestsStarted;
};

// Waits long enough for work that should not happen to show itself; used
// only to prove an absence (no request, no change), never to wait for a result.
void settle()
{
    QTest::qWait(200);
}

} // namespace

class DataServiceTest : public QObject {
    Q_OBJECT

private slots:
    void startsFromUsableCacheAndDownloadsQuietly();
    void readAheadServesItsOwnFileOnce();
    void withoutUsableCacheShowsPackagedPage_data();
    void withoutUsableCacheShowsPackagedPage();
    void packagedPageWithoutCategoryIsCachedEmpty();
    void packagedPageMissingOrUnreadable_data();
    void packagedPageMissingOrUnreadable();
    void acceptance_data();
    void acceptance();
    void pagesOverTheLimitsAreFailedDownloads_data();
    void pagesOverTheLimitsAreFailedDownloads();
    void refreshIsIgnoredWhileLoading();
    void failedRefreshKeepsShownCatalogue();
    void destroyedWhileWorkingWritesNothing();
};

void DataServiceTest::startsFromUsableCacheAndDownloadsQuietly()
{
    Fixture f;
    const std::vector<KVCategory> cached = f.cache(kFallbackPage);
    const auto service = f.start();
    QCOMPARE(*service->categories(), cached); // identifiers survive through the cache
    QVERIFY(!service->isLoading() && service->error().isEmpty());
    QSignalSpy changes(service.get(), &KVDataService::categoriesChanged);
    QSignalSpy loading(service.get(), &KVDataService::isLoadingChanged);
    QSignalSpy errors(service.get(), &KVDataService::errorChanged);

    // Both endpoints answer 404: the quiet download fails and nothing visible changes.
    QTRY_COMPARE(f.fallbackRequests(), 1);
    settle();
    QCOMPARE(changes.count() + loading.count() + errors.count(), 0);

    // A page at the next start replaces the cache quietly, and is cached in turn.
    f.server.answer("/single-page", ScriptedAnswer(kPrimaryPage));
    const auto next = f.start();
    QSignalSpy nextChanges(next.get(), &KVDataService::categoriesChanged);
    QSignalSpy nextLoading(next.get(), &KVDataService::isLoadingChanged);
    QVERIFY(nextChanges.wait(10'000));
    QCOMPARE(titles(next->categories()), QStringList{"Primary"});
    QCOMPARE(nextLoading.count(), 0);
    QCOMPARE(f.cached(), std::optional(*next->categories()));
    QCOMPARE(f.fallbackRequests(), 1);
}

void DataServiceTest::readAheadServesItsOwnFileOnce()
{
    Fixture f;
    const std::vector<KVCategory> first = f.cache(kFallbackPage);
    f.config.cacheReadAhead = CacheReadAhead::start(f.config.cacheFilePath);
    QCOMPARE(*f.start()->categories(), first);

    // Taken once: a later service with the same setup reads the file as it is now.
    const std::vector<KVCategory> second = f.cache(kPrimaryPage);
    QCOMPARE(*f.start()->categories(), second);

    // A read of another file is never taken for this one.
    Fixture::write(f.dir.filePath("other.json"), QByteArray::fromStdString(encodeCategories(first)));
    f.config.cacheReadAhead = CacheReadAhead::start(f.dir.filePath("other.json"));
    QCOMPARE(*f.start()->categories(), second);
}

void DataServiceTest::withoutUsableCacheShowsPackagedPage_data()
{
    QTest::addColumn<QByteArray>("cacheContent");
    QTest::addColumn<bool>("readAhead");
    // Read by the service itself, or ahead on a worker: the same outcome. "/": a directory at the path.
    for (const bool readAhead : {false, true}) {
        const char* how = readAhead ? ", read ahead" : "";
        QTest::addRow("missing%s", how) << QByteArray() << readAhead;
        QTest::addRow("empty list%s", how) << QByteArray("[]") << readAhead;
        QTest::addRow("refused value%s", how) << QByteArray(R"([{"id":"x","title":"T","entries":[],"sections":[]}])")
                                               << readAhead;
        QTest::addRow("directory%s", how) << QByteArray("/") << readAhead;
    }
}

void DataServiceTest::withoutUsableCacheShowsPackagedPage()
{
    QFETCH(QByteArray, cacheContent);
    QFETCH(bool, readAhead);
    Fixture f;
    if (cacheContent == "/") QVERIFY(QDir().mkpath(f.config.cacheFilePath));
    else if (!cacheContent.isEmpty()) Fixture::write(f.config.cacheFilePath, cacheContent);
    if (readAhead) f.config.cacheReadAhead = CacheReadAhead::start(f.config.cacheFilePath);
    const auto service = f.start();

    // Loading until the packaged page has been parsed in the background.
    QVERIFY(service->isLoading() && service->categories()->empty() && service->error().isEmpty());
    QSignalSpy loading(service.get(), &KVDataService::isLoadingChanged);
    QVERIFY(loading.wait(10'000));
    QCOMPARE(titles(service->categories()), (QStringList{"Bundled", "Second"}));
    QVERIFY(!service->isLoading() && service->error().isEmpty());
    QCOMPARE(f.requestsStarted->count(), 1); // the download starts at once, with isLoading false
    if (cacheContent != "/") QCOMPARE(f.cached(), std::optional(*service->categories()));
}

void DataServiceTest::packagedPageWithoutCategoryIsCachedEmpty()
{
    Fixture f;
    Fixture::write(f.config.bundledPagePath, kNoCategoryPage);
    const auto service = f.start();
    QSignalSpy errors(service.get(), &KVDataService::errorChanged);
    QVERIFY(errors.wait(10'000));
    QCOMPARE(service->error(), QStringLiteral("Parsed 0 categories"));
    QVERIFY(!service->isLoading() && service->categories()->empty());
    // Cached, so the next start falls back to the packaged page again.
    QCOMPARE(readRegularFile(f.config.cacheFilePath, kCacheFileLimit), std::optional<std::string>("[]"));
    settle();
    QCOMPARE(f.requestsStarted->count(), 0);
}

void DataServiceTest::packagedPageMissingOrUnreadable_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("maxLinks");
    QTest::addRow("missing") << QByteArray() << 10;
    QTest::addRow("not UTF-8") << QByteArray("# \xE2\x96\xBA Broken \xFF\n* [a](/a)\n") << 10;
    QTest::addRow("over the link limit") << kBundledPage << 1;
}

void DataServiceTest::packagedPageMissingOrUnreadable()
{
    QFETCH(QByteArray, content);
    QFETCH(int, maxLinks);
    Fixture f;
    f.config.catalogue.maxLinks = static_cast<std::size_t>(maxLinks);
    if (content.isEmpty()) QVERIFY(QFile::remove(f.config.bundledPagePath));
    else Fixture::write(f.config.bundledPagePath, content);
    const auto service = f.start();
    QVERIFY(service->isLoading());
    QTRY_COMPARE(service->error(), QStringLiteral("No content available"));
    QVERIFY(!service->isLoading());
    settle();
    QCOMPARE(f.requestsStarted->count(), 0);
    QVERIFY(!QFile::exists(f.config.cacheFilePath));

    // A refresh clears the message at once; when it fails there is still nothing to show.
    service->refresh();
    QVERIFY(service->isLoading() && service->error().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
    QCOMPARE(service->error(), QStringLiteral("Could not refresh"));
    QCOMPARE(f.primaryRequests() + f.fallbackRequests(), 2);
}

void DataServiceTest::acceptance_data()
{
    QTest::addColumn<ScriptedAnswer>("primary");
    QTest::addColumn<ScriptedAnswer>("fallback");
    QTest::addColumn<QString>("shown"); // the catalogue's title afterwards, or empty
    QTest::addColumn<bool>("fallbackAsked");

    const ScriptedAnswer fallback(kFallbackPage);
    const ScriptedAnswer missing("gone", 404);
    QTest::addRow("200") << ScriptedAnswer(kPrimaryPage) << fallback << "Primary" << false;
    QTest::addRow("299") << ScriptedAnswer(kPrimaryPage, 299) << fallback << "Primary" << false;
    QTest::addRow("199") << ScriptedAnswer(kPrimaryPage, 199) << fallback << "Fallback" << true;
    QTest::addRow("300") << ScriptedAnswer(kPrimaryPage, 300) << fallback << "Fallback" << true;
    QTest::addRow("404") << ScriptedAnswer(kPrimaryPage, 404) << fallback << "Fallback" << true;
    QTest::addRow("empty body") << ScriptedAnswer() << fallback << "Fallback" << true;
    QTest::addRow("not UTF-8") << ScriptedAnswer(kPrimaryPage + "\xC3") << fallback << "Fallback" << true;
    QTest::addRow("transfer failed") << ScriptedAnswer(kPrimaryPage).with(Delivery::Stall) << fallback
                                     << "Fallback" << true;
    // A readable page without categories is a failure, and the fallback is not asked.
    QTest::addRow("no category") << ScriptedAnswer(kNoCategoryPage) << fallback << "" << false;
    QTest::addRow("both fail") << missing << missing << "" << true;
    QTest::addRow("fallback without category") << missing << ScriptedAnswer(kNoCategoryPage) << "" << true;
}

void DataServiceTest::acceptance()
{
    QFETCH(ScriptedAnswer, primary);
    QFETCH(ScriptedAnswer, fallback);
    QFETCH(QString, shown);
    QFETCH(bool, fallbackAsked);
    Fixture f;
    f.server.answer("/single-page", primary);
    f.server.answer("/single-page.md", fallback);
    // Nothing shown and no download of its own, so the refresh decides everything.
    QVERIFY(QFile::remove(f.config.bundledPagePath));
    const auto service = f.start();
    QTRY_COMPARE(service->error(), QStringLiteral("No content available"));
    service->refresh();
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
    QCOMPARE(f.primaryRequests(), 1);
    QCOMPARE(f.fallbackRequests(), fallbackAsked ? 1 : 0);
    if (shown.isEmpty()) {
        QVERIFY(service->categories()->empty());
        QCOMPARE(service->error(), QStringLiteral("Could not refresh"));
        QVERIFY(!f.cached().has_value()); // nothing written
    } else {
        QCOMPARE(titles(service->categories()), QStringList{shown});
        QVERIFY(service->error().isEmpty());
        QCOMPARE(f.cached(), std::optional(*service->categories()));
    }
}

void DataServiceTest::pagesOverTheLimitsAreFailedDownloads_data()
{
    QTest::addColumn<QByteArray>("primary");
    QTest::addColumn<QByteArray>("fallback");
    QTest::addColumn<QString>("shown");
    // Within limits of 3 links and 600 bytes of cache.
    const QByteArray fourLinks = "# \xE2\x96\xBA Wide\n* [a](/a), [b](/b)\n## \xE2\x96\xB7 S\n* [c](/c)\n* [d](/d)\n";
    const QByteArray longDescription = "# \xE2\x96\xBA Long\n* [a](/a) - " + QByteArray(600, 'x') + "\n";
    QTest::addRow("primary over the link limit") << fourLinks << kFallbackPage << "Fallback";
    QTest::addRow("primary over the cache limit") << longDescription << kFallbackPage << "Fallback";
    QTest::addRow("both over") << longDescription << fourLinks << "Cached";
}

// The fallback is asked, nothing is cached, and the catalogue shown stays.
void DataServiceTest::pagesOverTheLimitsAreFailedDownloads()
{
    QFETCH(QByteArray, primary);
    QFETCH(QByteArray, fallback);
    QFETCH(QString, shown);
    Fixture f;
    f.config.catalogue = CatalogueLimits{3, 600};
    f.cache("# \xE2\x96\xBA Cached\n* [c](/c)\n");
    const auto service = f.start();
    QTRY_COMPARE(f.fallbackRequests(), 1); // the quiet download at start failed
    settle();
    f.server.answer("/single-page", ScriptedAnswer(primary));
    f.server.answer("/single-page.md", ScriptedAnswer(fallback));

    service->refresh();
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
    QCOMPARE(f.fallbackRequests(), 2);
    QCOMPARE(titles(service->categories()), QStringList{shown});
    QCOMPARE(f.cached(), std::optional(*service->categories()));
    QVERIFY(service->error().isEmpty());
}

void DataServiceTest::refreshIsIgnoredWhileLoading()
{
    Fixture f;
    f.server.answer("/single-page", ScriptedAnswer(kPrimaryPage).with(Delivery::Stall));
    QVERIFY(QFile::remove(f.config.bundledPagePath));
    const auto service = f.start();
    QTRY_COMPARE(service->error(), QStringLiteral("No content available"));
    service->refresh();
    QSignalSpy errors(service.get(), &KVDataService::errorChanged);
    service->refresh();
    service->refresh();
    QCOMPARE(f.requestsStarted->count(), 1);
    QCOMPARE(errors.count(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
    QCOMPARE(f.requestsStarted->count(), 2); // the primary's stall, then the fallback once
}

// Neither a failed refresh nor a page without categories touches a shown catalogue or its cache.
void DataServiceTest::failedRefreshKeepsShownCatalogue()
{
    for (const QByteArray& page : {QByteArray(), kNoCategoryPage}) {
        Fixture f;
        const std::vector<KVCategory> cached = f.cache(kFallbackPage);
        if (!page.isEmpty()) f.server.answer("/single-page", ScriptedAnswer(page));
        const auto service = f.start();
        QTRY_COMPARE(f.primaryRequests(), 1);
        settle();
        service->refresh();
        QVERIFY(service->isLoading());
        QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
        QCOMPARE(f.primaryRequests(), 2);
        QCOMPARE(f.fallbackRequests(), page.isEmpty() ? 2 : 0);
        QCOMPARE(*service->categories(), cached);
        QVERIFY(service->error().isEmpty());
        QCOMPARE(f.cached(), std::optional(cached));
    }
}

void DataServiceTest::destroyedWhileWorkingWritesNothing()
{
    Fixture f;
    QByteArray large = "# \xE2\x96\xBA Large\n";
    for (int i = 0; i < 60'000; ++i) large += "* [Entry " + QByteArray::number(i) + "](/e) - d\n";
    Fixture::write(f.config.bundledPagePath, large);
    auto service = f.start();
    QVERIFY(service->isLoading());
    service.reset(); // while the packaged page is parsed in the background
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    QVERIFY(!QFile::exists(f.config.cacheFilePath));

    // While a download hangs.
    const std::vector<KVCategory> cached = f.cache(kFallbackPage);
    f.server.answer("/single-page", ScriptedAnswer(kPrimaryPage).with(Delivery::Stall));
    service = f.start();
    QTRY_COMPARE(f.primaryRequests(), 1);
    service.reset();
    settle();
    QThreadPool::globalInstance()->waitForDone();
    QCOMPARE(f.cached(), std::optional(cached));
    // Without a caches directory the files go to /tmp.
    QCOMPARE(cachesFilePath(std::nullopt, KVDataService::kCacheFileName), QStringLiteral("/tmp/kavo_categories.json"));
}

QTEST_GUILESS_MAIN(DataServiceTest)
#include "data_service_test.moc"
