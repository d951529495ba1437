// SPDX-License-Identifier: GPL-3.0-or-later
// "Recently Viewed" and the favourites: the list rules, the files they live
// in, and what a bad or foreign file does. Time and identifiers come from
// one counter, so the n-th record made has id n and date kClockBase + n.
#include "platform/file_io.h"
#include "services/favorites_service.h"
#include "services/history_service.h"
#include "test_files.h"

#include <QtTest>

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace kavo;
using namespace kavo::testing;

namespace {

// A date in 2025 with a fraction, so a date that loses precision on its way through the file shows.
constexpr double kClockBase = 757'382'400.123456789;

Uuid uuidNumber(int n)
{
    Uuid::Bytes bytes{0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89, 0xFA, 0xCE};
    bytes[14] = static_cast<std::uint8_t>(n >> 8);
    bytes[15] = static_cast<std::uint8_t>(n);
    return Uuid(bytes);
}

Url url(const QString& key)
{
    return *Url::parse(("https://example.org/" + key).toStdString());
}

/// Both lists on one file each in a temporary directory, sharing one counter.
struct Lists {
    QTemporaryDir dir;
    // Each record made takes one identifier and one clock reading.
    std::shared_ptr<int> ids = std::make_shared<int>(0);
    std::shared_ptr<int> dates = std::make_shared<int>(0);
    QString historyPath = dir.filePath(KVHistoryService::kFileName);
    QString favoritesPath = dir.filePath(KVFavoritesService::kFileName);

    Clock clock() const
    {
        return [dates = dates] { return kClockBase + ++*dates; };
    }
    UuidSource uuids() const
    {
        return [ids = ids] { return uuidNumber(++*ids); };
    }
    std::unique_ptr<KVHistoryService> history() const
    {
        return std::make_unique<KVHistoryService>(historyPath, clock(), uuids());
    }
    std::unique_ptr<KVFavoritesService> favorites() const
    {
        return std::make_unique<KVFavoritesService>(favoritesPath, clock(), uuids());
    }
};

// "name|link|n" or "name|link|badge|n": the record the n-th new record of the run made.
QString describe(const std::string& name, const Url& link, const Uuid& id, double date, const char* badge = nullptr)
{
    const int n = QString::fromStdString(id.toString()).right(4).toInt(nullptr, 16);
    const bool made = id == uuidNumber(n) && date == kClockBase + n;
    return QStringList{QString::fromStdString(name), QString::fromStdString(link.text()).mid(20),
                       badge ? QString(badge) : QString(), made ? QString::number(n) : QStringLiteral("?")}
        .join('|')
        .replace("||", "|");
}
QStringList describe(const HistoryList& list)
{
    QStringList lines;
    for (const HistoryEntry& e : list) lines << describe(e.name, e.url, e.id, e.viewedAt);
    return lines;
}
QStringList describe(const FavoriteList& list)
{
    QStringList lines;
    for (const FavoriteEntry& e : list) lines << describe(e.name, e.url, e.id, e.addedAt, rawValue(e.badge).data());
    return lines;
}

// A valid file of one record, written by hand.
QByteArray validFile(bool favorites, const QByteArray& name = "Kept")
{
    return "[{\"id\":\"0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0\",\"name\":\"" + name +
           "\",\"url\":\"https://example.org/kept\"," +
           (favorites ? "\"badge\":\"star\",\"addedAt\":1.5}]" : "\"viewedAt\":1.5}]");
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
        QTest::addRow("history: one record per link, the newest first")
            << QStringList{"A|a", "B|b", "C|c", "D|d", "B|b", "A|a"} << QStringList{"A|a|6", "B|b|5", "D|d|4", "C|c|3"};
        QTest::addRow("history: a new name replaces, a trailing slash is another link")
            << QStringList{"Old|a", "B|a/", "New|a"} << QStringList{"New|a|3", "B|a/|2"};
        QTest::addRow("history: names and links that need escapes")
            << QStringList{"He said \"hi\" \\ back\n\t\u00e9 \u2615|caf%C3%A9?q=1&r=2#top", "|caf\u00e9"}
            << QStringList{"|caf\u00e9|2", "He said \"hi\" \\ back\n\t\u00e9 \u2615|caf%C3%A9?q=1&r=2#top|1"};
        QTest::addRow("favourites: newest first, a toggle removes whatever name and badge it names")
            << QStringList{"A|a|star", "B|b|globe", "C|c|none", "Other|b|arrow", "A again|a/|arrow"}
            << QStringList{"A again|a/|arrow|4", "C|c|none|3", "A|a|star|1"};
        QTest::addRow("favourites: added again after removal, a new record")
            << QStringList{"A|a|star", "A|a|star", "A again|a|globe"} << QStringList{"A again|a|globe|2"};
        QStringList twenty, newest20, readded{"E1|1|21"};
        for (int n = 1; n <= 20; ++n) twenty << QStringLiteral("E%1|%1").arg(n);
        for (int n = 21; n >= 2; --n) newest20 << QStringLiteral("E%1|%1|%1").arg(n);
        for (int n = 20; n >= 2; --n) readded << QStringLiteral("E%1|%1|%1").arg(n);
        QTest::addRow("history: the 21st link drops the oldest") << twenty + QStringList{"E21|21"} << newest20;
        QTest::addRow("history: the oldest of 20 seen again, the others stay") << twenty + QStringList{"E1|1"} << readded;
        QStringList hundredAndOne, newest100;
        for (int n = 1; n <= 101; ++n) hundredAndOne << QStringLiteral("E%1|%1|star").arg(n);
        for (int n = 101; n >= 2; --n) newest100 << QStringLiteral("E%1|%1|star|%1").arg(n);
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
        // Each change is announced once, after it happened: what a screen reads then is the new list.
        QStringList seen;
        connect(history.get(), &KVHistoryService::recentEntriesChanged, this,
                [&] { seen = describe(history->property("recentEntries").value<HistoryList>()); });
        connect(favorite.get(), &KVFavoritesService::favoritesChanged, this,
                [&] { seen = describe(favorite->property("favorites").value<FavoriteList>()) << "*"; });
        QSignalSpy historyChanged(history.get(), &KVHistoryService::recentEntriesChanged);
        QSignalSpy favoritesChanged(favorite.get(), &KVFavoritesService::favoritesChanged);
        for (const QString& step : steps) {
            const QStringList parts = step.split('|');
            if (favorites) favorite->toggleFavorite(parts[0].toStdString(), url(parts[1]), *badgeFromRawValue(parts[2].toStdString()));
            else history->addEntry(parts[0].toStdString(), url(parts[1]));
        }
        QCOMPARE(historyChanged.count() + favoritesChanged.count(), steps.size());
        QCOMPARE(seen, favorites ? expected + QStringList{"*"} : expected);
        for (const QString& step : steps) {
            const QString link = step.section('|', 1, 1);
            const bool kept = std::any_of(expected.begin(), expected.end(), [&](const QString& e) { return e.section('|', 1, 1) == link; });
            QVERIFY2(favorite->isFavorite(url(link)) == (favorites && kept), qPrintable(link));
        }
        // The file holds the same list, identifiers and dates included.
        QCOMPARE(favorites ? describe(lists.favorites()->favorites()) : describe(lists.history()->recentEntries()), expected);
    }

    // Another writer's file is taken as it is: more than 20 records, a link three times,
    // unsorted dates, lower-case ids, keys in any order. The next visit trims and dedupes.
    void loadedFilesAreTakenAsTheyAre()
    {
        const Lists lists;
        QStringList records, expected{"New|dup"};
        for (int i = 0; i < 25; ++i) {
            const QString link = i % 7 == 3 ? "dup" : QString::number(i);
            records << QStringLiteral("{\"viewedAt\": %1, \"url\": \"https://example.org/%2\", \"name\": \"F%3\", "
                                      "\"id\": \"a0b1c2d3-0000-4000-8000-%4\"}").arg((i * 7) % 25).arg(link).arg(i).arg(i, 12, 10, QChar('0'));
            if (link != "dup" && expected.size() < 20) expected << QStringLiteral("F%1|%2").arg(i).arg(link);
        }
        QVERIFY(writePlain(lists.historyPath, "[" + records.join(",\n").toUtf8() + "]"));
        auto history = lists.history();
        QCOMPARE(history->recentEntries().size(), 25ul);
        history->addEntry("New", url("dup"));
        QStringList described = describe(history->recentEntries());
        for (QString& line : described) line = line.section('|', 0, 1);
        QCOMPARE(described, expected);
        // A favourite listed twice: a toggle removes the first only.
        QVERIFY(writePlain(lists.favoritesPath, validFile(true, "First").replace("]", ",") + validFile(true, "Last").mid(1)));
        lists.favorites()->toggleFavorite("Whatever", url("kept"), KVBadge::globe);
        QCOMPARE(describe(lists.favorites()->favorites()), QStringList{"Last|kept|star|?"});
    }

    void badFileStartsEmptyUntilTheNextSave()
    {
        // Cut short, or a byte over the 4 MiB the lists' files are read with.
        for (const bool cut : {true, false}) {
            for (const bool favorites : {false, true}) {
                const Lists lists;
                const QString path = favorites ? lists.favoritesPath : lists.historyPath;
                const QByteArray before = cut ? validFile(favorites).chopped(2)
                                              : validFile(favorites).leftJustified(kPersonalFileLimit + 1, ' ');
                QVERIFY(writePlain(path, before));

                auto history = lists.history();
                auto favorite = lists.favorites();
                QVERIFY(history->recentEntries().empty() && favorite->favorites().empty());
                QCOMPARE(readPlain(path), before);
                if (favorites) favorite->toggleFavorite("Fresh", url("fresh"), KVBadge::arrow);
                else history->addEntry("Fresh", url("fresh"));
                // The save replaced the bad file with the list as it now is.
                QCOMPARE(favorites ? lists.favorites()->favorites().size() : lists.history()->recentEntries().size(), 1ul);
            }
        }
        // A file of exactly the cap is read.
        const Lists lists;
        QVERIFY(writePlain(lists.historyPath, validFile(false).leftJustified(kPersonalFileLimit, ' ')));
        QCOMPARE(lists.history()->recentEntries().size(), 1ul);
    }

    void recordsAreBoundedToStayReadable_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<qsizetype>("linkSize");
        QTest::addColumn<QByteArray>("stored"); // empty: not added
        // Four bytes; after the "a", the character at byte 4093 would end past 4096.
        const QByteArray grin("\xF0\x9F\x98\x80");
        QTest::addRow("name of 4.3 MB") << QByteArray(4'300'000, 'n') << qsizetype(30) << QByteArray(4096, 'n');
        QTest::addRow("cut inside a character") << "a" + grin.repeated(1100) << qsizetype(30) << "a" + grin.repeated(1023);
        QTest::addRow("ill-formed UTF-8") << QByteArray("a\xC3") << qsizetype(30) << QByteArray("a\xEF\xBF\xBD");
        QTest::addRow("link of 8 KiB") << QByteArray("N") << qsizetype(8192) << QByteArray("N");
        QTest::addRow("link one byte longer") << QByteArray("N") << qsizetype(8193) << QByteArray();
    }

    void recordsAreBoundedToStayReadable()
    {
        QFETCH(QByteArray, name);
        QFETCH(qsizetype, linkSize);
        QFETCH(QByteArray, stored);
        const Lists lists;
        const QString link = QString(linkSize - 20, 'a');
        auto history = lists.history();
        auto favorites = lists.favorites();
        history->addEntry(name.toStdString(), url(link));
        favorites->toggleFavorite(name.toStdString(), url(link), KVBadge::star);
        QCOMPARE(history->recentEntries().size(), stored.isEmpty() ? 0ul : 1ul);
        QCOMPARE(favorites->favorites().size(), stored.isEmpty() ? 0ul : 1ul);
        if (stored.isEmpty()) return;
        QCOMPARE(QByteArray::fromStdString(history->recentEntries()[0].name), stored);
        QCOMPARE(QByteArray::fromStdString(favorites->favorites()[0].name), stored);
        QCOMPARE(describe(lists.history()->recentEntries()), describe(history->recentEntries()));
        QCOMPARE(describe(lists.favorites()->favorites()), describe(favorites->favorites()));
    }

    void fullListsStayReadableAndNoSaveMakesAFileUnreadable()
    {
        {
            // Every name byte a control character, each written as a six-byte escape.
            const Lists lists;
            auto history = lists.history();
            auto favorites = lists.favorites();
            const std::string name(kMaxRecordNameBytes + 1000, '\x01');
            for (int n = 0; n < 100; ++n) {
                const Url link = url(QString::number(n).rightJustified(3, '0') + QString(kMaxRecordLinkBytes - 23, 'a'));
                if (n < 20) history->addEntry(name, link);
                favorites->toggleFavorite(name, link, KVBadge::star);
            }
            QVERIFY(QFileInfo(lists.favoritesPath).size() > 3 * qint64(kMaxRecordNameBytes) * 100);
            QCOMPARE(describe(lists.history()->recentEntries()), describe(history->recentEntries()));
            QCOMPARE(describe(lists.favorites()->favorites()), describe(favorites->favorites()));
        }
        // Written by another writer: one record just under the cap, so the list
        // with one more record would no longer be read back; the old file stays.
        const Lists lists;
        const QByteArray history = validFile(false, QByteArray(qsizetype(kPersonalFileLimit) - 200, 'n'));
        QVERIFY(writePlain(lists.historyPath, history));
        auto service = lists.history();
        service->addEntry("Fresh", url("fresh"));
        QCOMPARE(service->recentEntries().size(), 2ul);
        QCOMPARE(readPlain(lists.historyPath), history);
    }

    void clearWritesAnEmptyArray()
    {
        for (const QByteArray& before : {QByteArray(), QByteArray("not JSON"), validFile(false), validFile(true)}) {
            const Lists lists;
            QVERIFY(before.isEmpty() || (writePlain(lists.historyPath, before) && writePlain(lists.favoritesPath, before)));
            auto history = lists.history();
            auto favorites = lists.favorites();
            QSignalSpy historyChanged(history.get(), &KVHistoryService::recentEntriesChanged);
            QSignalSpy favoritesChanged(favorites.get(), &KVFavoritesService::favoritesChanged);
            const int had = int(history->recentEntries().size() + favorites->favorites().size());
            history->clearHistory();
            favorites->clearFavorites();
            QCOMPARE(historyChanged.count() + favoritesChanged.count(), had); // nothing to clear is no change
            QCOMPARE(readPlain(lists.historyPath), QByteArray("[]"));
            QCOMPARE(readPlain(lists.favoritesPath), QByteArray("[]"));
        }
    }

    void textOperationsIgnoreInvalidInput()
    {
        const Lists lists;
        // Indented, so any rewrite of the files changes their bytes.
        const QByteArray history = QJsonDocument::fromJson(validFile(false)).toJson(QJsonDocument::Indented);
        const QByteArray favorites = QJsonDocument::fromJson(validFile(true)).toJson(QJsonDocument::Indented);
        QVERIFY(writePlain(lists.historyPath, history) && writePlain(lists.favoritesPath, favorites));
        auto historyService = lists.history();
        auto favoritesService = lists.favorites();
        QSignalSpy historyChanged(historyService.get(), &KVHistoryService::recentEntriesChanged);
        QSignalSpy favoritesChanged(favoritesService.get(), &KVFavoritesService::favoritesChanged);
        const QString kept = QStringLiteral("https://example.org/kept");
        for (const QString& link : {QString(), QStringLiteral("https://example.org/a b"), QStringLiteral("https://e.org/%zz"),
                                    QStringLiteral("<https://example.org/a>"), QStringLiteral("https://example.org/\t")}) {
            historyService->addEntry(QStringLiteral("Name"), link);
            favoritesService->toggleFavorite(QStringLiteral("Name"), link, QStringLiteral("star"));
            QVERIFY(!favoritesService->isFavorite(link));
        }
        // The link is the one in the list, so an accepted call would remove it.
        for (const QString& badge : QStringList{"Star", "", " star", "stars", "\u2606"}) favoritesService->toggleFavorite("N", kept, badge);
        QCOMPARE(historyChanged.count() + favoritesChanged.count(), 0);
        QCOMPARE(readPlain(lists.historyPath), history);
        QCOMPARE(readPlain(lists.favoritesPath), favorites);
        QVERIFY(favoritesService->isFavorite(kept) && !favoritesService->isFavorite(kept + "/"));
    }
};

QTEST_GUILESS_MAIN(PersonalListsTest)
#include "personal_lists_test.moc"
