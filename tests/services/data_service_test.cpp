// SPDX-License-Identifier: GPL-3.0-or-later
// The data service against real files and real local servers: where the
// catalogue comes from at start, how downloads are accepted, what the three
// properties go through, and that a download never empties a shown catalogue.
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

#include <sys/stat.h>

using namespace kavo;
using kavo::testing::ScriptedAnswer;
using kavo::testing::TestHttpServer;
using Delivery = ScriptedAnswer::Delivery;
using Framing = ScriptedAnswer::Framing;
using Ending = ScriptedAnswer::Ending;

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

// Waits long enough for work that should not happen to show itself; used
// only to prove an absence (no request, no change), never to wait for a result.
void settle()
{
    QTest::qWait(200);
}

/// One service with its files in a temporary directory and its endpoints on
/// local servers; the limits are short stand-ins for 15 s, 5 minutes and 64 MiB.
class Fixture {
public:
    Fixture()
    {
        config.cacheFilePath = dir.filePath("kavo_categories.json");
        config.bundledPagePath = dir.filePath("bundled_content.md");
        config.primaryUrl = server.url("/single-page");
        config.fallbackUrl = server.url("/single-page.md");
        config.http = HttpLimits{500, 1500, 256 * 1024};
        writeBundled(kBundledPage);
    }

    void writeBundled(const QByteArray& page) const
    {
        QVERIFY(writeFileAtomically(config.bundledPagePath, page.toStdString()));
    }

    void writeCache(const std::vector<KVCategory>& categories) const
    {
        QVERIFY(writeFileAtomically(config.cacheFilePath, encodeCategories(categories)));
    }

    [[nodiscard]] std::optional<std::vector<KVCategory>> cachedCategories() const
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

    QTemporaryDir dir;
    TestHttpServer server;
    DataServiceConfig config;
    std::unique_ptr<QSignalSpy> requestsStarted;
};

} // namespace

class DataServiceTest : public QObject {
    Q_OBJECT

private slots:
    void startsFromUsableCacheAndDownloadsQuietly();
    void readAheadServesItsOwnFileOnce();
    void quietDownloadReplacesCachedCatalogue();
    void withoutUsableCacheShowsPackagedPage_data();
    void withoutUsableCacheShowsPackagedPage();
    void packagedPageWithoutCategory();
    void packagedPageMissingOrUnreadable_data();
    void packagedPageMissingOrUnreadable();
    void acceptance_data();
    void acceptance();
    void pagesOverTheLimits_data();
    void pagesOverTheLimits();
    void refreshIsIgnoredWhileLoading();
    void failedRefreshKeepsShownCatalogue();
    void downloadNeverEmptiesShownCatalogue();
    void selfSignedPrimaryFallsBack();
    void destroyedWhileParsingWritesNothing();
    void destroyedWhileDownloading();
    void cacheFallsBackToTmp();
};

void DataServiceTest::startsFromUsableCacheAndDownloadsQuietly()
{
    Fixture f;
    const std::vector<KVCategory> cached = KVParser().parse(kFallbackPage.toStdString());
    f.writeCache(cached);
    const auto service = f.start();

    QCOMPARE(*service->categories(), cached); // identifiers survive through the cache
    QVERIFY(!service->isLoading());
    QVERIFY(service->error().isEmpty());
    QSignalSpy changes(service.get(), &KVDataService::categoriesChanged);
    QSignalSpy loading(service.get(), &KVDataService::isLoadingChanged);
    QSignalSpy errors(service.get(), &KVDataService::errorChanged);

    // Both endpoints answer 404: the quiet download fails and nothing visible changes.
    QTRY_COMPARE(f.server.requests("/single-page.md"), 1);
    settle();
    QCOMPARE(f.server.requests("/single-page"), 1);
    QCOMPARE(changes.count() + loading.count() + errors.count(), 0);
    QCOMPARE(*service->categories(), cached);
}

void DataServiceTest::readAheadServesItsOwnFileOnce()
{
    Fixture f;
    const std::vector<KVCategory> first = KVParser().parse(kFallbackPage.toStdString());
    const std::vector<KVCategory> second = KVParser().parse(kPrimaryPage.toStdString());
    f.writeCache(first);
    f.config.cacheReadAhead = CacheReadAhead::start(f.config.cacheFilePath);
    QCOMPARE(*f.start()->categories(), first);

    // Taken once: a later service with the same setup reads the file as it is now.
    f.writeCache(second);
    QCOMPARE(*f.start()->categories(), second);

    // A read of another file is never taken for this one.
    const QString other = f.dir.filePath("other.json");
    QVERIFY(writeFileAtomically(other, encodeCategories(first)));
    f.config.cacheReadAhead = CacheReadAhead::start(other);
    QCOMPARE(*f.start()->categories(), second);
}

void DataServiceTest::quietDownloadReplacesCachedCatalogue()
{
    Fixture f;
    f.writeCache(KVParser().parse(kFallbackPage.toStdString()));
    f.server.answer("/single-page", ScriptedAnswer::with(200, kPrimaryPage));
    const auto service = f.start();
    QSignalSpy loading(service.get(), &KVDataService::isLoadingChanged);
    QSignalSpy changes(service.get(), &KVDataService::categoriesChanged);

    QVERIFY(changes.wait(10'000));
    QCOMPARE(titles(service->categories()), QStringList{"Primary"});
    QCOMPARE(loading.count(), 0);
    QCOMPARE(f.cachedCategories(), std::optional(*service->categories()));
    QCOMPARE(f.server.requests("/single-page.md"), 0);
}

void DataServiceTest::withoutUsableCacheShowsPackagedPage_data()
{
    QTest::addColumn<QByteArray>("cacheContent");
    QTest::addColumn<bool>("cacheIsDirectory");
    QTest::addColumn<bool>("readAhead");
    // Read by the service itself, or ahead on a worker: the same outcome.
    for (const bool readAhead : {false, true}) {
        const char* how = readAhead ? ", read ahead" : "";
        QTest::addRow("missing%s", how) << QByteArray() << false << readAhead;
        QTest::addRow("empty list%s", how) << QByteArray("[]") << false << readAhead;
        QTest::addRow("not JSON%s", how) << QByteArray("[{\"id\":") << false << readAhead;
        QTest::addRow("refused value%s", how)
            << QByteArray(R"([{"id":"x","title":"T","entries":[],"sections":[]}])") << false << readAhead;
        QTest::addRow("directory%s", how) << QByteArray() << true << readAhead;
    }
}

void DataServiceTest::withoutUsableCacheShowsPackagedPage()
{
    QFETCH(QByteArray, cacheContent);
    QFETCH(bool, cacheIsDirectory);
    QFETCH(bool, readAhead);
    Fixture f;
    if (!cacheContent.isEmpty()) QVERIFY(writeFileAtomically(f.config.cacheFilePath, cacheContent.toStdString()));
    if (cacheIsDirectory) QVERIFY(QDir().mkpath(f.config.cacheFilePath));
    if (readAhead) f.config.cacheReadAhead = CacheReadAhead::start(f.config.cacheFilePath);
    const auto service = f.start();

    // Loading until the packaged page has been parsed in the background.
    QVERIFY(service->isLoading());
    QVERIFY(service->categories()->empty());
    QVERIFY(service->error().isEmpty());
    QSignalSpy loading(service.get(), &KVDataService::isLoadingChanged);
    QVERIFY(loading.wait(10'000));

    QCOMPARE(titles(service->categories()), (QStringList{"Bundled", "Second"}));
    QVERIFY(!service->isLoading());
    QVERIFY(service->error().isEmpty());
    QCOMPARE(f.requestsStarted->count(), 1); // the download starts at once, with isLoading false
    if (!cacheIsDirectory) QCOMPARE(f.cachedCategories(), std::optional(*service->categories()));
}

void DataServiceTest::packagedPageWithoutCategory()
{
    Fixture f;
    f.writeBundled(kNoCategoryPage);
    const auto service = f.start();
    QSignalSpy errors(service.get(), &KVDataService::errorChanged);
    QVERIFY(errors.wait(10'000));

    QCOMPARE(service->error(), QStringLiteral("Parsed 0 categories"));
    QVERIFY(!service->isLoading());
    QVERIFY(service->categories()->empty());
    // The empty list is cached, so the next start falls back to the packaged page again.
    QCOMPARE(QByteArray::fromStdString(*readRegularFile(f.config.cacheFilePath, kCacheFileLimit)), QByteArray("[]"));
    settle();
    QCOMPARE(f.requestsStarted->count(), 0);
}

void DataServiceTest::packagedPageMissingOrUnreadable_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("maxLinks");
    QTest::addRow("missing") << false << QByteArray() << 10;
    QTest::addRow("not UTF-8") << true << QByteArray("# \xE2\x96\xBA Broken \xFF\n* [a](/a)\n") << 10;
    QTest::addRow("over the link limit") << true << kBundledPage << 1;
}

void DataServiceTest::packagedPageMissingOrUnreadable()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, content);
    QFETCH(int, maxLinks);
    Fixture f;
    f.config.catalogue.maxLinks = static_cast<std::size_t>(maxLinks);
    if (present) f.writeBundled(content);
    else QVERIFY(QFile::remove(f.config.bundledPagePath));
    const auto service = f.start();
    QVERIFY(service->isLoading());
    QSignalSpy errors(service.get(), &KVDataService::errorChanged);
    QVERIFY(errors.wait(10'000));
    QCOMPARE(service->error(), QStringLiteral("No content available"));
    QVERIFY(!service->isLoading());
    settle();
    QCOMPARE(f.requestsStarted->count(), 0);
    QVERIFY(!QFile::exists(f.config.cacheFilePath));

    // A refresh clears the message at once; when it fails there is still nothing to show.
    service->refresh();
    QVERIFY(service->isLoading());
    QVERIFY(service->error().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
    QCOMPARE(service->error(), QStringLiteral("Could not refresh"));
    QCOMPARE(f.server.requests("/single-page"), 1);
    QCOMPARE(f.server.requests("/single-page.md"), 1);
}

void DataServiceTest::acceptance_data()
{
    QTest::addColumn<ScriptedAnswer>("primary");
    QTest::addColumn<ScriptedAnswer>("fallback");
    QTest::addColumn<QString>("shown");        // the catalogue's title afterwards, or empty
    QTest::addColumn<bool>("fallbackAsked");

    const auto page = [](int status, const QByteArray& body, Delivery delivery = Delivery::Whole) {
        return ScriptedAnswer::with(status, body, delivery);
    };
    const auto cut = [](const QByteArray& body, Framing framing, Ending ending) {
        return ScriptedAnswer::sent(body, framing, Delivery::Cut, ending);
    };
    const ScriptedAnswer fallback = page(200, kFallbackPage);
    const ScriptedAnswer missing = page(404, "gone");

    QTest::addRow("200") << page(200, kPrimaryPage) << fallback << "Primary" << false;
    QTest::addRow("299") << page(299, kPrimaryPage) << fallback << "Primary" << false;
    QTest::addRow("199") << page(199, kPrimaryPage) << fallback << "Fallback" << true;
    QTest::addRow("300") << page(300, kPrimaryPage) << fallback << "Fallback" << true;
    QTest::addRow("404") << page(404, kPrimaryPage) << fallback << "Fallback" << true;
    QTest::addRow("empty body") << page(200, {}) << fallback << "Fallback" << true;
    QTest::addRow("not UTF-8") << page(200, kPrimaryPage + "\xC3") << fallback << "Fallback" << true;
    QTest::addRow("reset mid-body") << cut(kPrimaryPage.repeated(2000), Framing::Length, Ending::Reset) << fallback
                                    << "Fallback" << true;
    // Over plain HTTP nothing tells the end of an unframed body from a cut.
    QTest::addRow("unframed") << ScriptedAnswer::sent(kPrimaryPage, Framing::None, Delivery::Whole, Ending::Close)
                              << fallback << "Fallback" << true;
    QTest::addRow("stall") << page(200, kPrimaryPage, Delivery::Stall) << fallback << "Fallback" << true;
    QTest::addRow("trickle") << page(200, kPrimaryPage, Delivery::Trickle) << fallback << "Fallback" << true;
    QTest::addRow("oversized") << page(200, kPrimaryPage.repeated(6000)) << fallback << "Fallback" << true;
    // A readable page without categories is a failure, and the fallback is not asked.
    QTest::addRow("no category") << page(200, kNoCategoryPage) << fallback << "" << false;
    QTest::addRow("both fail") << missing << missing << "" << true;
    QTest::addRow("fallback without category") << missing << page(200, kNoCategoryPage) << "" << true;
    QTest::addRow("fallback cut") << missing << cut(kFallbackPage.repeated(4000), Framing::Chunked, Ending::Close) << ""
                                  << true;
}

void DataServiceTest::acceptance()
{
    QFETCH(ScriptedAnswer, primary);
    QFETCH(ScriptedAnswer, fallback);
    QFETCH(QString, shown);
    QFETCH(bool, fallbackAsked);

    // Start with nothing shown and no download of its own, so the refresh decides everything.
    Fixture f;
    QVERIFY(QFile::remove(f.config.bundledPagePath));
    f.server.answer("/single-page", primary);
    f.server.answer("/single-page.md", fallback);
    const auto service = f.start();
    QTRY_COMPARE(service->error(), QStringLiteral("No content available"));

    service->refresh();
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
    QCOMPARE(f.server.requests("/single-page"), 1);
    QCOMPARE(f.server.requests("/single-page.md"), fallbackAsked ? 1 : 0);
    if (shown.isEmpty()) {
        QVERIFY(service->categories()->empty());
        QCOMPARE(service->error(), QStringLiteral("Could not refresh"));
        QVERIFY(!f.cachedCategories().has_value()); // nothing written
    } else {
        QCOMPARE(titles(service->categories()), QStringList{shown});
        QVERIFY(service->error().isEmpty());
        QCOMPARE(f.cachedCategories(), std::optional(*service->categories()));
    }
}

void DataServiceTest::pagesOverTheLimits_data()
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

// A page over the limits is a failed download: the fallback is asked, nothing
// is cached, and the catalogue shown stays.
void DataServiceTest::pagesOverTheLimits()
{
    QFETCH(QByteArray, primary);
    QFETCH(QByteArray, fallback);
    QFETCH(QString, shown);
    Fixture f;
    f.config.catalogue = CatalogueLimits{3, 600};
    const std::vector<KVCategory> cached = KVParser().parse("# \xE2\x96\xBA Cached\n* [c](/c)\n");
    f.writeCache(cached);
    const auto service = f.start();
    QTRY_COMPARE(f.server.requests("/single-page.md"), 1); // the quiet download at start failed
    settle();
    f.server.answer("/single-page", ScriptedAnswer::with(200, primary));
    f.server.answer("/single-page.md", ScriptedAnswer::with(200, fallback));

    service->refresh();
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
    QCOMPARE(f.server.requests("/single-page.md"), 2);
    QCOMPARE(titles(service->categories()), QStringList{shown});
    QCOMPARE(f.cachedCategories(), std::optional(*service->categories()));
    QVERIFY(service->error().isEmpty());
}

void DataServiceTest::refreshIsIgnoredWhileLoading()
{
    Fixture f;
    QVERIFY(QFile::remove(f.config.bundledPagePath));
    f.server.answer("/single-page", ScriptedAnswer::with(200, kPrimaryPage, Delivery::Stall));
    const auto service = f.start();
    QTRY_COMPARE(service->error(), QStringLiteral("No content available"));

    service->refresh();
    QVERIFY(service->isLoading());
    QSignalSpy errors(service.get(), &KVDataService::errorChanged);
    service->refresh();
    service->refresh();
    QCOMPARE(f.requestsStarted->count(), 1);
    QCOMPARE(errors.count(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
    QCOMPARE(f.requestsStarted->count(), 2); // the primary's stall, then the fallback once
}

void DataServiceTest::failedRefreshKeepsShownCatalogue()
{
    Fixture f;
    const std::vector<KVCategory> cached = KVParser().parse(kFallbackPage.toStdString());
    f.writeCache(cached);
    const auto service = f.start();
    QTRY_COMPARE(f.server.requests("/single-page.md"), 1); // the quiet download at start failed
    settle();

    service->refresh();
    QVERIFY(service->isLoading());
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
    QCOMPARE(f.server.requests("/single-page.md"), 2);
    QCOMPARE(*service->categories(), cached);
    QVERIFY(service->error().isEmpty());
}

void DataServiceTest::downloadNeverEmptiesShownCatalogue()
{
    Fixture f;
    const std::vector<KVCategory> cached = KVParser().parse(kFallbackPage.toStdString());
    f.writeCache(cached);
    f.server.answer("/single-page", ScriptedAnswer::with(200, kNoCategoryPage));
    const auto service = f.start();
    QTRY_COMPARE(f.server.requests("/single-page"), 1);
    settle();

    service->refresh();
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
    QCOMPARE(*service->categories(), cached);
    QVERIFY(service->error().isEmpty());
    QCOMPARE(f.cachedCategories(), std::optional(cached));
    QCOMPARE(f.server.requests("/single-page.md"), 0);
}

void DataServiceTest::selfSignedPrimaryFallsBack()
{
    Fixture f;
    QVERIFY(QFile::remove(f.config.bundledPagePath));
    TestHttpServer secure(true);
    secure.answer("/single-page", ScriptedAnswer::with(200, kPrimaryPage));
    f.config.primaryUrl = secure.url("/single-page");
    f.server.answer("/single-page.md", ScriptedAnswer::with(200, kFallbackPage));
    const auto service = f.start();
    QTRY_COMPARE(service->error(), QStringLiteral("No content available"));

    service->refresh();
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), 10'000);
    QCOMPARE(titles(service->categories()), QStringList{"Fallback"});
    QCOMPARE(secure.requests("/single-page"), 0); // refused before any request was sent
}

void DataServiceTest::destroyedWhileParsingWritesNothing()
{
    Fixture f;
    QByteArray large = "# \xE2\x96\xBA Large\n";
    for (int i = 0; i < 60'000; ++i) large += "* [Entry " + QByteArray::number(i) + "](/e" + QByteArray::number(i) + ") - d\n";
    f.writeBundled(large);
    auto service = f.start();
    QVERIFY(service->isLoading());
    service.reset(); // while the packaged page is parsed in the background
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    QVERIFY(!QFile::exists(f.config.cacheFilePath));
}

void DataServiceTest::destroyedWhileDownloading()
{
    Fixture f;
    const std::vector<KVCategory> cached = KVParser().parse(kFallbackPage.toStdString());
    f.writeCache(cached);
    f.server.answer("/single-page", ScriptedAnswer::with(200, kPrimaryPage, Delivery::Stall));
    auto service = f.start();
    QTRY_COMPARE(f.server.requests("/single-page"), 1);
    service.reset();
    settle();
    QThreadPool::globalInstance()->waitForDone();
    QCOMPARE(f.cachedCategories(), std::optional(cached));
}

void DataServiceTest::cacheFallsBackToTmp()
{
    QCOMPARE(cachesFilePath(std::nullopt, KVDataService::kCacheFileName), QStringLiteral("/tmp/kavo_categories.json"));
    QCOMPARE(cachesFilePath(QStringLiteral("/home/u/.cache/kavo"), KVDataService::kCacheFileName),
             QStringLiteral("/home/u/.cache/kavo/kavo_categories.json"));
}

QTEST_GUILESS_MAIN(DataServiceTest)
#include "data_service_test.moc"
