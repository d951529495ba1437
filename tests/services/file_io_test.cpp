// SPDX-License-Identifier: GPL-3.0-or-later
// The guarded whole-file read, the atomic write and the removal of leftovers
// of killed saves, against real files, FIFOs, devices, links and files of
// another user in a temporary directory.
#include "test_files.h"
#include "platform/file_io.h"

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using kavo::kPersonalFileLimit;
using kavo::kStaleTemporaryFileAge;
using kavo::readRegularFile;
using kavo::removeStaleTemporaryFiles;
using kavo::writeFileAtomically;

namespace {

using kavo::testing::FifoRescue;
using kavo::testing::readPlain;
using kavo::testing::writePlain;

enum class Obstacle {
    missing,
    directory,
    fifo,
    socket,
    linkToDevZero,
    linkToDevNull,
    danglingLink,
    linkToOwnFile,
    otherUsersFile,
    oversized
};

enum class Refusal { parentMissing, directoryAtPath, overReadLimit };

// A user id that is not ours, for files planted by "another user".
constexpr uid_t kOtherUser = 65534;

// Hands the file to another user; only root can.
[[nodiscard]] bool giveAway(const QString& path)
{
    return ::lchown(QFile::encodeName(path).constData(), kOtherUser, kOtherUser) == 0;
}

bool isRoot()
{
    return ::geteuid() == 0;
}

QByteArray bytesOf(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

bool makeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool makeSocket(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (static_cast<std::size_t>(name.size()) >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return false;
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd); // the socket file stays behind
    return bound;
}

bool makeLink(const QString& target, const QString& path)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0;
}

// Every entry of the directory except "." and "..", hidden ones included.
QStringList entriesOf(const QString& directory)
{
    QStringList names =
        QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

} // namespace

Q_DECLARE_METATYPE(Obstacle)
Q_DECLARE_METATYPE(Refusal)

class FileIoTest : public QObject {
    Q_OBJECT

private slots:
    void readsRegularFileWhole_data();
    void readsRegularFileWhole();
    void treatsWhatIsNotAReadableRegularFileAsAbsent_data();
    void treatsWhatIsNotAReadableRegularFileAsAbsent();

    void writeReplacesContent_data();
    void writeReplacesContent();
    void writeFailsWhereItCannotCommit_data();
    void writeFailsWhereItCannotCommit();
    void failedWriteLeavesOldFileIntact();
    void writeReplacesWhatIsNotOurs_data();
    void writeReplacesWhatIsNotOurs();

    void removesOnlyStaleLeftoversOfOurSaves();
};

void FileIoTest::readsRegularFileWhole_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<qulonglong>("cap");

    QTest::addRow("empty file") << QByteArray() << qulonglong{kPersonalFileLimit};
    QTest::addRow("NUL and high bytes") << QByteArray("a\0b\0\xff\xfe\n", 7) << qulonglong{kPersonalFileLimit};
    QTest::addRow("larger than one read chunk") << QByteArray(300'000, 'x') << qulonglong{kPersonalFileLimit};
    QTest::addRow("exactly the cap") << QByteArray(int(kPersonalFileLimit), '\0') << qulonglong{kPersonalFileLimit};
    QTest::addRow("exactly a small cap") << QByteArray("12345") << qulonglong{5};
}

void FileIoTest::readsRegularFileWhole()
{
    QFETCH(QByteArray, content);
    QFETCH(qulonglong, cap);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("data.json"));
    QVERIFY(writePlain(path, content));

    // With or without room kept after the content for a parser that reads ahead.
    for (const std::size_t spare : {std::size_t{0}, std::size_t{64}}) {
        const std::optional<std::string> read = readRegularFile(path, static_cast<std::size_t>(cap), spare);
        QVERIFY(read.has_value());
        QCOMPARE(read->size(), static_cast<std::size_t>(content.size()));
        QVERIFY(bytesOf(*read) == content);
        QVERIFY(read->capacity() - read->size() >= spare);
    }
}

void FileIoTest::treatsWhatIsNotAReadableRegularFileAsAbsent_data()
{
    QTest::addColumn<Obstacle>("obstacle");
    QTest::addRow("missing file") << Obstacle::missing;
    QTest::addRow("directory") << Obstacle::directory;
    QTest::addRow("FIFO without a writer") << Obstacle::fifo;
    QTest::addRow("socket") << Obstacle::socket;
    QTest::addRow("link to /dev/zero") << Obstacle::linkToDevZero;
    QTest::addRow("link to /dev/null") << Obstacle::linkToDevNull;
    QTest::addRow("dangling link") << Obstacle::danglingLink;
    QTest::addRow("link to a readable file of ours") << Obstacle::linkToOwnFile;
    QTest::addRow("file of another user") << Obstacle::otherUsersFile;
    QTest::addRow("one byte over the cap") << Obstacle::oversized;
}

void FileIoTest::treatsWhatIsNotAReadableRegularFileAsAbsent()
{
    QFETCH(Obstacle, obstacle);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("s.json")); // short: socket paths are limited
    switch (obstacle) {
    case Obstacle::missing:
        break;
    case Obstacle::directory:
        QVERIFY(QDir().mkdir(path));
        break;
    case Obstacle::fifo:
        QVERIFY(makeFifo(path));
        break;
    case Obstacle::socket:
        if (!makeSocket(path)) QSKIP("cannot bind a Unix socket in the temporary directory");
        break;
    case Obstacle::linkToDevZero:
        QVERIFY(makeLink(QStringLiteral("/dev/zero"), path));
        break;
    case Obstacle::linkToDevNull:
        QVERIFY(makeLink(QStringLiteral("/dev/null"), path));
        break;
    case Obstacle::danglingLink:
        QVERIFY(makeLink(dir.filePath(QStringLiteral("nowhere")), path));
        break;
    case Obstacle::linkToOwnFile:
        QVERIFY(writePlain(dir.filePath(QStringLiteral("own.json")), "[]"));
        QVERIFY(makeLink(dir.filePath(QStringLiteral("own.json")), path));
        break;
    case Obstacle::otherUsersFile:
        if (!isRoot()) QSKIP("only root can make a file of another user");
        QVERIFY(writePlain(path, "[]"));
        QVERIFY(giveAway(path));
        break;
    case Obstacle::oversized:
        QVERIFY(writePlain(path, QByteArray(int(kPersonalFileLimit) + 1, '[')));
        break;
    }

    FifoRescue rescue(path);
    const std::optional<std::string> read = readRegularFile(path, kPersonalFileLimit);
    QVERIFY2(!rescue.finish(), "the read blocked");
    QVERIFY(!read.has_value());
}

void FileIoTest::writeReplacesContent_data()
{
    QTest::addColumn<bool>("existed");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::addRow("new file") << false << QByteArray() << QByteArray("[{\"a\":1}]");
    QTest::addRow("shorter over longer") << true << QByteArray(10'000, 'o') << QByteArray("[]");
    QTest::addRow("longer over shorter") << true << QByteArray("[]") << QByteArray(200'000, 'n');
    QTest::addRow("NUL bytes") << true << QByteArray("old") << QByteArray("\0x\0", 3);
    QTest::addRow("empty over content") << true << QByteArray("old") << QByteArray();
}

void FileIoTest::writeReplacesContent()
{
    QFETCH(bool, existed);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("kavo_history.json"));
    if (existed) QVERIFY(writePlain(path, before));

    QVERIFY(writeFileAtomically(path, std::string_view(after.constData(), static_cast<std::size_t>(after.size()))));

    QCOMPARE(readPlain(path), after);
    QCOMPARE(entriesOf(dir.path()), QStringList{QStringLiteral("kavo_history.json")});
    // Private even in a shared directory such as /tmp.
    struct stat status {};
    QCOMPARE(::lstat(QFile::encodeName(path).constData(), &status), 0);
    QVERIFY(S_ISREG(status.st_mode));
    QCOMPARE(status.st_mode & 0777, 0600u);
}

void FileIoTest::writeFailsWhereItCannotCommit_data()
{
    QTest::addColumn<Refusal>("refusal");
    QTest::addRow("parent directory missing") << Refusal::parentMissing;
    QTest::addRow("directory at the path") << Refusal::directoryAtPath;
    QTest::addRow("content over the read cap") << Refusal::overReadLimit;
}

void FileIoTest::writeFailsWhereItCannotCommit()
{
    QFETCH(Refusal, refusal);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString name = QStringLiteral("kavo_favorites.json");
    QString path = dir.filePath(name);
    switch (refusal) {
    case Refusal::parentMissing:
        path = dir.filePath(QStringLiteral("absent/kavo_favorites.json"));
        QVERIFY(!writeFileAtomically(path, "[]"));
        QVERIFY(entriesOf(dir.path()).isEmpty());
        break;
    case Refusal::directoryAtPath:
        QVERIFY(QDir().mkdir(path));
        QVERIFY(!writeFileAtomically(path, "[]"));
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(entriesOf(path).isEmpty());
        QCOMPARE(entriesOf(dir.path()), QStringList{name});
        break;
    case Refusal::overReadLimit:
        // The file is read back with a cap of 6 bytes: 7 would make it absent.
        QVERIFY(writePlain(path, "[\"ok\"]"));
        QVERIFY(!writeFileAtomically(path, "[\"long\"]", 6));
        QVERIFY(writeFileAtomically(path, "[\"new\"]", 7));
        QVERIFY(!writeFileAtomically(path, "[\"newer\"]", 8));
        QCOMPARE(readPlain(path), QByteArray("[\"new\"]"));
        QCOMPARE(entriesOf(dir.path()), QStringList{name});
        break;
    }
}

void FileIoTest::failedWriteLeavesOldFileIntact()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("kavo_history.json"));
    const QByteArray old("[{\"old\":\"content\"}]\n\0tail", 25);
    QVERIFY(writePlain(path, old));

    // The child may write no more than 4 KiB into any file, so the 1 MB write
    // runs out of room part-way (EFBIG instead of a SIGXFSZ kill). It exits 0
    // only when the write reported the failure.
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
        ::signal(SIGXFSZ, SIG_IGN);
        const std::string big(1'000'000, 'n');
        ::_exit(writeFileAtomically(path, big) ? 1 : 0);
    }
    int status = 0;
    pid_t waited = -1;
    do {
        waited = ::waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    QCOMPARE(waited, child);
    QVERIFY2(WIFEXITED(status), "the writing child did not exit normally");
    QVERIFY2(WEXITSTATUS(status) != 3, "could not lower the file size limit");
    QVERIFY2(WEXITSTATUS(status) == 0, "a write cut short was reported as a success");

    QCOMPARE(readPlain(path), old);
    QCOMPARE(entriesOf(dir.path()), QStringList{QStringLiteral("kavo_history.json")});
}

void FileIoTest::writeReplacesWhatIsNotOurs_data()
{
    QTest::addColumn<Obstacle>("obstacle");
    QTest::addRow("link to an existing file") << Obstacle::linkToOwnFile;
    QTest::addRow("dangling link") << Obstacle::danglingLink;
    QTest::addRow("file of another user") << Obstacle::otherUsersFile;
}

void FileIoTest::writeReplacesWhatIsNotOurs()
{
    QFETCH(Obstacle, obstacle);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString victim = dir.filePath(QStringLiteral("victim"));
    const QString path = dir.filePath(QStringLiteral("kavo_favorites.json"));
    const QByteArray victimContent("someone else's file\n");
    QStringList expected{QStringLiteral("kavo_favorites.json")};
    switch (obstacle) {
    case Obstacle::linkToOwnFile:
        QVERIFY(writePlain(victim, victimContent));
        QVERIFY(makeLink(victim, path));
        expected << QStringLiteral("victim");
        break;
    case Obstacle::danglingLink:
        QVERIFY(makeLink(victim, path));
        break;
    case Obstacle::otherUsersFile:
        if (!isRoot()) QSKIP("only root can make a file of another user");
        // A second name for the same file shows whether it was written to.
        QVERIFY(writePlain(path, victimContent));
        QVERIFY(giveAway(path));
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(victim).constData()), 0);
        expected << QStringLiteral("victim");
        break;
    default:
        QFAIL("not a case of this test");
    }

    QVERIFY(writeFileAtomically(path, "[]"));

    // A new file of ours stands at the path; what was there is untouched.
    struct stat status {};
    QCOMPARE(::lstat(QFile::encodeName(path).constData(), &status), 0);
    QVERIFY(S_ISREG(status.st_mode));
    QCOMPARE(status.st_uid, ::geteuid());
    QCOMPARE(readPlain(path), QByteArray("[]"));
    if (obstacle == Obstacle::danglingLink) {
        QVERIFY(!QFileInfo::exists(victim));
    } else {
        QCOMPARE(readPlain(victim), victimContent);
    }
    expected.sort();
    QCOMPARE(entriesOf(dir.path()), expected);
}

void FileIoTest::removesOnlyStaleLeftoversOfOurSaves()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("kavo_history.json"));
    const auto stale = std::chrono::system_clock::now() - kStaleTemporaryFileAge - std::chrono::seconds(5);

    enum class Kind { file, link, directory };
    struct Planted {
        const char* name;
        Kind kind;
        bool old;
        bool othersFile;
        bool removed;
    };
    // Files are made old unless a save may still be writing them.
    std::vector<Planted> planted{
        {"kavo_history.json.iJRWzq", Kind::file, true, false, true},
        {"kavo_history.json.000000", Kind::file, true, false, true},
        {"kavo_history.json.aB3dE9", Kind::file, false, false, false}, // a save in progress
        {"kavo_history.json.LinkXX", Kind::link, true, false, false},
        {"kavo_history.json.DirXXX", Kind::directory, true, false, false},
        {"kavo_history.json", Kind::file, true, false, false},
        {"kavo_history.json.bak", Kind::file, true, false, false},
        {"kavo_history.json.iJRWzq7", Kind::file, true, false, false},
        {"kavo_history.json.iJR-zq", Kind::file, true, false, false},
        {"kavo_history.jsonXiJRWzq", Kind::file, true, false, false},
        {"kavo_favorites.json.iJRWzq", Kind::file, true, false, false}, // another file's: its own call
        {"target", Kind::file, true, false, false},
    };
    if (isRoot()) planted.push_back({"kavo_history.json.OthrXX", Kind::file, true, true, false});

    for (const Planted& p : planted) {
        const QString entry = dir.filePath(QString::fromLatin1(p.name));
        switch (p.kind) {
        case Kind::file:
            QVERIFY(writePlain(entry, "x"));
            break;
        case Kind::link:
            QVERIFY(makeLink(dir.filePath(QStringLiteral("target")), entry));
            break;
        case Kind::directory:
            QVERIFY(QDir().mkdir(entry));
            break;
        }
        if (p.othersFile) QVERIFY(giveAway(entry));
        if (p.old) {
            const auto seconds = std::chrono::system_clock::to_time_t(stale);
            const timespec times[2]{{seconds, 0}, {seconds, 0}};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(entry).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
        }
    }

    removeStaleTemporaryFiles(path);

    QStringList expected;
    for (const Planted& p : planted) {
        if (!p.removed) expected << QString::fromLatin1(p.name);
    }
    expected.sort();
    QCOMPARE(entriesOf(dir.path()), expected);
    QCOMPARE(readPlain(dir.filePath(QStringLiteral("target"))), QByteArray("x"));
}

QTEST_GUILESS_MAIN(FileIoTest)

#include "file_io_test.moc"
