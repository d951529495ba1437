// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/curl_multi.h"

#include <QSocketNotifier>

#include <algorithm>
#include <utility>
#include <vector>

namespace kavo {
namespace {

// The notifiers of one socket curl asked us to watch.
class SocketWatch : public QObject {
public:
    SocketWatch(curl_socket_t socket, QObject* parent)
        : QObject(parent), read(socket, QSocketNotifier::Read, this), write(socket, QSocketNotifier::Write, this)
    {
    }

    /// Retired with deleteLater: curl gives a socket up from inside calls
    /// that one of these very notifiers may have started.
    void retire()
    {
        read.setEnabled(false);
        write.setEnabled(false);
        deleteLater();
    }

    QSocketNotifier read;
    QSocketNotifier write;
};

} // namespace

bool CurlMulti::libraryReady()
{
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

CurlMulti::CurlMulti(Finished finished, QObject* parent)
    : QObject(parent), multi_(curl_multi_init()), finished_(std::move(finished))
{
    if (multi_ == nullptr) qFatal("libcurl cannot make a multi handle");
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
    curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlMulti::onSocket);
    curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlMulti::onTimer);
    curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
}

CurlMulti::~CurlMulti()
{
    // Whatever sockets curl still holds are given up through onSocket, while
    // this object is whole.
    curl_multi_cleanup(multi_);
}

bool CurlMulti::add(CURL* easy)
{
    // curl asks for a zero time-out through onTimer and starts on the next turn of the event loop.
    return curl_multi_add_handle(multi_, easy) == CURLM_OK;
}

void CurlMulti::remove(CURL* easy)
{
    curl_multi_remove_handle(multi_, easy);
}

void CurlMulti::limitConnections(long perHost, long kept)
{
    curl_multi_setopt(multi_, CURLMOPT_MAX_HOST_CONNECTIONS, perHost);
    curl_multi_setopt(multi_, CURLMOPT_MAXCONNECTS, kept);
}

int CurlMulti::onSocket(CURL* /*easy*/, curl_socket_t socket, int what, void* self, void* watch)
{
    static_cast<CurlMulti*>(self)->watch(socket, what, watch);
    return 0;
}

int CurlMulti::onTimer(CURLM* /*multi*/, long timeoutMs, void* self)
{
    // Never act from inside this callback: curl wants the call to come later.
    QTimer& timer = static_cast<CurlMulti*>(self)->timer_;
    if (timeoutMs < 0) timer.stop();
    else timer.start(static_cast<int>(std::min<long>(timeoutMs, 24L * 3600 * 1000)));
    return 0;
}

void CurlMulti::watch(curl_socket_t socket, int what, void* existing)
{
    auto* watch = static_cast<SocketWatch*>(existing);
    if (what == CURL_POLL_REMOVE) {
        if (watch != nullptr) watch->retire();
        curl_multi_assign(multi_, socket, nullptr);
        return;
    }
    if (watch == nullptr) {
        watch = new SocketWatch(socket, this); // freed with this object at the latest
        connect(&watch->read, &QSocketNotifier::activated, this, [this, socket] { act(socket, CURL_CSELECT_IN); });
        connect(&watch->write, &QSocketNotifier::activated, this, [this, socket] { act(socket, CURL_CSELECT_OUT); });
        curl_multi_assign(multi_, socket, watch);
    }
    watch->read.setEnabled(what == CURL_POLL_IN || what == CURL_POLL_INOUT);
    watch->write.setEnabled(what == CURL_POLL_OUT || what == CURL_POLL_INOUT);
}

void CurlMulti::act(curl_socket_t socket, int events)
{
    int running = 0;
    curl_multi_socket_action(multi_, socket, events, &running);
    reportFinished();
}

void CurlMulti::reportFinished()
{
    // Collected first: a message does not survive removing its handle, which `finished_` does.
    std::vector<std::pair<CURL*, CURLcode>> done;
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg == CURLMSG_DONE) done.emplace_back(message->easy_handle, message->data.result);
    }
    for (const auto& [easy, result] : done) finished_(easy, result);
}

} // namespace kavo
