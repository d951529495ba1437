// SPDX-License-Identifier: GPL-3.0-or-later
// What the seen state adds to applying a download of a large catalogue: the
// main thread's time to record it (and to derive what the screens show of
// it), the resident memory the state keeps, the file's write on its own
// thread, and the start's read of the file.
//
// usage: kavo-seen-bench PAGE.md [RUNS]
#include "bench/bench_timing.h"
#include "catalog/parser.h"
#include "catalog/personal_records.h"
#include "platform/file_io.h"
#include "platform/memory_policy.h"
#include "screens/new_entries.h"
#include "services/seen_service.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <ctime>
#include <unistd.h>

using namespace kavo;
using kavo::bench::median;
using kavo::bench::timeMs;

namespace {

// The calling thread's processor time for one call, in milliseconds: what the
// main thread spends, whatever else the machine runs meanwhile.
template <typename Work> double cpuMs(Work&& work)
{
    const auto now = [] {
        timespec time{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
        return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
    };
    const double start = now();
    work();
    return now() - start;
}

std::size_t residentBytes()
{
    long pages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%*s %ld", &pages) != 1) pages = 0;
        std::fclose(statm);
    }
    return static_cast<std::size_t>(pages) * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// The catalogue with every hundredth entry's link changed: a weekly edit of a large page.
SharedCategories edited(const std::vector<KVCategory>& catalogue)
{
    std::vector<KVCategory> copy = catalogue;
    std::size_t n = 0;
    const auto edit = [&n](std::vector<KVEntry>& entries) {
        for (KVEntry& entry : entries) {
            if (n++ % 100 == 0) entry.url = *Url::parse(entry.url.text() + "-new");
        }
    };
    for (KVCategory& category : copy) {
        edit(category.entries);
        for (KVSection& section : category.sections) edit(section.entries);
    }
    return std::make_shared<const std::vector<KVCategory>>(std::move(copy));
}

// Until the file at `path` holds `size` bytes: the write on the service's own thread is done.
bool waitForFile(const QString& path, std::size_t size)
{
    for (int i = 0; i < 2000; ++i) {
        if (QFileInfo(path).size() == static_cast<qint64>(size)) {
            QThread::msleep(200); // and the thread lets go of what it wrote
            return true;
        }
        QThread::msleep(1);
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    returnLargeFreedBlocksToSystem(); // as the application does
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kavo-seen-bench PAGE.md [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
    const auto before = std::make_shared<const std::vector<KVCategory>>(KVParser().parse(bench::readFile(argv[1])));
    const SharedCategories after = edited(*before);
    const std::size_t links = entriesByLink(*before).size();

    QTemporaryDir dir;
    const QString path = dir.filePath(KVSeenService::kFileName);
    ReferenceSeconds now = 0;
    const Clock clock = [&now] { return now; };
    // What the file holds after each download, known up front so that measuring allocates nothing.
    const SeenLinks baseline = SeenLinks::baseline(*before);
    const std::size_t baselineSize = encodeSeen(baseline.records(*before, 0)).size();
    const std::size_t nextSize = encodeSeen(baseline.next(*after, 1).records(*after, 1)).size();

    const std::size_t residentBefore = residentBytes();
    auto seen = std::make_unique<KVSeenService>(path, clock);
    seen->recordDownload(before);
    if (!waitForFile(path, baselineSize)) return 1;
    now = 1;
    const double firstMs = timeMs([&] { seen->recordDownload(after); });
    if (!waitForFile(path, nextSize)) return 1;
    const std::size_t residentAfter = residentBytes();

    // Each later download changes a hundredth of the links again (back and forth).
    // What the main thread does for it: record it, and derive what the screens show.
    std::vector<double> record;
    std::vector<double> recordCpu;
    std::size_t shownNew = 0;
    for (int i = 0; i < runs; ++i) {
        ++now;
        const SharedCategories& downloaded = i % 2 == 0 ? before : after;
        double wall = 0;
        recordCpu.push_back(cpuMs([&] {
            wall = timeMs([&] {
                seen->recordDownload(downloaded);
                shownNew = screens::newEntries(*downloaded, *seen->links(), now).newest.size();
            });
        }));
        record.push_back(wall);
        QThread::msleep(50); // the write finishes on its own thread meanwhile
    }
    // The write of the file, as its thread does it.
    std::vector<double> write;
    for (int i = 0; i < runs; ++i) {
        write.push_back(timeMs([&] {
            (void)writeFileAtomically(path, encodeSeen(seen->links()->records(*before, now)), kPersonalFileLimit);
        }));
    }
    seen.reset();
    std::vector<double> start;
    std::vector<double> startCpu;
    for (int i = 0; i < runs; ++i) {
        double wall = 0;
        startCpu.push_back(cpuMs([&] { wall = timeMs([&] { seen = std::make_unique<KVSeenService>(path, clock); }); }));
        start.push_back(wall);
    }

    std::printf("%zu entry links, %zu of them new after each download; seen file %.2f MB; median of %d runs\n", links,
                shownNew, static_cast<double>(nextSize) / 1e6, runs);
    std::printf("record a download and derive the screens' new entries (main thread) %8.2f ms  (processor %.2f ms; "
                "recording alone the first time %.2f ms; goal <= 20)\n",
                median(record), median(recordCpu), firstMs);
    std::printf("resident memory added by the state %8.2f MiB (goal <= 2)\n",
                (static_cast<double>(residentAfter) - static_cast<double>(residentBefore)) / (1 << 20));
    std::printf("encode and write the file (its own thread) %8.2f ms\n", median(write));
    std::printf("read the file at start (main thread)       %8.2f ms (processor %.2f ms)\n", median(start),
                median(startCpu));
    return 0;
}
