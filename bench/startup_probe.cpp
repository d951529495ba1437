// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and memory probe for bench/startup: the real application (same
// composition root as main.cpp) on a given caches directory, or a bare Qt
// Quick window started the same way. Prints, on CLOCK_MONOTONIC, when the
// first frame showing the catalogue (or the bare window) was presented (and
// when main was entered, the application object made and the QML loaded),
// the CPU time spent by then, and the resident memory at that point and
// after searching.
//
// usage: kavo-startup-probe app CACHES_DIR | bare | decode CACHES_DIR
#include "app/inert_links.h"
#include "app/kavo_application.h"
#include "platform/memory_policy.h"

#include <QFile>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

Q_IMPORT_QML_PLUGIN(KavoPlugin)

namespace {

double seconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double monotonicSeconds()
{
    return seconds(CLOCK_MONOTONIC);
}

// CPU time, in ms, of all threads and of this (the main) thread: on a busy
// machine wall times stretch, CPU times much less.
struct CpuTimes {
    double process = seconds(CLOCK_PROCESS_CPUTIME_ID) * 1000;
    double main = seconds(CLOCK_THREAD_CPUTIME_ID) * 1000;
};

// A "Key:   123 kB" line of /proc/self/status, in KiB.
long statusKiB(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    const auto keyLength = static_cast<qsizetype>(std::strlen(key));
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) return line.mid(keyLength).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Resident memory, and where it is: anonymous pages (the rest are files
// mapped: libraries, fonts), and what malloc has handed out and not had back.
// For finding what it is, KAVO_PROBE_SMAPS=PREFIX keeps /proc/self/smaps as
// PREFIX<when>, and KAVO_PROBE_EXIT_AT=<when> ends the process there at once
// (under heaptrack, what is still allocated then shows as leaked).
void printMemory(const char* when)
{
    const struct mallinfo2 heap = mallinfo2();
    std::printf("rss_%s_kib %ld\nanon_%s_kib %ld\nheap_%s_kib %zu\n", when, statusKiB("VmRSS:"), when,
                statusKiB("RssAnon:"), when, (heap.uordblks + heap.hblkhd) / 1024);
    std::fflush(stdout);
    if (qEnvironmentVariableIsSet("KAVO_PROBE_SMAPS")) {
        QFile in(QStringLiteral("/proc/self/smaps"));
        QFile out(qEnvironmentVariable("KAVO_PROBE_SMAPS") + QString::fromLatin1(when));
        if (in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly)) out.write(in.readAll());
    }
    if (qEnvironmentVariable("KAVO_PROBE_EXIT_AT") == QString::fromLatin1(when)) _exit(0);
}

QQuickItem* findItem(QQuickItem* root, const QString& name)
{
    if (root->objectName() == name) return root;
    for (QQuickItem* child : root->childItems()) {
        if (QQuickItem* found = findItem(child, name)) return found;
    }
    return nullptr;
}

// Types a query one character at a time, as the search field would receive
// it, letting the event loop run in between as it does for a person typing
// (the list's old rows are deleted there).
void type(QQuickItem* field, const QString& query)
{
    for (qsizetype i = 1; i <= query.size(); ++i) {
        field->setProperty("text", query.left(i));
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const double enteredAt = monotonicSeconds();
    kavo::returnLargeFreedBlocksToSystem(); // as main.cpp does
    if (argc > 2 && std::strcmp(argv[1], "decode") == 0) {
        // The bare decode, cold as at start-up: read and decode the cache in a fresh process.
        const std::optional<kavo::CachedCatalogue> catalogue =
            kavo::readCachedCatalogue(QString::fromLocal8Bit(argv[2]) + QStringLiteral("/kavo_categories.json"));
        std::printf("decode_ms %.3f\n", (monotonicSeconds() - enteredAt) * 1000);
        return catalogue ? 0 : 1;
    }
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    // As main.cpp does: the setup (and with it the cache read) comes first.
    kavo::ApplicationSetup setup;
    if (!bare) {
        if (argc < 3) return 2;
        const QString caches = QString::fromLocal8Bit(argv[2]);
        setup.cachesDirectory = caches;
        setup.dataDirectory = caches;
        setup.data.cacheFilePath = caches + QStringLiteral("/kavo_categories.json");
        setup.data.bundledPagePath = QStringLiteral(":/kavo/bundled_content.md");
        setup.data.primaryUrl = QUrl(QStringLiteral("http://127.0.0.1:9/single-page"));
        setup.data.fallbackUrl = QUrl(QStringLiteral("http://127.0.0.1:9/single-page.md"));
        setup.data.cacheReadAhead = kavo::CacheReadAhead::start(setup.data.cacheFilePath);
    }
    QGuiApplication application(argc, argv);
    const double applicationAt = monotonicSeconds();
    QQuickStyle::setStyle(QStringLiteral("Material"));

    kavo::InertUrlOpener opener; // links are shown, never opened
    kavo::InertClipboard clipboard;
    std::unique_ptr<kavo::KavoApplication> root;
    QQmlApplicationEngine engine;
    if (bare) {
        engine.loadData("import QtQuick\nWindow { width: 420; height: 820; visible: true; Rectangle { anchors.fill: parent; color: \"white\" } }");
    } else {
        root = std::make_unique<kavo::KavoApplication>(std::move(setup), opener, clipboard);
        root->show(engine);
    }
    const double loadedAt = monotonicSeconds();
    const CpuTimes loadedCpu;
    if (engine.rootObjects().isEmpty()) return 1;
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().first());
    if (!window) return 1;

    // The first presented frame that shows what the window is for.
    double shownAt = 0;
    CpuTimes shownCpu;
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [&] {
        if (shownAt != 0) return;
        if (!bare) {
            QQuickItem* list = findItem(window->contentItem(), QStringLiteral("mainList"));
            if (!list || list->property("count").toInt() == 0) return;
        }
        shownAt = monotonicSeconds();
        shownCpu = CpuTimes();
    });
    if (!QTest::qWaitFor([&] { return shownAt != 0; }, 20'000)) return 1;
    // The phases, for finding where the time goes.
    std::printf("entered %.6f\napplication %.6f\nloaded %.6f\nshown %.6f\n", enteredAt, applicationAt, loadedAt,
                shownAt);
    std::printf("cpu_loaded_ms %.1f\nmain_cpu_loaded_ms %.1f\ncpu_shown_ms %.1f\nmain_cpu_shown_ms %.1f\n",
                loadedCpu.process, loadedCpu.main, shownCpu.process, shownCpu.main);
    std::fflush(stdout);
    QTest::qWait(300);
    printMemory("shown");

    if (!bare) {
        QQuickItem* field = findItem(window->contentItem(), QStringLiteral("searchField"));
        if (!field) return 1;
        // 50 keystrokes, then 1,000 more: resident memory must not keep growing.
        const QStringList words = {QStringLiteral("open"), QStringLiteral("library"), QStringLiteral("film"),
                                   QStringLiteral("music"), QStringLiteral("free"), QStringLiteral("book"),
                                   QStringLiteral("map"), QStringLiteral("data"), QStringLiteral("art"),
                                   QStringLiteral("course"), QStringLiteral("sound"), QStringLiteral("game")};
        int keystrokes = 0;
        int word = 0;
        while (keystrokes < 50) {
            type(field, words[word++ % words.size()]);
            keystrokes += static_cast<int>(words[(word - 1) % words.size()].size());
        }
        QTest::qWait(200);
        printMemory("after_50");
        while (keystrokes < 1050) {
            type(field, words[word++ % words.size()]);
            keystrokes += static_cast<int>(words[(word - 1) % words.size()].size());
        }
        field->setProperty("text", QString());
        QTest::qWait(200);
        printMemory("after_1050");
    }
    return 0;
}
