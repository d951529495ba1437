// SPDX-License-Identifier: GPL-3.0-or-later
// "Recently Viewed" and the favourites: the list rules, the files they live in,
// and what happens when those files are bad. Time and identifiers come from
// counters, so every record's id and date are known in advance.
#include "test_files.h"
#include "platform/file_io.h"
#include "services/favorites_service.h"
#include "services/history_service.h"

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using kavo::FavoriteEntry;
using kavo::FavoriteList;
using kavo::HistoryEntry;
using kavo::HistoryList;
using kavo::KVBadge;
using kavo::KVFavoritesService;
using kavo::KVHistoryService;
using kavo::kPersonalFileLimit;
using kavo::Url;
using kavo::Uuid;

namespace {

using kavo::testing::FifoRescue;
using kavo::testing::readPlain;
using kavo::testing::writePlain;

// The n-th clock reading is kClockBase + n: a date in 2025 with a fraction,
// so a date that loses precision on its way through the file shows.
constexpr double kClockBase = 757'382'400.123456789;

double dateNumber(int n)
{
    return kClockBase + n;
}

// The n-th identifier: ABCDEF01-2345-6789-FACE-0000000000nn (n in hex).
Uuid uuidNumber(int n)
{
    Uuid::Bytes bytes{0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89, 0xFA, 0xCE};
    for (int i = 0; i < 6; ++i) bytes[15 - i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(n) >> (8 * i));
    return Uuid(bytes);
}

// Each record made takes one identifier and one clock reading. Services
// opened on the same file share one sequence, so identifiers never repeat.
class Sequence {
public:
    kavo::Clock clock()
    {
        return [counts = counts_] { return dateNumber(++counts->clock); };
    }
    kavo::UuidSource uuids()
    {
        return [counts = counts_] { return uuidNumber(++counts->uuid); };
    }

private:
    struct Counts {
        int clock = 0;
        int uuid = 0;
    };
    std::shared_ptr<Counts> counts_ = std::make_shared<Counts>();
};

Url url(const QString& text)
{
    std::optional<Url> parsed = Url::parse(text.toStdString());
    if (!parsed) qFatal("test link does not parse: %s", qPrintable(text));
    return std::move(*parsed);
}

QString link(int n)
{
    return QStringLiteral("https://example.org/entry/%1").arg(n);
}

QString describe(const HistoryEntry& entry)
{
    return QStringLiteral("%1 | %2 | %3 | %4")
        .arg(QString::fromStdString(entry.name), QString::fromStdString(entry.url.text()),
             QString::fromStdString(entry.id.toString()), QString::number(entry.viewedAt, 'g', 17));
}

QString describe(const FavoriteEntry& entry)
{
    return QStringLiteral("%1 | %2 | %3 | %4 | %5")
        .arg(QString::fromStdString(entry.name), QString::fromStdString(entry.url.text()),
             QString::fromStdString(std::string(kavo::rawValue(entry.badge))),
             QString::fromStdString(entry.id.toString()), QString::number(entry.addedAt, 'g', 17));
}

template <typename List> QStringList describe(const List& list)
{
    QStringList lines;
    for (const auto& entry : list) lines << describe(entry);
    return lines;
}

// One addEntry call, and a record expected in the list: the one made by the
// `made`-th record-making call.
struct Visit {
    QString name;
    QString link;
};
struct Viewed {
    QString name;
    QString link;
    int made;
};
using Visits = QList<Visit>;
using ViewedList = QList<Viewed>;

// One toggleFavorite call, and an expected favourite record.
struct Toggle {
    QString name;
    QString link;
    KVBadge badge;
};
struct Kept {
    QString name;
    QString link;
    KVBadge badge;
    int made;
};
using Toggles = QList<Toggle>;
using KeptList = QList<Kept>;

HistoryList historyOf(const ViewedList& expected)
{
    HistoryList list;
    for (const Viewed& v : expected) {
        list.push_back({uuidNumber(v.made), v.name.toStdString(), url(v.link), dateNumber(v.made)});
    }
    return list;
}

FavoriteList favoritesOf(const KeptList& expected)
{
    FavoriteList list;
    for (const Kept& k : expected) {
        list.push_back({uuidNumber(k.made), k.name.toStdString(), url(k.link), k.badge, dateNumber(k.made)});
    }
    return list;
}

// Valid records in the files' form, written by hand.
QByteArray historyRecord(const QString& id, const QString& name, const QString& target, const QString& viewedAt)
{
    return QStringLiteral(R"({"id":"%1","name":"%2","url":"%3","viewedAt":%4})")
        .arg(id, name, target, viewedAt)
        .toUtf8();
}

QByteArray favoriteRecord(const QString& id, const QString& name, const QString& target, const QString& badge,
                          const QString& addedAt)
{
    return QStringLiteral(R"({"id":"%1","name":"%2","url":"%3","badge":"%4","addedAt":%5})")
        .arg(id, name, target, badge, addedAt)
        .toUtf8();
}

// A user id that is not ours, for files planted by "another user".
constexpr uid_t kOtherUser = 65534;

const QString kGoodId = QStringLiteral("0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0");

QByteArray validFile(bool favorites)
{
    return favorites ? "[" + favoriteRecord(kGoodId, "Kept", "https://example.org/kept", "star", "1.5") + "]"
                     : "[" + historyRecord(kGoodId, "Kept", "https://example.org/kept", "1.5") + "]";
}

// The same file grown with spaces to exactly `size` bytes: still valid JSON.
QByteArray paddedTo(QByteArray json, qsizetype size)
{
    json.append(QByteArray(size - json.size(), ' '));
    return json;
}

// The list of a service, whichever it is.
std::size_t countOf(const KVHistoryService& service) { return service.recentEntries().size(); }
std::size_t countOf(const KVFavoritesService& service) { return service.favorites().size(); }
QStringList describeList(const KVHistoryService& service) { return describe(service.recentEntries()); }
QStringList describeList(const KVFavoritesService& service) { return describe(service.favorites()); }
void makeOneChange(KVHistoryService& service)
{
    service.addEntry("Fresh", url(QStringLiteral("https://example.org/fresh")));
}
void makeOneChange(KVFavoritesService& service)
{
    service.toggleFavorite("Fresh", url(QStringLiteral("https://example.org/fresh")), KVBadge::arrow);
}
void clearList(KVHistoryService& service) { service.clearHistory(); }
void clearList(KVFavoritesService& service) { service.clearFavorites(); }
const char* notifySignal(const KVHistoryService&) { return SIGNAL(recentEntriesChanged()); }
const char* notifySignal(const KVFavoritesService&) { return SIGNAL(favoritesChanged()); }

enum class BadFile {
    invalidJson,
    missingKey,
    wrongType,
    badId,
    notAnArray,
    badBadge,
    emptyBadge,
    oversized,
    fifo,
    directory,
    linkToDevZero,
    linkToForeignFile,
    otherUsersFile,
};

bool isRegularFileCase(BadFile bad)
{
    return bad < BadFile::fifo;
}

bool isPlantedByOthers(BadFile bad)
{
    return bad == BadFile::linkToForeignFile || bad == BadFile::otherUsersFile;
}

QString foreignFileBeside(const QString& path)
{
    return QFileInfo(path).dir().filePath(QStringLiteral("foreign.json"));
}

// A file whose second record is bad, so a loader that keeps what it read
// before the error shows; or something that is not a file at all.
[[nodiscard]] bool plantBadFile(const QString& path, BadFile bad, bool favorites)
{
    const QByteArray good = favorites ? favoriteRecord(kGoodId, "Kept", "https://example.org/kept", "star", "1.5")
                                      : historyRecord(kGoodId, "Kept", "https://example.org/kept", "1.5");
    const QString otherId = QStringLiteral("11111111-2222-4333-8444-555555555555");
    const auto other = [&](const QString& id, const QString& badge, const QString& date) {
        return favorites ? favoriteRecord(id, "Other", "https://example.org/other", badge, date)
                         : historyRecord(id, "Other", "https://example.org/other", date);
    };
    QByteArray second;
    switch (bad) {
    case BadFile::invalidJson:
        return writePlain(path, "[" + good + "," + other(otherId, "none", "2"));
    case BadFile::missingKey:
        second = other(otherId, "none", "2").replace(R"("name":"Other",)", "");
        break;
    case BadFile::wrongType:
        second = other(otherId, "none", "\"2\"");
        break;
    case BadFile::badId:
        second = other(QStringLiteral("11111111-2222-4333-8444-55555555555"), "none", "2");
        break;
    case BadFile::notAnArray:
        return writePlain(path, good);
    case BadFile::badBadge:
        second = other(otherId, "Star", "2");
        break;
    case BadFile::emptyBadge:
        second = other(otherId, "", "2");
        break;
    case BadFile::fifo:
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    case BadFile::directory:
        return QDir().mkdir(path);
    case BadFile::linkToDevZero:
        return QFile::link(QStringLiteral("/dev/zero"), path);
    case BadFile::linkToForeignFile:
        // A list that would load if the link were followed.
        return writePlain(foreignFileBeside(path), validFile(favorites)) && QFile::link(foreignFileBeside(path), path);
    case BadFile::otherUsersFile:
        return writePlain(path, validFile(favorites)) &&
               ::chown(QFile::encodeName(path).constData(), kOtherUser, kOtherUser) == 0;
    case BadFile::oversized:
        return writePlain(path, paddedTo("[" + good + "," + other(otherId, "none", "2") + "]", kPersonalFileLimit + 1));
    }
    return writePlain(path, "[" + good + "," + second + "]");
}

bool isFifo(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

template <typename Service> void checkBadFileStartsEmpty(const QString& path, BadFile bad)
{
    // Only a regular file is read here: a FIFO or /dev/zero would not end.
    const QByteArray before = isRegularFileCase(bad) ? readPlain(path) : QByteArray();
    const QByteArray foreignBefore = readPlain(foreignFileBeside(path));
    Sequence sequence;
    FifoRescue rescue(path);
    Service service(path, sequence.clock(), sequence.uuids());
    QCOMPARE(countOf(service), std::size_t{0});

    // Left alone until the next save.
    switch (bad) {
    case BadFile::fifo:
        QVERIFY(isFifo(path));
        break;
    case BadFile::directory:
        QVERIFY(QFileInfo(path).isDir());
        break;
    case BadFile::linkToDevZero:
        QCOMPARE(QFileInfo(path).symLinkTarget(), QStringLiteral("/dev/zero"));
        // No save here: code that wrongly wrote through the link would, run
        // as root, replace the system's /dev/zero. The foreign-file row
        // covers saving over a link.
        QVERIFY2(!rescue.finish(), "reading the list blocked");
        return;
    case BadFile::linkToForeignFile:
        QCOMPARE(QFileInfo(path).symLinkTarget(), foreignFileBeside(path));
        QCOMPARE(readPlain(foreignFileBeside(path)), foreignBefore);
        break;
    case BadFile::otherUsersFile:
        QCOMPARE(QFileInfo(path).ownerId(), kOtherUser);
        break;
    default:
        QCOMPARE(readPlain(path), before);
    }

    makeOneChange(service);
    QVERIFY2(!rescue.finish(), "reading or writing the list blocked");
    QCOMPARE(countOf(service), std::size_t{1});

    if (isRegularFileCase(bad) || isPlantedByOthers(bad)) {
        // The save replaced the bad file with the list as it now is: a
        // planted link itself, never the file it names.
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(QFileInfo(path).ownerId(), ::geteuid());
        Service reopened(path, sequence.clock(), sequence.uuids());
        QCOMPARE(describeList(reopened), describeList(service));
        QCOMPARE(readPlain(foreignFileBeside(path)), foreignBefore);
    } else if (bad == BadFile::directory) {
        QVERIFY(QFileInfo(path).isDir());
    }
}

template <typename Service> void checkLimitFile(const QString& path, bool loads)
{
    Sequence sequence;
    const Service service(path, sequence.clock(), sequence.uuids());
    QCOMPARE(countOf(service), loads ? std::size_t{1} : std::size_t{0});
}

template <typename Service> void checkClearWritesEmptyArray(const QString& path, bool startsWithRecords)
{
    Sequence sequence;
    Service service(path, sequence.clock(), sequence.uuids());
    QCOMPARE(countOf(service), startsWithRecords ? std::size_t{1} : std::size_t{0});
    QSignalSpy changed(&service, notifySignal(service));

    clearList(service);

    QCOMPARE(countOf(service), std::size_t{0});
    QCOMPARE(readPlain(path), QByteArray("[]"));
    if (startsWithRecords) QCOMPARE(changed.count(), 1);
    const Service reopened(path, sequence.clock(), sequence.uuids());
    QCOMPARE(countOf(reopened), std::size_t{0});
}

// Adds one record with exactly these bytes as its name, whichever the service.
void addNamed(KVHistoryService& service, const QByteArray& name, const QString& target)
{
    service.addEntry(name.toStdString(), url(target));
}
void addNamed(KVFavoritesService& service, const QByteArray& name, const QString& target)
{
    service.toggleFavorite(name.toStdString(), url(target), KVBadge::star);
}
std::string firstName(const KVHistoryService& service) { return service.recentEntries().front().name; }
std::string firstName(const KVFavoritesService& service) { return service.favorites().front().name; }

// A distinct link of exactly `size` bytes.
QString linkOfSize(int n, qsizetype size)
{
    QString text = link(n) + QLatin1Char('/');
    return text + QString(size - text.size(), QLatin1Char('a'));
}

template <typename Service>
void checkBoundedRecord(const QString& path, const QByteArray& name, const QString& target,
                        const std::optional<QByteArray>& storedName)
{
    Sequence sequence;
    Service service(path, sequence.clock(), sequence.uuids());
    makeOneChange(service);
    const QByteArray before = readPlain(path);

    addNamed(service, name, target);

    QCOMPARE(countOf(service), storedName ? std::size_t{2} : std::size_t{1});
    if (storedName) {
        QCOMPARE(QByteArray::fromStdString(firstName(service)), *storedName);
    } else {
        QCOMPARE(readPlain(path), before);
    }
    // The next start reads back everything, the older record included.
    const Service reopened(path, sequence.clock(), sequence.uuids());
    QCOMPARE(describeList(reopened), describeList(service));
}

template <typename Service> void checkFullListStaysReadable(const QString& path, int size)
{
    Sequence sequence;
    Service service(path, sequence.clock(), sequence.uuids());
    // Every name byte a control character, each written as a six-byte escape.
    const QByteArray name(kavo::kMaxRecordNameBytes + 1000, '\x01');
    for (int n = 0; n < size; ++n) addNamed(service, name, linkOfSize(n, kavo::kMaxRecordLinkBytes));
    QCOMPARE(countOf(service), std::size_t(size));
    QVERIFY(QFileInfo(path).size() > 3 * qint64(kavo::kMaxRecordNameBytes) * size);

    const Service reopened(path, sequence.clock(), sequence.uuids());
    QCOMPARE(describeList(reopened), describeList(service));
}

template <typename Service> void checkOversizedSaveKeepsOldFile(const QString& path, const QByteArray& text)
{
    Sequence sequence;
    Service service(path, sequence.clock(), sequence.uuids());
    QCOMPARE(countOf(service), std::size_t{1});

    makeOneChange(service);

    QCOMPARE(countOf(service), std::size_t{2});
    QCOMPARE(readPlain(path), text);
    const Service reopened(path, sequence.clock(), sequence.uuids());
    QCOMPARE(countOf(reopened), std::size_t{1});
}

QStringList sortedKeys(const QJsonObject& object)
{
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

} // namespace

Q_DECLARE_METATYPE(Visits)
Q_DECLARE_METATYPE(ViewedList)
Q_DECLARE_METATYPE(Toggles)
Q_DECLARE_METATYPE(KeptList)
Q_DECLARE_METATYPE(BadFile)

class PersonalListsTest : public QObject {
    Q_OBJECT

private slots:
    void historyKeepsOneRecordPerLinkNewestFirst_data();
    void historyKeepsOneRecordPerLinkNewestFirst();
    void favoriteToggleFlipsMembership_data();
    void favoriteToggleFlipsMembership();
    void filesAreCompactJsonArrays();

    void historyFileIsTakenAsItIs_data();
    void historyFileIsTakenAsItIs();
    void favoritesFileWithRepeatedLinkIsTakenAsItIs();

    void badFileStartsEmptyAndIsLeftAlone_data();
    void badFileStartsEmptyAndIsLeftAlone();
    void sizeLimitIsFourMebibytes_data();
    void sizeLimitIsFourMebibytes();
    void recordsAreBoundedToStayReadable_data();
    void recordsAreBoundedToStayReadable();
    void fullListsOfLargestRecordsStayReadable();
    void saveTooLargeToReadBackKeepsTheOldFile();
    void clearWritesEmptyArray_data();
    void clearWritesEmptyArray();

    void changesAreAnnouncedOnceAfterTheyHappen();
    void textOperationsAcceptValidInput();
    void textOperationsIgnoreInvalidInput_data();
    void textOperationsIgnoreInvalidInput();
};

void PersonalListsTest::historyKeepsOneRecordPerLinkNewestFirst_data()
{
    QTest::addColumn<Visits>("visits");
    QTest::addColumn<ViewedList>("expected");

    const QString a = QStringLiteral("https://example.org/a");
    const QString b = QStringLiteral("https://example.org/b");
    const QString c = QStringLiteral("https://example.org/c");
    const QString d = QStringLiteral("https://example.org/d");

    QTest::addRow("one link") << Visits{{"A", a}} << ViewedList{{"A", a, 1}};
    QTest::addRow("same link twice: one record, new id and date")
        << Visits{{"A", a}, {"A", a}} << ViewedList{{"A", a, 2}};
    QTest::addRow("same link again after another")
        << Visits{{"A", a}, {"B", b}, {"A", a}} << ViewedList{{"A", a, 3}, {"B", b, 2}};
    QTest::addRow("link from the middle moves to the front")
        << Visits{{"A", a}, {"B", b}, {"C", c}, {"D", d}, {"B", b}}
        << ViewedList{{"B", b, 5}, {"D", d, 4}, {"C", c, 3}, {"A", a, 1}};
    QTest::addRow("same name, two links") << Visits{{"X", a}, {"X", b}} << ViewedList{{"X", b, 2}, {"X", a, 1}};
    QTest::addRow("same link, new name replaces")
        << Visits{{"Old", a}, {"B", b}, {"New", a}} << ViewedList{{"New", a, 3}, {"B", b, 2}};
    QTest::addRow("trailing slash is another link")
        << Visits{{"A", a}, {"A", a + "/"}} << ViewedList{{"A", a + "/", 2}, {"A", a, 1}};
    const QString awkwardName = QStringLiteral("He said \"hi\" \\ back\n\ttab / é ☕");
    const QString encodedLink = QStringLiteral("https://example.org/caf%C3%A9?q=1&r=2#top");
    const QString iriLink = QStringLiteral("https://example.org/café");
    QTest::addRow("names and links needing escapes")
        << Visits{{awkwardName, encodedLink}, {"", iriLink}}
        << ViewedList{{"", iriLink, 2}, {awkwardName, encodedLink, 1}};

    Visits twenty;
    for (int n = 1; n <= 20; ++n) twenty << Visit{QStringLiteral("Entry %1").arg(n), link(n)};
    ViewedList newest20;
    for (int n = 21; n >= 2; --n) newest20 << Viewed{QStringLiteral("Entry %1").arg(n), link(n), n};
    QTest::addRow("21st distinct link drops the oldest")
        << (Visits(twenty) << Visit{QStringLiteral("Entry 21"), link(21)}) << newest20;

    ViewedList readded{{QStringLiteral("Entry 1"), link(1), 21}};
    for (int n = 20; n >= 2; --n) readded << Viewed{QStringLiteral("Entry %1").arg(n), link(n), n};
    QTest::addRow("oldest of 20 seen again: the other 19 stay")
        << (Visits(twenty) << Visit{QStringLiteral("Entry 1"), link(1)}) << readded;
}

void PersonalListsTest::historyKeepsOneRecordPerLinkNewestFirst()
{
    QFETCH(Visits, visits);
    QFETCH(ViewedList, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(KVHistoryService::kFileName);
    Sequence sequence;
    KVHistoryService history(path, sequence.clock(), sequence.uuids());
    QVERIFY(history.recentEntries().empty());
    QSignalSpy changed(&history, &KVHistoryService::recentEntriesChanged);

    for (const Visit& visit : visits) history.addEntry(visit.name.toStdString(), url(visit.link));

    QCOMPARE(changed.count(), visits.size());
    const HistoryList wanted = historyOf(expected);
    QCOMPARE(describe(history.recentEntries()), describe(wanted));
    QVERIFY(history.recentEntries() == wanted);

    // The file holds the same list, identifiers and dates included.
    const KVHistoryService reopened(path, sequence.clock(), sequence.uuids());
    QCOMPARE(describe(reopened.recentEntries()), describe(wanted));
    QVERIFY(reopened.recentEntries() == wanted);
}

void PersonalListsTest::favoriteToggleFlipsMembership_data()
{
    QTest::addColumn<Toggles>("toggles");
    QTest::addColumn<KeptList>("expected");

    const QString a = QStringLiteral("https://example.org/a");
    const QString b = QStringLiteral("https://example.org/b");
    const QString c = QStringLiteral("https://example.org/c");

    QTest::addRow("adds newest first")
        << Toggles{{"A", a, KVBadge::star}, {"B", b, KVBadge::globe}}
        << KeptList{{"B", b, KVBadge::globe, 2}, {"A", a, KVBadge::star, 1}};
    QTest::addRow("toggling twice restores the list")
        << Toggles{{"A", a, KVBadge::star}, {"B", b, KVBadge::globe}, {"B", b, KVBadge::globe}}
        << KeptList{{"A", a, KVBadge::star, 1}};
    QTest::addRow("removal ignores the name and badge given")
        << Toggles{{"A", a, KVBadge::star}, {"Other name", a, KVBadge::arrow}} << KeptList{};
    QTest::addRow("removal keeps the others in order")
        << Toggles{{"A", a, KVBadge::none}, {"B", b, KVBadge::none}, {"C", c, KVBadge::none}, {"B", b, KVBadge::none}}
        << KeptList{{"C", c, KVBadge::none, 3}, {"A", a, KVBadge::none, 1}};
    QTest::addRow("added again after removal: new record")
        << Toggles{{"A", a, KVBadge::star}, {"A", a, KVBadge::star}, {"A again", a, KVBadge::globe}}
        << KeptList{{"A again", a, KVBadge::globe, 2}};
    QTest::addRow("trailing slash is another favourite")
        << Toggles{{"A", a, KVBadge::none}, {"A", a + "/", KVBadge::none}}
        << KeptList{{"A", a + "/", KVBadge::none, 2}, {"A", a, KVBadge::none, 1}};

    Toggles hundredAndOne;
    for (int n = 1; n <= 101; ++n) hundredAndOne << Toggle{QStringLiteral("Entry %1").arg(n), link(n), KVBadge::star};
    KeptList newest100;
    for (int n = 101; n >= 2; --n) newest100 << Kept{QStringLiteral("Entry %1").arg(n), link(n), KVBadge::star, n};
    QTest::addRow("101st favourite goes first, the oldest goes") << hundredAndOne << newest100;
}

void PersonalListsTest::favoriteToggleFlipsMembership()
{
    QFETCH(Toggles, toggles);
    QFETCH(KeptList, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(KVFavoritesService::kFileName);
    Sequence sequence;
    KVFavoritesService favorites(path, sequence.clock(), sequence.uuids());
    QSignalSpy changed(&favorites, &KVFavoritesService::favoritesChanged);

    for (const Toggle& toggle : toggles) {
        favorites.toggleFavorite(toggle.name.toStdString(), url(toggle.link), toggle.badge);
    }

    QCOMPARE(changed.count(), toggles.size());
    const FavoriteList wanted = favoritesOf(expected);
    QCOMPARE(describe(favorites.favorites()), describe(wanted));
    QVERIFY(favorites.favorites() == wanted);
    for (const Toggle& toggle : toggles) {
        const bool kept =
            std::any_of(expected.begin(), expected.end(), [&](const Kept& k) { return k.link == toggle.link; });
        QVERIFY2(favorites.isFavorite(url(toggle.link)) == kept, qPrintable(toggle.link));
    }

    const KVFavoritesService reopened(path, sequence.clock(), sequence.uuids());
    QCOMPARE(describe(reopened.favorites()), describe(wanted));
    QVERIFY(reopened.favorites() == wanted);
}

void PersonalListsTest::filesAreCompactJsonArrays()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString historyPath = dir.filePath(KVHistoryService::kFileName);
    const QString favoritesPath = dir.filePath(KVFavoritesService::kFileName);
    Sequence sequence;
    KVHistoryService history(historyPath, sequence.clock(), sequence.uuids());
    KVFavoritesService favorites(favoritesPath, sequence.clock(), sequence.uuids());

    history.addEntry("Alpha", url(QStringLiteral("https://example.org/alpha")));
    history.addEntry("Beta", url(QStringLiteral("https://example.org/beta")));
    favorites.toggleFavorite("Gamma", url(QStringLiteral("https://example.org/gamma")), KVBadge::globe);

    const QByteArray historyText = readPlain(historyPath);
    const QByteArray favoritesText = readPlain(favoritesPath);
    // Compact: no names or links hold white space, so none may appear at all.
    for (const QByteArray& text : {historyText, favoritesText}) {
        QVERIFY2(!text.contains(' ') && !text.contains('\n') && !text.contains('\t'), text.constData());
    }

    QJsonParseError error{};
    const QJsonDocument historyJson = QJsonDocument::fromJson(historyText, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(historyJson.isArray());
    const QJsonArray historyArray = historyJson.array();
    QCOMPARE(historyArray.size(), 2);
    const QJsonObject beta = historyArray.at(0).toObject();
    QCOMPARE(sortedKeys(beta), (QStringList{"id", "name", "url", "viewedAt"}));
    QCOMPARE(beta.value("id").toString(), QStringLiteral("ABCDEF01-2345-6789-FACE-000000000002"));
    QCOMPARE(beta.value("name").toString(), QStringLiteral("Beta"));
    QCOMPARE(beta.value("url").toString(), QStringLiteral("https://example.org/beta"));
    QVERIFY(beta.value("viewedAt").isDouble());
    QCOMPARE(beta.value("viewedAt").toDouble(), kClockBase + 2);
    QCOMPARE(historyArray.at(1).toObject().value("id").toString(),
             QStringLiteral("ABCDEF01-2345-6789-FACE-000000000001"));

    const QJsonDocument favoritesJson = QJsonDocument::fromJson(favoritesText, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(favoritesJson.isArray());
    QCOMPARE(favoritesJson.array().size(), 1);
    const QJsonObject gamma = favoritesJson.array().at(0).toObject();
    QCOMPARE(sortedKeys(gamma), (QStringList{"addedAt", "badge", "id", "name", "url"}));
    QCOMPARE(gamma.value("id").toString(), QStringLiteral("ABCDEF01-2345-6789-FACE-000000000003"));
    QCOMPARE(gamma.value("name").toString(), QStringLiteral("Gamma"));
    QCOMPARE(gamma.value("url").toString(), QStringLiteral("https://example.org/gamma"));
    QCOMPARE(gamma.value("badge").toString(), QStringLiteral("globe"));
    QVERIFY(gamma.value("addedAt").isDouble());
    QCOMPARE(gamma.value("addedAt").toDouble(), kClockBase + 3);
}

void PersonalListsTest::historyFileIsTakenAsItIs_data()
{
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QList<int>>("keptFromFile");

    // 25 records; numbers 3, 10 and 20 share one link.
    QTest::addRow("new link") << QStringLiteral("https://example.org/new")
                              << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    QTest::addRow("link held three times")
        << QStringLiteral("https://example.org/dup")
        << QList<int>{0, 1, 2, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21};
}

void PersonalListsTest::historyFileIsTakenAsItIs()
{
    QFETCH(QString, opened);
    QFETCH(QList<int>, keptFromFile);

    // Written by hand, the way another writer might: unsorted dates, a link
    // three times, more than 20 records, lower-case ids, keys in another
    // order, white space between values.
    HistoryList inFile;
    QByteArray text = "[\n";
    for (int i = 0; i < 25; ++i) {
        const bool duplicate = i == 3 || i == 10 || i == 20;
        const QString target = duplicate ? QStringLiteral("https://example.org/dup") : link(i);
        const QString id = QStringLiteral("a0b1c2d3-0000-4000-8000-%1").arg(i, 12, 10, QLatin1Char('0'));
        const double viewedAt = 600'000'000.25 + ((i * 7) % 25) * 1000.5;
        const QString name = QStringLiteral("File %1").arg(i);
        if (i % 2 == 0) {
            text += historyRecord(id, name, target, QString::number(viewedAt, 'g', 17));
        } else {
            text += QStringLiteral(R"({ "viewedAt": %1, "url": "%2", "name": "%3", "id": "%4" })")
                        .arg(QString::number(viewedAt, 'g', 17), target, name, id)
                        .toUtf8();
        }
        text += i < 24 ? ",\n" : "\n]\n";
        inFile.push_back({*Uuid::fromString(id.toStdString()), name.toStdString(), url(target), viewedAt});
    }
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(KVHistoryService::kFileName);
    QVERIFY(writePlain(path, text));

    Sequence sequence;
    KVHistoryService history(path, sequence.clock(), sequence.uuids());
    QCOMPARE(describe(history.recentEntries()), describe(inFile));
    QVERIFY(history.recentEntries() == inFile);
    QCOMPARE(readPlain(path), text); // loading writes nothing

    history.addEntry("Opened", url(opened));

    HistoryList expected{{uuidNumber(1), "Opened", url(opened), dateNumber(1)}};
    for (int i : keptFromFile) expected.push_back(inFile[static_cast<std::size_t>(i)]);
    QCOMPARE(describe(history.recentEntries()), describe(expected));
    QVERIFY(history.recentEntries() == expected);
    const KVHistoryService reopened(path, sequence.clock(), sequence.uuids());
    QVERIFY(reopened.recentEntries() == expected);
}

void PersonalListsTest::favoritesFileWithRepeatedLinkIsTakenAsItIs()
{
    const QString a = QStringLiteral("https://example.org/a");
    const QString b = QStringLiteral("https://example.org/b");
    const QString firstId = QStringLiteral("00000000-0000-4000-8000-00000000000A");
    const QString middleId = QStringLiteral("00000000-0000-4000-8000-00000000000B");
    const QString lastId = QStringLiteral("00000000-0000-4000-8000-00000000000C");
    const QByteArray text = "[" + favoriteRecord(firstId, "First", a, "star", "30") + "," +
                            favoriteRecord(middleId, "Middle", b, "none", "10") + "," +
                            favoriteRecord(lastId, "Last", a, "arrow", "20") + "]";
    const FavoriteEntry first{*Uuid::fromString(firstId.toStdString()), "First", url(a), KVBadge::star, 30};
    const FavoriteEntry middle{*Uuid::fromString(middleId.toStdString()), "Middle", url(b), KVBadge::none, 10};
    const FavoriteEntry last{*Uuid::fromString(lastId.toStdString()), "Last", url(a), KVBadge::arrow, 20};

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(KVFavoritesService::kFileName);
    QVERIFY(writePlain(path, text));
    Sequence sequence;
    KVFavoritesService favorites(path, sequence.clock(), sequence.uuids());
    QVERIFY(favorites.favorites() == (FavoriteList{first, middle, last}));

    favorites.toggleFavorite("Whatever", url(a), KVBadge::globe);

    QCOMPARE(describe(favorites.favorites()), describe(FavoriteList{middle, last}));
    QVERIFY(favorites.isFavorite(url(a)));
    const KVFavoritesService reopened(path, sequence.clock(), sequence.uuids());
    QVERIFY(reopened.favorites() == (FavoriteList{middle, last}));

    favorites.toggleFavorite("Whatever", url(a), KVBadge::globe);
    QVERIFY(favorites.favorites() == FavoriteList{middle});
    QVERIFY(!favorites.isFavorite(url(a)));
}

void PersonalListsTest::badFileStartsEmptyAndIsLeftAlone_data()
{
    QTest::addColumn<bool>("favorites");
    QTest::addColumn<BadFile>("bad");

    const std::pair<const char*, BadFile> shared[] = {
        {"invalid JSON", BadFile::invalidJson},
        {"missing key", BadFile::missingKey},
        {"date as a string", BadFile::wrongType},
        {"short id", BadFile::badId},
        {"object, not an array", BadFile::notAnArray},
        {"FIFO", BadFile::fifo},
        {"directory", BadFile::directory},
        {"link to /dev/zero", BadFile::linkToDevZero},
        {"link to a readable list", BadFile::linkToForeignFile},
        {"readable list of another user", BadFile::otherUsersFile},
        {"over 4 MiB", BadFile::oversized},
    };
    for (const auto& [name, bad] : shared) {
        QTest::addRow("history: %s", name) << false << bad;
        QTest::addRow("favourites: %s", name) << true << bad;
    }
    QTest::addRow("favourites: badge \"Star\"") << true << BadFile::badBadge;
    QTest::addRow("favourites: empty badge") << true << BadFile::emptyBadge;
}

void PersonalListsTest::badFileStartsEmptyAndIsLeftAlone()
{
    QFETCH(bool, favorites);
    QFETCH(BadFile, bad);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(favorites ? KVFavoritesService::kFileName : KVHistoryService::kFileName);
    if (bad == BadFile::otherUsersFile && ::geteuid() != 0) QSKIP("only root can make a file of another user");
    QVERIFY(plantBadFile(path, bad, favorites));

    if (favorites) {
        checkBadFileStartsEmpty<KVFavoritesService>(path, bad);
    } else {
        checkBadFileStartsEmpty<KVHistoryService>(path, bad);
    }
}

void PersonalListsTest::sizeLimitIsFourMebibytes_data()
{
    QTest::addColumn<bool>("favorites");
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<bool>("loads");

    for (const bool favorites : {false, true}) {
        const char* name = favorites ? "favourites" : "history";
        QTest::addRow("%s: exactly 4 MiB", name) << favorites << qsizetype(4 << 20) << true;
        QTest::addRow("%s: 4 MiB and one byte", name) << favorites << qsizetype((4 << 20) + 1) << false;
    }
}

void PersonalListsTest::sizeLimitIsFourMebibytes()
{
    QFETCH(bool, favorites);
    QFETCH(qsizetype, size);
    QFETCH(bool, loads);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.json"));
    QVERIFY(writePlain(path, paddedTo(validFile(favorites), size)));

    if (favorites) {
        checkLimitFile<KVFavoritesService>(path, loads);
    } else {
        checkLimitFile<KVHistoryService>(path, loads);
    }
}

void PersonalListsTest::recordsAreBoundedToStayReadable_data()
{
    QTest::addColumn<bool>("favorites");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("link");
    QTest::addColumn<std::optional<QByteArray>>("storedName");

    const QString shortLink = QStringLiteral("https://example.org/long");
    // Four bytes; after the "a", the character at byte 4093 would end past 4096.
    const QByteArray grin("\xF0\x9F\x98\x80");
    const QByteArray replacement("\xEF\xBF\xBD");
    for (const bool favorites : {false, true}) {
        const char* list = favorites ? "favourites" : "history";
        QTest::addRow("%s: name of 4.3 MB", list)
            << favorites << QByteArray(4'300'000, 'n') << shortLink << std::optional(QByteArray(4096, 'n'));
        QTest::addRow("%s: cut inside a character", list)
            << favorites << "a" + grin.repeated(1100) << shortLink << std::optional("a" + grin.repeated(1023));
        QTest::addRow("%s: control characters", list)
            << favorites << QByteArray(5000, '\x1f') << shortLink << std::optional(QByteArray(4096, '\x1f'));
        QTest::addRow("%s: ill-formed UTF-8, long", list)
            << favorites << QByteArray(5000, '\xff') << shortLink << std::optional(replacement.repeated(1365));
        QTest::addRow("%s: ill-formed UTF-8, short", list)
            << favorites << QByteArray("a\xC3") << shortLink << std::optional("a" + replacement);
        QTest::addRow("%s: link of 8 KiB", list)
            << favorites << QByteArray("N") << linkOfSize(1, 8192) << std::optional(QByteArray("N"));
        QTest::addRow("%s: link one byte longer is refused", list)
            << favorites << QByteArray("N") << linkOfSize(1, 8193) << std::optional<QByteArray>();
    }
}

void PersonalListsTest::recordsAreBoundedToStayReadable()
{
    QFETCH(bool, favorites);
    QFETCH(QByteArray, name);
    QFETCH(QString, link);
    QFETCH(std::optional<QByteArray>, storedName);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.json"));
    if (favorites) {
        checkBoundedRecord<KVFavoritesService>(path, name, link, storedName);
    } else {
        checkBoundedRecord<KVHistoryService>(path, name, link, storedName);
    }
}

void PersonalListsTest::fullListsOfLargestRecordsStayReadable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    checkFullListStaysReadable<KVHistoryService>(dir.filePath(KVHistoryService::kFileName),
                                                 int(KVHistoryService::maxEntries));
    checkFullListStaysReadable<KVFavoritesService>(dir.filePath(KVFavoritesService::kFileName),
                                                   int(KVFavoritesService::maxFavorites));
}

void PersonalListsTest::saveTooLargeToReadBackKeepsTheOldFile()
{
    // Written by another writer: one record just under the cap, so the list
    // with one more record would no longer be read back.
    const QByteArray name(qsizetype(kPersonalFileLimit) - 200, 'n');
    const QByteArray history =
        "[" + historyRecord(kGoodId, QString::fromLatin1(name), "https://example.org/kept", "1.5") + "]";
    const QByteArray favorites =
        "[" + favoriteRecord(kGoodId, QString::fromLatin1(name), "https://example.org/kept", "star", "1.5") + "]";
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString historyPath = dir.filePath(KVHistoryService::kFileName);
    const QString favoritesPath = dir.filePath(KVFavoritesService::kFileName);
    QVERIFY(writePlain(historyPath, history));
    QVERIFY(writePlain(favoritesPath, favorites));

    checkOversizedSaveKeepsOldFile<KVHistoryService>(historyPath, history);
    checkOversizedSaveKeepsOldFile<KVFavoritesService>(favoritesPath, favorites);
}

void PersonalListsTest::clearWritesEmptyArray_data()
{
    QTest::addColumn<bool>("favorites");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("startsWithRecords");

    for (const bool favorites : {false, true}) {
        const char* name = favorites ? "favourites" : "history";
        QTest::addRow("%s: no file", name) << favorites << QByteArray() << false;
        QTest::addRow("%s: empty array", name) << favorites << QByteArray("[ ]\n") << false;
        QTest::addRow("%s: unreadable file", name) << favorites << QByteArray("not JSON") << false;
        QTest::addRow("%s: one record", name) << favorites << validFile(favorites) << true;
    }
}

void PersonalListsTest::clearWritesEmptyArray()
{
    QFETCH(bool, favorites);
    QFETCH(QByteArray, before);
    QFETCH(bool, startsWithRecords);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.json"));
    if (!before.isEmpty()) QVERIFY(writePlain(path, before));

    if (favorites) {
        checkClearWritesEmptyArray<KVFavoritesService>(path, startsWithRecords);
    } else {
        checkClearWritesEmptyArray<KVHistoryService>(path, startsWithRecords);
    }
}

void PersonalListsTest::changesAreAnnouncedOnceAfterTheyHappen()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Sequence sequence;
    KVHistoryService history(dir.filePath(KVHistoryService::kFileName), sequence.clock(), sequence.uuids());
    KVFavoritesService favorites(dir.filePath(KVFavoritesService::kFileName), sequence.clock(), sequence.uuids());

    // What a screen reading the property sees at each announcement.
    QList<qsizetype> historySeen;
    QList<qsizetype> favoritesSeen;
    connect(&history, &KVHistoryService::recentEntriesChanged, this, [&] {
        historySeen << qsizetype(history.property("recentEntries").value<HistoryList>().size());
    });
    connect(&favorites, &KVFavoritesService::favoritesChanged, this, [&] {
        favoritesSeen << qsizetype(favorites.property("favorites").value<FavoriteList>().size());
    });

    history.addEntry("A", url(QStringLiteral("https://example.org/a")));
    history.addEntry("B", url(QStringLiteral("https://example.org/b")));
    history.addEntry("A", url(QStringLiteral("https://example.org/a")));
    history.clearHistory();
    QCOMPARE(historySeen, (QList<qsizetype>{1, 2, 2, 0}));

    favorites.toggleFavorite("A", url(QStringLiteral("https://example.org/a")), KVBadge::star);
    favorites.toggleFavorite("B", url(QStringLiteral("https://example.org/b")), KVBadge::star);
    favorites.toggleFavorite("A", url(QStringLiteral("https://example.org/a")), KVBadge::star);
    favorites.clearFavorites();
    QCOMPARE(favoritesSeen, (QList<qsizetype>{1, 2, 1, 0}));
}

void PersonalListsTest::textOperationsAcceptValidInput()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Sequence sequence;
    KVHistoryService history(dir.filePath(KVHistoryService::kFileName), sequence.clock(), sequence.uuids());
    KVFavoritesService favorites(dir.filePath(KVFavoritesService::kFileName), sequence.clock(), sequence.uuids());
    const QString cafe = QStringLiteral("https://example.org/café");

    QVERIFY(QMetaObject::invokeMethod(&history, "addEntry", Q_ARG(QString, QStringLiteral("Café ☕")),
                                      Q_ARG(QString, cafe)));
    QCOMPARE(describe(history.recentEntries()),
             describe(HistoryList{{uuidNumber(1), "Caf\xC3\xA9 \xE2\x98\x95", url(cafe), dateNumber(1)}}));

    favorites.toggleFavorite(QStringLiteral("Café"), cafe, QStringLiteral("arrow"));
    QCOMPARE(describe(favorites.favorites()),
             describe(FavoriteList{{uuidNumber(2), "Caf\xC3\xA9", url(cafe), KVBadge::arrow, dateNumber(2)}}));
    QVERIFY(favorites.isFavorite(cafe));
    QVERIFY(!favorites.isFavorite(cafe + "/"));
    QVERIFY(!favorites.isFavorite(QStringLiteral("https://Example.org/café")));
    QVERIFY(!favorites.isFavorite(QString()));

    favorites.toggleFavorite(QStringLiteral("Other"), cafe, QStringLiteral("none"));
    QVERIFY(favorites.favorites().empty());
    QVERIFY(!favorites.isFavorite(cafe));
}

void PersonalListsTest::textOperationsIgnoreInvalidInput_data()
{
    QTest::addColumn<bool>("favorites");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("badge");

    const QString good = QStringLiteral("https://example.org/kept");
    const std::pair<const char*, QString> badLinks[] = {
        {"empty link", QString()},
        {"space in link", QStringLiteral("https://example.org/a b")},
        {"stray percent", QStringLiteral("https://example.org/%zz")},
        {"angle brackets", QStringLiteral("<https://example.org/a>")},
        {"control character", QStringLiteral("https://example.org/\t")},
    };
    for (const auto& [name, bad] : badLinks) {
        QTest::addRow("history: %s", name) << false << bad << QString();
        QTest::addRow("favourites: %s", name) << true << bad << QStringLiteral("star");
    }
    // The link is the one already in the list, so an accepted call would remove it.
    for (const char* badge : {"Star", "STAR", "", " star", "stars", "☆"}) {
        QTest::addRow("favourites: badge \"%s\"", badge) << true << good << QString::fromUtf8(badge);
    }
}

void PersonalListsTest::textOperationsIgnoreInvalidInput()
{
    QFETCH(bool, favorites);
    QFETCH(QString, link);
    QFETCH(QString, badge);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.json"));
    // Indented, so any rewrite of the file changes its bytes.
    const QByteArray before = QJsonDocument::fromJson(validFile(favorites)).toJson(QJsonDocument::Indented);
    QVERIFY(writePlain(path, before));
    Sequence sequence;

    if (favorites) {
        KVFavoritesService service(path, sequence.clock(), sequence.uuids());
        const FavoriteList loaded = service.favorites();
        QCOMPARE(loaded.size(), std::size_t{1});
        QSignalSpy changed(&service, &KVFavoritesService::favoritesChanged);
        service.toggleFavorite(QStringLiteral("Name"), link, badge);
        QVERIFY(service.favorites() == loaded);
        QCOMPARE(changed.count(), 0);
    } else {
        KVHistoryService service(path, sequence.clock(), sequence.uuids());
        const HistoryList loaded = service.recentEntries();
        QCOMPARE(loaded.size(), std::size_t{1});
        QSignalSpy changed(&service, &KVHistoryService::recentEntriesChanged);
        service.addEntry(QStringLiteral("Name"), link);
        QVERIFY(service.recentEntries() == loaded);
        QCOMPARE(changed.count(), 0);
    }
    QCOMPARE(readPlain(path), before);
}

QTEST_GUILESS_MAIN(PersonalListsTest)

#include "personal_lists_test.moc"
