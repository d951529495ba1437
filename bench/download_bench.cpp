// SPDX-License-Identifier: GPL-3.0-or-later
// Peak resident memory of one download, measured in its own process: the
// HTTP client alone on a body over the cap, or the data service on a page
// (downloaded, parsed and refused or cached). Run by bench/download, which
// serves the bodies.
//
// usage: kavo-download-bench client URL
//        kavo-download-bench service URL [--no-limits]
#include "platform/http_client.h"
#include "services/data_service.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>

using namespace kavo;

namespace {

// A field of /proc/self/status in MiB. (getrusage's peak would do, but it
// counts the parent's memory when the parent forked us while large.)
double statusMb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) return std::stod(line.substr(std::strlen(field))) / 1024.0;
    }
    return 0;
}

double residentMb()
{
    return statusMb("VmRSS:");
}

double peakResidentMb()
{
    return statusMb("VmHWM:");
}

// The real limits, but time enough for a slow machine.
HttpLimits benchLimits()
{
    HttpLimits limits;
    limits.inactivityTimeoutMs = 60'000;
    return limits;
}

int measureClient(const QUrl& url)
{
    HttpClient client(benchLimits());
    const double before = residentMb();
    std::optional<HttpResponse> response;
    QElapsedTimer timer;
    timer.start();
    client.get(url, [&](HttpResponse r) {
        response = std::move(r);
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    std::printf("%-40s %s, %zu body bytes, %lld ms; resident before %.1f MiB, peak %.1f MiB\n",
                url.path().toUtf8().constData(), response->transportError ? "transport error" : "answer",
                response->body ? response->body->size() : 0, static_cast<long long>(timer.elapsed()), before,
                peakResidentMb());
    return 0;
}

int measureService(const QUrl& url, bool limited)
{
    QTemporaryDir dir;
    DataServiceConfig config;
    config.cacheFilePath = dir.filePath("kavo_categories.json");
    config.bundledPagePath = dir.filePath("absent.md"); // nothing to show: the refresh decides
    config.primaryUrl = url;
    config.fallbackUrl = url;
    config.http = benchLimits();
    if (!limited) config.catalogue = CatalogueLimits{std::numeric_limits<std::size_t>::max(), std::numeric_limits<std::size_t>::max()};
    KVDataService service(config);
    while (service.error().isEmpty()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double before = residentMb();
    QElapsedTimer timer;
    timer.start();
    service.refresh();
    QObject::connect(&service, &KVDataService::isLoadingChanged, &service, [&service] {
        if (!service.isLoading()) QCoreApplication::quit();
    });
    QCoreApplication::exec();
    std::size_t entries = 0;
    for (const KVCategory& category : *service.categories()) {
        entries += category.entries.size();
        for (const KVSection& section : category.sections) entries += section.entries.size();
    }
    std::printf("%-40s %s: %zu entries shown, \"%s\", %lld ms; resident before %.1f MiB, peak %.1f MiB\n",
                url.path().toUtf8().constData(), limited ? "limits" : "no limits", entries,
                service.error().toUtf8().constData(), static_cast<long long>(timer.elapsed()), before,
                peakResidentMb());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "client") == 0) return measureClient(QUrl(argv[2]));
    if (argc >= 3 && std::strcmp(argv[1], "service") == 0) {
        return measureService(QUrl(argv[2]), !(argc > 3 && std::strcmp(argv[3], "--no-limits") == 0));
    }
    std::fprintf(stderr, "usage: kavo-download-bench client URL | service URL [--no-limits]\n");
    return 2;
}
