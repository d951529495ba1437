// SPDX-License-Identifier: GPL-3.0-or-later
// The guarded whole-file read and the atomic write, against real files,
// FIFOs, devices and links in a temporary directory.
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
using kavo::readRegularFile;
using kavo::writeFileAtomically;

namespace {

using kavo::testing::FifoRescue;
using kavo::testing::readPlain;
using kavo::testing::writePlain;

enum class Obstacle { missing, directory, fifo, socket, linkToDevZero, linkToDevNull, danglingLink, oversized };

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
    void writeRefusesSymbolicLink_data();
    void writeRefusesSymbolicLink();
};

void FileIoTest::readsRegularFileWhole_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<qulonglong>("cap");
    QTest::addColumn<bool>("throughLink");

    QTest::addRow("empty file") << QByteArray() << qulonglong{kPersonalFileLimit} << false;
    QTest::addRow("NUL and high bytes") << QByteArray("a\0b\0\xff\xfe\n", 7) << qulonglong{kPersonalFileLimit} << false;
    QTest::addRow("larger than one read chunk") << QByteArray(300'000, 'x') << qulonglong{kPersonalFileLimit} << false;
    QTest::addRow("exactly the cap") << QByteArray(int(kPersonalFileLimit), '\0') << qulonglong{kPersonalFileLimit}
                                     << false;
    QTest::addRow("exactly a small cap") << QByteArray("12345") << qulonglong{5} << false;
    QTest::addRow("regular file behind a link") << QByteArray("[]") << qulonglong{kPersonalFileLimit} << true;
}

void FileIoTest::readsRegularFileWhole()
{
    QFETCH(QByteArray, content);
    QFETCH(qulonglong, cap);
    QFETCH(bool, throughLink);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("data.json"));
    QVERIFY(writePlain(file, content));
    QString path = file;
    if (throughLink) {
        path = dir.filePath(QStringLiteral("link.json"));
        QVERIFY(makeLink(file, path));
    }

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

    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(readPlain(path), after);
    QCOMPARE(entriesOf(dir.path()), QStringList{QStringLiteral("kavo_history.json")});
}

void FileIoTest::writeFailsWhereItCannotCommit_data()
{
    QTest::addColumn<bool>("directoryAtPath");
    QTest::addRow("parent directory missing") << false;
    QTest::addRow("directory at the path") << true;
}

void FileIoTest::writeFailsWhereItCannotCommit()
{
    QFETCH(bool, directoryAtPath);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path;
    if (directoryAtPath) {
        path = dir.filePath(QStringLiteral("kavo_favorites.json"));
        QVERIFY(QDir().mkdir(path));
    } else {
        path = dir.filePath(QStringLiteral("absent/kavo_favorites.json"));
    }

    QVERIFY(!writeFileAtomically(path, "[]"));

    if (directoryAtPath) {
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(entriesOf(dir.path()), QStringList{QStringLiteral("kavo_favorites.json")});
        QVERIFY(entriesOf(path).isEmpty());
    } else {
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("absent"))));
        QVERIFY(entriesOf(dir.path()).isEmpty());
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

void FileIoTest::writeRefusesSymbolicLink_data()
{
    QTest::addColumn<bool>("victimExists");
    QTest::addRow("link to an existing file") << true;
    QTest::addRow("dangling link") << false;
}

void FileIoTest::writeRefusesSymbolicLink()
{
    QFETCH(bool, victimExists);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString victim = dir.filePath(QStringLiteral("victim"));
    const QString path = dir.filePath(QStringLiteral("kavo_favorites.json"));
    const QByteArray victimContent("someone else's file\n");
    if (victimExists) QVERIFY(writePlain(victim, victimContent));
    QVERIFY(makeLink(victim, path));

    QVERIFY(!writeFileAtomically(path, "[]"));

    const QFileInfo link(path);
    QVERIFY(link.isSymLink());
    QCOMPARE(link.symLinkTarget(), victim);
    if (victimExists) {
        QCOMPARE(readPlain(victim), victimContent);
    } else {
        QVERIFY(!QFileInfo::exists(victim));
    }
    QStringList expected{QStringLiteral("kavo_favorites.json")};
    if (victimExists) expected << QStringLiteral("victim");
    expected.sort();
    QCOMPARE(entriesOf(dir.path()), expected);
}

QTEST_GUILESS_MAIN(FileIoTest)

#include "file_io_test.moc"
