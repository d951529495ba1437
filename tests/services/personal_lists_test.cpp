// SPDX-License-Identifier: GPL-3.0-or-later
// "Recently Viewed" and the favourites: the list rules, the bounds on a
// record, and the files they live in. Time and identifiers are counters: the
// n-th record made has id n and date kClockBase + n. Then the seen file.
#include "platform/file_io.h"
#include "services/favorites_service.h"
#include "services/history_service.h"
#include "services/seen_service.h"
#include "test_files.h"

#include <QtTest>

using namespace kavo;
using namespace kavo::testing;

namespace {

// A date in 2025 with a fraction, so a date that loses precision on its way through the file shows.
constexpr double kClockBase = 757'382'400.123456789;

Uuid uuidNumber(int n)
{
    Uuid::Bytes bytes{0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89, 0xFA, 0xCE};
    bytes[15] = static_cast<std::uint8_t>(n);
    return Uuid(bytes);
}

Url url(const QString& key)
{
    return *Url::parse(("https://example.org/" + key).toStdString());
}

/// Both lists, each on its file in a temporary directory; each record made takes one id and one clock reading.
struct Lists {
    QTemporaryDir dir;
    std::shared_ptr<int> ids = std::make_shared<int>(0);
    std::shared_ptr<int> dates = std::make_shared<int>(0);
    QString historyPath = dir.filePath(KVHistoryService::kFileName);
    QString favoritesPath = dir.filePath(KVFavoritesService::kFileName);

    auto history() const
    {
        return std::make_unique<KVHistoryService>(historyPath, [d = dates] { return kClockBase + ++*d; },
                                                  [i = ids] { return uuidNumber(++*i); });
    }
    auto favorites() const
    {
        return std::make_unique<KVFavoritesService>(favoritesPath, [d = dates] { return kClockBase + ++*d; },
                                                    [i = ids] { return uuidNumber(++*i); });
    }
};

// "name|link|n" or "name|link|badge|n": the n-th record made, "?" for any other.
QString describe(const std::string& name, const Url& link, const Uuid& id, double date, std::string_view badge = {})
{
    const int n = std::stoi(id.toString().substr(34), nullptr, 16);
    QStringList fields{QString::fromStdString(name), QString::fromStdString(link.text()).mid(20)};
    if (!badge.empty()) fields << QString::fromUtf8(badge.data(), qsizetype(badge.size()));
    return (fields << (id == uuidNumber(n) && date == kClockBase + n ? QString::number(n) : "?")).join('|');
}
QString describe(const HistoryEntry& e) { return describe(e.name, e.url, e.id, e.viewedAt); }
QString describe(const FavoriteEntry& e) { return describe(e.name, e.url, e.id, e.addedAt, rawValue(e.badge)); }
template <typename List> QStringList describe(const List& list)
{
    QStringList lines;
    for (const auto& entry : list) lines << describe(entry);
    return lines;
}

// A file either list reads as one record.
QByteArray validFile(const QByteArray& name = "Kept")
{
    return "[{\"id\":\"0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0\",\"name\":\"" + name +
           "\",\"url\":\"https://example.org/kept\",\"badge\":\"star\",\"addedAt\":1.5,\"viewedAt\":1.5}]";
}

} // namespace

class PersonalListsTest : public QObject {
    Q_OBJECT

private slots:
    // Each step "name|link" adds to the history, "name|link|badge" toggles a favourite.
    void rules_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("history: one record per link, the newest first, a trailing slash another link")
            << QStringList{"A|a", "B|b", "C|c", "D|a/", "B|b", "New|a"} << QStringList{"New|a|6", "B|b|5", "D|a/|4", "C|c|3"};
        QTest::addRow("favourites: newest first, a toggle removes whatever name and badge it gives")
            << QStringList{"A|a|star", "B|b|globe", "C|c|none", "Other|b|arrow", "A again|a/|arrow"}
            << QStringList{"A again|a/|arrow|4", "C|c|none|3", "A|a|star|1"};
        QTest::addRow("favourites: added again after removal, a new record")
            << QStringList{"A|a|star", "A|a|star", "A again|a|globe"} << QStringList{"A again|a|globe|2"};
        QStringList twenty, newest20, readded{"E1|1|21"}, hundredAndOne, newest100;
        for (int n = 1; n <= 20; ++n) twenty << QStringLiteral("E%1|%1").arg(n);
        for (int n = 21; n >= 2; --n) newest20 << QStringLiteral("E%1|%1|%1").arg(n);
        for (int n = 20; n >= 2; --n) readded << QStringLiteral("E%1|%1|%1").arg(n);
        for (int n = 1; n <= 101; ++n) hundredAndOne << QStringLiteral("E%1|%1|star").arg(n);
        for (int n = 101; n >= 2; --n) newest100 << QStringLiteral("E%1|%1|star|%1").arg(n);
        QTest::addRow("history: the 21st link drops the oldest") << twenty + QStringList{"E21|21"} << newest20;
        QTest::addRow("history: the oldest of 20 seen again, the others stay") << twenty + QStringList{"E1|1"} << readded;
        QTest::addRow("favourites: the 101st goes first, the oldest goes") << hundredAndOne << newest100;
    }
    void rules()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        const Lists lists;
        const bool favorites = steps[0].count('|') == 2;
        auto history = lists.history();
        auto favorite = lists.favorites();
        // Each change is announced once, after it happened: a screen reading the list then sees it changed.
        QStringList seen;
        connect(history.get(), &KVHistoryService::recentEntriesChanged, this,
                [&] { seen << describe(history->property("recentEntries").value<HistoryList>()).value(0); });
        connect(favorite.get(), &KVFavoritesService::favoritesChanged, this,
                [&] { seen << describe(favorite->property("favorites").value<FavoriteList>()).value(0); });
        for (const QString& step : steps) {
            const QStringList parts = step.split('|');
            if (favorites) favorite->toggleFavorite(parts[0].toStdString(), url(parts[1]), *badgeFromRawValue(parts[2].toStdString()));
            else history->addEntry(parts[0].toStdString(), url(parts[1]));
        }
        QCOMPARE(seen.size(), steps.size());
        QCOMPARE(seen.last(), expected.value(0));
        QCOMPARE(favorites ? describe(favorite->favorites()) : describe(history->recentEntries()), expected);
        for (const QString& step : steps) {
            const QString link = step.section('|', 1, 1);
            const bool kept = favorites && expected.filter(QRegularExpression("^[^|]*\\|" + QRegularExpression::escape(link) + "\\|")).size();
            QVERIFY2(favorite->isFavorite(url(link)) == kept, qPrintable(link));
        }
        // The file holds the same list, identifiers and dates included.
        QCOMPARE(favorites ? describe(lists.favorites()->favorites()) : describe(lists.history()->recentEntries()), expected);
    }

    // A name is stored cut to 4096 bytes at a character's end, as well-formed UTF-8; a link of
    // more than 8 KiB is not stored. So a full list of the largest records stays readable.
    void recordsAreBoundedToStayReadable()
    {
        const QByteArray grin("\xF0\x9F\x98\x80"); // after an "a", the character at byte 4093 would end past 4096
        const std::tuple<QByteArray, int, QByteArray> cases[] = {
            {QByteArray(4'300'000, 'n'), 30, QByteArray(4096, 'n')},
            {"a" + grin.repeated(1100), 30, "a" + grin.repeated(1023)},
            {"a\xC3", 30, "a\xEF\xBF\xBD"},
            {"N", 8192, "N"},
            {"N", 8193, {}},
        };
        for (const auto& [name, linkSize, stored] : cases) {
            const Lists lists;
            auto history = lists.history();
            auto favorites = lists.favorites();
            history->addEntry(name.toStdString(), url(QString(linkSize - 20, 'a')));
            favorites->toggleFavorite(name.toStdString(), url(QString(linkSize - 20, 'a')), KVBadge::star);
            const auto reopened = lists.history();
            QCOMPARE(reopened->recentEntries().size(), stored.isEmpty() ? 0ul : 1ul);
            QCOMPARE(lists.favorites()->favorites().size(), stored.isEmpty() ? 0ul : 1ul);
            if (!stored.isEmpty()) QCOMPARE(QByteArray::fromStdString(reopened->recentEntries()[0].name), stored);
        }
        // Every name byte a control character, written as a six-byte escape: still readable.
        const Lists lists;
        auto favorites = lists.favorites();
        for (int n = 0; n < 100; ++n) {
            favorites->toggleFavorite(std::string(5000, '\x01'), url(QString::number(n).rightJustified(3, '0') + QString(8169, 'a')),
                                      KVBadge::star);
        }
        QVERIFY(QFileInfo(lists.favoritesPath).size() > 3 * 4096 * 100);
        QCOMPARE(describe(lists.favorites()->favorites()), describe(favorites->favorites()));
    }

    // A list its file cannot hold (from another writer: one record just under the 4 MiB
    // cap) is kept in memory, and the readable file stays as it was.
    void aBadFileStartsEmptyAndNoSaveMakesAFileUnreadable()
    {
        for (const QByteArray& bad : {validFile().chopped(2), validFile().leftJustified(kPersonalFileLimit + 1, ' ')}) {
            const Lists lists;
            QVERIFY(writePlain(lists.historyPath, bad) && writePlain(lists.favoritesPath, bad));
            auto history = lists.history();
            QVERIFY(history->recentEntries().empty() && lists.favorites()->favorites().empty());
            QCOMPARE(readPlain(lists.historyPath), bad); // left alone until the next save replaces it
            history->addEntry("Fresh", url("fresh"));
            QCOMPARE(describe(lists.history()->recentEntries()), QStringList{"Fresh|fresh|1"});
        }
        const Lists lists;
        const QByteArray large = validFile(QByteArray(qsizetype(kPersonalFileLimit) - 200, 'n'));
        QVERIFY(writePlain(lists.historyPath, large));
        auto history = lists.history();
        history->addEntry("Fresh", url("fresh"));
        QCOMPARE(history->recentEntries().size(), 2ul);
        QCOMPARE(readPlain(lists.historyPath), large);
    }

    // The file then holds an empty array; clearing an empty list is no change.
    void clearWritesAnEmptyArray()
    {
        for (const QByteArray& before : {QByteArray(), QByteArray("not JSON"), validFile()}) {
            const Lists lists;
            QVERIFY(before.isEmpty() || (writePlain(lists.historyPath, before) && writePlain(lists.favoritesPath, before)));
            auto history = lists.history();
            auto favorites = lists.favorites();
            QSignalSpy historyChanged(history.get(), &KVHistoryService::recentEntriesChanged);
            QSignalSpy favoritesChanged(favorites.get(), &KVFavoritesService::favoritesChanged);
            history->clearHistory();
            favorites->clearFavorites();
            QCOMPARE(historyChanged.count() + favoritesChanged.count(), before == validFile() ? 2 : 0);
            QCOMPARE(readPlain(lists.historyPath) + readPlain(lists.favoritesPath), QByteArray("[][]"));
        }
    }

    // What is new survives a restart; a mark made before any download keeps the file's own
    // links; a bad file counts as absent; a file that cannot be brought up to date goes.
    void seenFileKeepsWhatIsNew()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(KVSeenService::kFileName);
        double now = kClockBase;
        const auto open = [&] { return std::make_unique<KVSeenService>(path, [&now] { return now; }); };
        const auto page = [](const QStringList& links) {
            KVCategory category;
            for (const QString& link : links) category.entries.push_back({{}, "E", url(link), {}, KVBadge::none, {}});
            return std::make_shared<const std::vector<KVCategory>>(std::vector{category});
        };
        const auto newLinks = [&now](const KVSeenService& seen, const SharedCategories& shown) {
            QStringList links;
            for (const LinkedEntry& entry : entriesByLink(*shown)) {
                if (seen.links()->isNew(entry.key, now)) links << QString::fromStdString(entry.entry->url.text()).mid(20);
            }
            return links;
        };
        auto seen = open();
        const auto reopen = [&] { seen.reset(), seen = open(); }; // the first one waits for its write as it goes
        QVERIFY(!seen->links() && !seen->hasNew());
        QSignalSpy changed(seen.get(), &KVSeenService::seenChanged);
        const SharedCategories first = page({"a", "b"}), second = page({"a", "b", "c", "d"});
        seen->recordDownload(first); // the baseline
        seen->recordDownload(first); // the same links again: no change
        now += 60;
        seen->recordDownload(second);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(newLinks(*seen, second), (QStringList{"c", "d"}));
        reopen();
        QCOMPARE(newLinks(*seen, second), (QStringList{"c", "d"}));
        seen->markAllSeen();
        reopen();
        QVERIFY(!seen->hasNew() && seen->links()->size() == 4);
        seen->recordDownload(page({"a", "b", "c", "d", "e"}));
        QCOMPARE(newLinks(*seen, page({"e", "a"})), QStringList{"e"});

        seen.reset();
        QByteArray text = readPlain(path);
        QVERIFY(writePlain(path, text.replace("example.org/e", "example.org/e e")));
        seen = open();
        QVERIFY(!seen->links());
        seen->recordDownload(page({"a", "f"}));
        QVERIFY(!seen->hasNew());
        // Over the read cap: the stale file goes rather than come back at the next start.
        QStringList huge;
        for (int n = 0; n < 600; ++n) huge << QString::number(n) + QString(8000, 'x');
        seen->recordDownload(page(huge));
        QVERIFY(seen->hasNew());
        seen.reset();
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(PersonalListsTest)
#include "personal_lists_test.moc"
