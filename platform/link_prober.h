// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/link_probe.h"

#include <QObject>

#include <curl/curl.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

namespace kavo {

class CurlMulti;
class ProbeTransfer;

/// Makes the link checker's requests, politely: at most `transfers` at once
/// and `perHost` to one host (its name and port), over connections kept open
/// and reused per host. Of the hosts that may start another request, the one
/// with the most waiting goes first, so the hosts with the most work start
/// early and a run ends soon. Runs on the event loop of its thread (libcurl's
/// multi interface); TLS certificates are always verified.
class LinkProber : public QObject {
    Q_OBJECT
public:
    struct Limits {
        int transfers = 32;
        int perHost = 2;
    };
    using Done = std::function<void(ProbeAnswer)>;

    /// `trustedPem`: certificates trusted besides the system's authorities (may be empty).
    LinkProber(Limits limits, std::string userAgent, std::string trustedPem, QObject* parent = nullptr);
    ~LinkProber() override;

    /// Queues the request behind the others to its host, or in front of them
    /// when `first` (a link under way finishes before new ones start). `done`
    /// runs once, on this thread, never inside probe(); never after the prober is gone.
    void probe(ProbeRequest request, bool first, Done done);

private:
    struct Waiting {
        ProbeRequest request;
        Done done;
    };
    struct Host {
        std::deque<Waiting> waiting;
        int running = 0;
    };
    struct Running;

    [[nodiscard]] bool mayStart(const Host& host) const
    {
        return !host.waiting.empty() && host.running < limits_.perHost;
    }
    template <typename Change> void changeHost(Host& host, Change change);
    void startWaiting();
    void start(Host& host, Waiting waiting);
    void finished(CURL* easy, CURLcode result);
    void deliverLater(Done done, ProbeAnswer answer);

    Limits limits_;
    std::string userAgent_;
    std::string trustedPem_;
    CURLSH* share_;
    CurlMulti* multi_;
    std::unordered_map<std::string, Host> hosts_; ///< by host name and port; nodes stay put
    /// The hosts that may start a request, the most waiting first.
    std::set<std::pair<std::size_t, Host*>, std::greater<>> startable_;
    std::unordered_map<CURL*, std::unique_ptr<Running>> running_;
};

} // namespace kavo
