// SPDX-License-Identifier: GPL-3.0-or-later
// `check-links PAGE.md`: every http(s) link of the page, checked politely,
// with the results of the last day's runs taken from the user's cache.
#include "tools/kavo-catalog/commands.h"
#include "tools/kavo-catalog/link_report.h"
#include "tools/kavo-catalog/link_results_cache.h"
#include "tools/kavo-catalog/tool_io.h"

#include "catalog/page_links.h"
#include "platform/caches_directory.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/link_prober.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace kavo::tool {
namespace {

using namespace kavo::linkcheck;

constexpr const char* kUsage =
    "usage: kavo-catalog check-links PAGE.md [--timeout SECONDS] [--no-cache] [--json] [--ca-file PEM]\n"
    "  --timeout SECONDS  time for each link, its redirects included (default 15)\n"
    "  --no-cache         check every link again, whatever the last day's runs found\n"
    "  --json             print one JSON object instead of lines\n"
    "  --ca-file PEM      trust the certificates in PEM besides the system's\n";
constexpr auto kCacheFileName = "kavo_linkcheck.json";
constexpr auto kUserAgent = "KAVO/" KAVO_VERSION " link check (kavo-catalog check-links)";

struct Options {
    std::string page;
    int timeoutMs = 15'000;
    bool useCache = true;
    bool json = false;
    std::string caFile;
};

std::optional<Options> parseOptions(const std::vector<std::string>& arguments)
{
    Options options;
    bool pageSeen = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--no-cache") {
            options.useCache = false;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--ca-file" && hasValue) {
            options.caFile = arguments[++i];
        } else if (argument == "--timeout" && hasValue) {
            char* end = nullptr;
            const double seconds = std::strtod(arguments[++i].c_str(), &end);
            if (*end != '\0' || !(seconds > 0 && seconds <= 3600)) return std::nullopt;
            options.timeoutMs = static_cast<int>(seconds * 1000);
        } else if (argument.starts_with("--") || pageSeen) {
            return std::nullopt;
        } else {
            options.page = argument;
            pageSeen = true;
        }
    }
    return pageSeen ? std::optional(options) : std::nullopt;
}

/// One run's checks on the event loop: each link's next request as its last answer comes in.
class LinkRun {
public:
    LinkRun(std::vector<CheckedLink>& links, std::vector<std::size_t> toCheck, int timeoutMs, std::string trustedPem)
        : links_(links), toCheck_(std::move(toCheck)), prober_(LinkProber::Limits{}, kUserAgent, std::move(trustedPem))
    {
        checks_.reserve(toCheck_.size());
        for (const std::size_t index : toCheck_) checks_.emplace_back(links_[index].url, timeoutMs);
    }

    void run()
    {
        if (checks_.empty()) return;
        started_ = std::chrono::steady_clock::now();
        QTimer progress;
        if (::isatty(STDERR_FILENO) == 1) {
            QObject::connect(&progress, &QTimer::timeout, [this] { showProgress(); });
            progress.start(250);
        }
        for (std::size_t i = 0; i < checks_.size(); ++i) follow(i, checks_[i].start(), false);
        loop_.exec();
        if (progress.isActive()) std::fputs("\r\033[K", stderr);
    }

private:
    void follow(std::size_t i, const LinkCheck::Step& step, bool underWay)
    {
        if (!step.request) {
            links_[toCheck_[i]].result = checks_[i].result();
            if (++done_ == checks_.size()) loop_.quit();
            return;
        }
        // A link under way goes before the links not yet started on its host.
        const auto send = [this, i, request = *step.request, underWay] {
            prober_.probe(request, underWay, [this, i](const ProbeAnswer& answer) { follow(i, checks_[i].next(answer), true); });
        };
        if (step.delayMs > 0) QTimer::singleShot(step.delayMs, &prober_, send);
        else send();
    }

    void showProgress() const
    {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started_;
        std::fprintf(stderr, "\r%s\033[K", progressLine(done_, checks_.size(), elapsed.count()).c_str());
    }

    std::vector<CheckedLink>& links_;
    const std::vector<std::size_t> toCheck_; ///< indices into links_ of the links to request
    std::vector<LinkCheck> checks_;          ///< one per element of toCheck_
    LinkProber prober_;
    QEventLoop loop_;
    std::size_t done_ = 0;
    std::chrono::steady_clock::time_point started_;
};

} // namespace

int checkLinksCommand(const std::vector<std::string>& arguments)
{
    const std::optional<Options> options = parseOptions(arguments);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::optional<std::string> page = readFile(options->page);
    if (!page) return 2;
    std::string trustedPem;
    if (!options->caFile.empty()) {
        std::optional<std::string> pem = readFile(options->caFile);
        if (!pem) return 2;
        trustedPem = std::move(*pem);
    }
    const auto started = std::chrono::steady_clock::now();
    int argc = 1;
    char name[] = "kavo-catalog";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);

    const QString cachePath = filePathIn(userCachesDirectory(), QString::fromLatin1(kCacheFileName));
    ResultCache cache;
    if (const std::optional<std::string> stored = readRegularFile(cachePath, kCacheFileLimit)) {
        cache = decodeResults(*stored);
    }
    const ReferenceSeconds now = systemNow();
    std::vector<CheckedLink> links;
    std::vector<std::size_t> toCheck;
    for (PageLink& found : pageLinks(*page)) {
        CheckedLink link{std::move(found.target), std::move(found.lines), {}, false};
        const auto cached = cache.find(link.url);
        if (std::optional<LinkResult> result = resultWithoutRequest(link.url)) {
            link.result = std::move(*result);
        } else if (options->useCache && cached != cache.end() && isFresh(cached->second, now, options->timeoutMs)) {
            link.result = cached->second.result;
            link.fromCache = true;
        } else {
            toCheck.push_back(links.size());
        }
        links.push_back(std::move(link));
    }

    LinkRun(links, toCheck, options->timeoutMs, std::move(trustedPem)).run();

    const ReferenceSeconds checkedAt = systemNow();
    for (const std::size_t index : toCheck) {
        if (isKept(links[index].result.verdict)) {
            cache.insert_or_assign(links[index].url, CachedResult{links[index].result, checkedAt, options->timeoutMs});
        }
    }
    removeStaleTemporaryFiles(cachePath);
    if (!toCheck.empty() && !writeFileAtomically(cachePath, encodeResults(cache, checkedAt))) {
        std::fprintf(stderr, "kavo-catalog: the results could not be kept in %s\n", qPrintable(cachePath));
    }

    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    const std::string report = options->json ? jsonReport(links, elapsed.count()) : textReport(links, elapsed.count());
    if (const int status = outputStatus(std::fputs(report.c_str(), stdout) != EOF && std::fflush(stdout) == 0, 2)) {
        return status;
    }
    return exitStatus(links);
}

} // namespace kavo::tool
