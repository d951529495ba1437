// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/link_prober.h"

#include "platform/curl_multi.h"
#include "platform/probe_transfer.h"

#include <QMetaObject>

#include <algorithm>
#include <cctype>
#include <optional>

namespace kavo {
namespace {

// "host:port", the host lowercased and the port filled in from the scheme:
// the unit the per-host limit counts, as libcurl counts its own.
std::optional<std::string> hostKey(const std::string& url)
{
    CURLU* parts = curl_url();
    std::optional<std::string> key;
    char* host = nullptr;
    char* port = nullptr;
    if (parts != nullptr && curl_url_set(parts, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK &&
        curl_url_get(parts, CURLUPART_HOST, &host, 0) == CURLUE_OK &&
        curl_url_get(parts, CURLUPART_PORT, &port, CURLU_DEFAULT_PORT) == CURLUE_OK) {
        key = std::string(host) + ':' + port;
        std::transform(key->begin(), key->end(), key->begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    curl_free(host);
    curl_free(port);
    curl_url_cleanup(parts);
    return key;
}

} // namespace

/// A request under way: its transfer, its host's slot, and whom to tell.
struct LinkProber::Running {
    std::unique_ptr<ProbeTransfer> transfer;
    Host* host;
    Done done;
};

LinkProber::LinkProber(Limits limits, std::string userAgent, std::string trustedPem, QObject* parent)
    : QObject(parent), limits_(limits), userAgent_(std::move(userAgent)), trustedPem_(std::move(trustedPem)),
      share_(CurlMulti::libraryReady() ? curl_share_init() : nullptr),
      multi_(new CurlMulti([this](CURL* easy, CURLcode result) { finished(easy, result); }, this))
{
    // A connection that had to close (a GET stopped after its headers) is
    // followed by a short TLS handshake that resumes the session.
    if (share_ != nullptr) curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    // libcurl's own limit backs the one kept here; twice the transfers stay open for reuse.
    multi_->limitConnections(limits_.perHost, 2L * limits_.transfers);
}

LinkProber::~LinkProber()
{
    for (auto& [easy, running] : running_) multi_->remove(easy);
    running_.clear();
    delete multi_; // its idle connections close before the TLS sessions they may use go
    if (share_ != nullptr) curl_share_cleanup(share_);
}

template <typename Change> void LinkProber::changeHost(Host& host, Change change)
{
    if (mayStart(host)) startable_.erase({host.waiting.size(), &host});
    change();
    if (mayStart(host)) startable_.emplace(host.waiting.size(), &host);
}

void LinkProber::probe(ProbeRequest request, bool first, Done done)
{
    const std::optional<std::string> key = hostKey(request.url);
    if (!key) {
        ProbeAnswer answer;
        answer.failure = ProbeFailure::other;
        answer.failureDetail = "not a URL that can be requested";
        deliverLater(std::move(done), std::move(answer));
        return;
    }
    Host& host = hosts_[*key];
    changeHost(host, [&] {
        Waiting waiting{std::move(request), std::move(done)};
        if (first) host.waiting.push_front(std::move(waiting));
        else host.waiting.push_back(std::move(waiting));
    });
    startWaiting();
}

void LinkProber::startWaiting()
{
    while (running_.size() < static_cast<std::size_t>(limits_.transfers) && !startable_.empty()) {
        Host& host = *startable_.begin()->second;
        Waiting next;
        changeHost(host, [&] {
            next = std::move(host.waiting.front());
            host.waiting.pop_front();
            ++host.running;
        });
        start(host, std::move(next));
    }
}

void LinkProber::start(Host& host, Waiting waiting)
{
    auto transfer = std::make_unique<ProbeTransfer>(waiting.request, userAgent_, share_, trustedPem_);
    CURL* easy = transfer->handle();
    if (easy == nullptr || !multi_->add(easy)) {
        changeHost(host, [&] { --host.running; });
        deliverLater(std::move(waiting.done), transfer->answer(CURLE_FAILED_INIT));
        return;
    }
    running_.emplace(easy, std::make_unique<Running>(Running{std::move(transfer), &host, std::move(waiting.done)}));
}

void LinkProber::finished(CURL* easy, CURLcode result)
{
    auto node = running_.extract(easy);
    if (node.empty()) return;
    Running& running = *node.mapped();
    // A finished transfer's connection goes back to be reused; a stopped GET's was closed.
    multi_->remove(easy);
    ProbeAnswer answer = running.transfer->answer(result);
    changeHost(*running.host, [&] { --running.host->running; });
    const Done done = std::move(running.done);
    node.mapped().reset();
    done(std::move(answer)); // outside libcurl: it may probe again at once
    startWaiting();
}

void LinkProber::deliverLater(Done done, ProbeAnswer answer)
{
    QMetaObject::invokeMethod(
        this, [done = std::move(done), answer = std::move(answer)]() mutable { done(std::move(answer)); },
        Qt::QueuedConnection);
}

} // namespace kavo
