// SPDX-License-Identifier: GPL-3.0-or-later
// The guarded whole-file read, the atomic write and the removal of leftovers
// of killed saves, against real files, FIFOs, devices, links and files of
// another user in a temporary directory.
#include "platform/file_io.h"
#include "test_files.h"

#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace kavo;
using namespace kavo::testing;

namespace {

bool makeLink(const QString& target, const QString& path)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0;
}

// Every entry of the directory, hidden ones included.
QStringList entriesOf(const QString& directory)
{
    QStringList names = QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

// What a regular file of ours at `path` holds, or why it is not one.
QByteArray ownFileContent(const QString& path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) return "(missing)";
    if (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid() || (status.st_mode & 0777) != 0600) {
        return "(not a private regular file of ours)";
    }
    return readPlain(path);
}

} // namespace

class FileIoTest : public QObject {
    Q_OBJECT

private slots:
    void readsRegularFilesWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("data.json");
        for (const QByteArray& content : {QByteArray(), QByteArray("a\0b\xff\n", 5), QByteArray(int(kPersonalFileLimit), 'x')}) {
            QVERIFY(writePlain(path, content));
            // With or without room kept after the content for a parser that reads ahead.
            for (const std::size_t spare : {std::size_t{0}, std::size_t{64}}) {
                const std::optional<std::string> read = readRegularFile(path, kPersonalFileLimit, spare);
                QVERIFY(read && QByteArray::fromStdString(*read) == content);
                QVERIFY(read->capacity() - read->size() >= spare);
            }
        }
    }

    // Each obstacle is absent to our own files' read; a file the user names (a page to preview) is
    // read through a link and whoever owns it, and says why else it was not read.
    void treatsWhatIsNotAReadableRegularFileOfOursAsAbsent()
    {
        const std::pair<QString, QString> obstacles[] = {
            {"missing", "missing"}, {"directory", "not a regular file"}, {"FIFO", "not a regular file"},
            {"link to /dev/zero", "not a regular file"}, {"dangling link", "missing"}, {"link to a file of ours", "[]"},
            {"file of another user", "[]"}, {"over the cap", "too large"},
        };
        for (const auto& [obstacle, named] : obstacles) {
            QTemporaryDir dir;
            const QString path = dir.filePath("s.json");
            QVERIFY(writePlain(dir.filePath("own.json"), "[]"));
            if (obstacle == "directory") QVERIFY(QDir().mkdir(path));
            if (obstacle == "FIFO") QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
            if (obstacle == "link to /dev/zero") QVERIFY(makeLink("/dev/zero", path));
            if (obstacle == "dangling link") QVERIFY(makeLink(dir.filePath("nowhere"), path));
            if (obstacle == "link to a file of ours") QVERIFY(makeLink(dir.filePath("own.json"), path));
            if (obstacle == "file of another user" && ::geteuid() != 0) continue; // only root can make one
            if (obstacle == "file of another user") QVERIFY(writePlain(path, "[]") && giveAway(path));
            if (obstacle == "over the cap") QVERIFY(writePlain(path, QByteArray(int(kPersonalFileLimit) + 1, '[')));
            // A read that blocked (on a FIFO, on a device) would hang until the test's time-out fails it.
            QVERIFY2(!readRegularFile(path, kPersonalFileLimit).has_value(), qPrintable(obstacle));
            const std::variant<std::string, ReadFailure> read = readNamedFile(path, kPersonalFileLimit);
            const auto* failure = std::get_if<ReadFailure>(&read);
            const char* reasons[] = {"missing", "denied", "not a regular file", "not ours", "too large", "failed"};
            QCOMPARE(failure ? reasons[static_cast<int>(failure->reason)] : std::get<std::string>(read).c_str(), named);
        }
    }

    // Whatever stands at the path, a new private file of ours takes its place;
    // a link there is replaced itself, never written through.
    void writeReplacesTheEntryAtThePath()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("kavo_favorites.json");
        const QString victim = dir.filePath("victim");
        const QByteArray victimContent("someone else's file\n");
        QVERIFY(writeFileAtomically(path, "[{\"a\":1}]"));
        QCOMPARE(ownFileContent(path), QByteArray("[{\"a\":1}]"));
        QVERIFY(writeFileAtomically(path, std::string(200'000, 'n')));
        QVERIFY(writeFileAtomically(path, std::string_view("\0x", 2)));
        QCOMPARE(ownFileContent(path), QByteArray("\0x", 2));

        QVERIFY(QFile::remove(path) && writePlain(victim, victimContent) && makeLink(victim, path));
        QVERIFY(writeFileAtomically(path, "[]"));
        QCOMPARE(ownFileContent(path), QByteArray("[]"));
        QCOMPARE(readPlain(victim), victimContent);
        if (::geteuid() == 0) {
            // A second name for another user's file shows whether it was written to.
            QVERIFY(QFile::remove(path) && QFile::remove(victim) && writePlain(path, victimContent) && giveAway(path));
            QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(victim).constData()), 0);
            QVERIFY(writeFileAtomically(path, "[1]"));
            QCOMPARE(ownFileContent(path), QByteArray("[1]"));
            QCOMPARE(readPlain(victim), victimContent);
        }
        QCOMPARE(entriesOf(dir.path()), (QStringList{"kavo_favorites.json", "victim"}));
    }

    // A write that cannot be completed reports it, and leaves the old file and no temporary file.
    void writeFailsWithoutATrace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("kavo_history.json");
        QVERIFY(!writeFileAtomically(dir.filePath("absent/kavo_history.json"), "[]"));
        QVERIFY(QDir().mkdir(path));
        QVERIFY(!writeFileAtomically(path, "[]"));
        QVERIFY(entriesOf(path).isEmpty() && QDir().rmdir(path));
        // Content over the cap its reader applies would make a readable file absent.
        QVERIFY(writePlain(path, "[\"ok\"]"));
        QVERIFY(!writeFileAtomically(path, "[\"long\"]", 7));
        QVERIFY(writeFileAtomically(path, "[\"new\"]", 7));
        const QByteArray old = readPlain(path);

        // The child may write no more than 4 KiB into any file, so the 1 MB write
        // runs out of room part-way (EFBIG instead of a SIGXFSZ kill). It exits 0
        // only when the write reported the failure.
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            const rlimit limit{4096, 4096};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
            std::signal(SIGXFSZ, SIG_IGN);
            ::_exit(writeFileAtomically(path, std::string(1'000'000, 'n')) ? 1 : 0);
        }
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "a write cut short was not reported as a failure");
        QCOMPARE(readPlain(path), old);
        QCOMPARE(entriesOf(dir.path()), QStringList{"kavo_history.json"});
    }

    void removesOnlyStaleLeftoversOfOurSaves()
    {
        QTemporaryDir dir;
        const auto stale = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now() - kStaleTemporaryFileAge -
                                                                std::chrono::seconds(5));
        // Name, kind ('f'ile, 'l'ink, 'd'irectory, 'o'ther user's file), old, removed.
        const std::tuple<const char*, char, bool, bool> planted[] = {
            {"kavo_history.json.iJRWzq", 'f', true, true},
            {"kavo_history.json.000000", 'f', true, true},
            {"kavo_history.json.aB3dE9", 'f', false, false}, // a save in progress
            {"kavo_history.json.LinkXX", 'l', true, false},
            {"kavo_history.json.DirXXX", 'd', true, false},
            {"kavo_history.json.OthrXX", 'o', true, false},
            {"kavo_history.json", 'f', true, false},
            {"kavo_history.json.iJRWzq7", 'f', true, false},
            {"kavo_history.json.iJR-zq", 'f', true, false},
            {"kavo_history.jsonXiJRWzq", 'f', true, false},
            {"kavo_favorites.json.iJRWzq", 'f', true, false}, // another file's: its own call
            {"target", 'f', true, false},
        };
        QStringList kept;
        for (const auto& [name, kind, old, removed] : planted) {
            const QString entry = dir.filePath(name);
            if (kind == 'o' && ::geteuid() != 0) continue; // only root can make a file of another user
            if (kind == 'l') QVERIFY(makeLink(dir.filePath("target"), entry));
            if (kind == 'd') QVERIFY(QDir().mkdir(entry));
            if (kind == 'f' || kind == 'o') QVERIFY(writePlain(entry, "x"));
            if (kind == 'o') QVERIFY(giveAway(entry));
            const timespec times[2]{{stale, 0}, {stale, 0}};
            if (old) QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(entry).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
            if (!removed) kept << name;
        }
        removeStaleTemporaryFiles(dir.filePath("kavo_history.json"));
        kept.sort();
        QCOMPARE(entriesOf(dir.path()), kept);
        QCOMPARE(readPlain(dir.filePath("target")), QByteArray("x"));
    }
};

QTEST_GUILESS_MAIN(FileIoTest)
#include "file_io_test.moc"
