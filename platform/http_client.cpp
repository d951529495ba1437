// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/http_client.h"

#include "platform/curl_multi.h"
#include "platform/http_transfer.h"

#include <QMetaObject>
#include <QTimer>

namespace kavo {

/// A GET under way: the transfer, what to call when it ends, and its silence
/// timer (curl's own low-speed limit counts whole seconds only).
struct HttpClient::Pending {
    std::unique_ptr<HttpTransfer> transfer;
    std::function<void(HttpResponse)> done;
    QTimer* silence = nullptr;
};

HttpClient::HttpClient(HttpLimits limits, QObject* parent)
    : QObject(parent),
      limits_(limits),
      multi_(CurlMulti::libraryReady() ? new CurlMulti([this](CURL* easy, CURLcode result) { finish(easy, result); }, this)
                         : nullptr)
{
}

HttpClient::~HttpClient()
{
    for (auto& [easy, pending] : pending_) multi_->remove(easy);
    pending_.clear(); // each transfer's easy handle goes with it
}

void HttpClient::addTrustedCertificates(const QByteArray& pem)
{
    trustedPem_.append(pem.constData(), static_cast<std::size_t>(pem.size()));
    trustedPem_ += '\n';
}

void HttpClient::get(const QUrl& url, std::function<void(HttpResponse)> done)
{
    emit requestStarted(url);
    auto pending = std::make_unique<Pending>();
    pending->done = std::move(done);
    QTimer* silence = pending->silence = new QTimer(this);
    pending->transfer = std::make_unique<HttpTransfer>(url, limits_, trustedPem_, [silence] { silence->start(); });
    CURL* easy = pending->transfer->handle();
    if (multi_ == nullptr || easy == nullptr || !multi_->add(easy)) {
        silence->deleteLater();
        HttpResponse failed;
        failed.transportError = true;
        deliver(std::move(pending->done), std::move(failed));
        return;
    }
    silence->setSingleShot(true);
    silence->setInterval(limits_.inactivityTimeoutMs);
    connect(silence, &QTimer::timeout, this, [this, easy] { finish(easy, CURLE_OPERATION_TIMEDOUT); });
    silence->start();
    pending_.emplace(easy, std::move(pending));
}

void HttpClient::finish(void* easy, int curlResult)
{
    auto node = pending_.extract(easy);
    if (node.empty()) return;
    Pending& pending = *node.mapped();
    // Stops a transfer that is still running (its connection is closed, never reused).
    multi_->remove(easy);
    pending.silence->stop();
    pending.silence->deleteLater(); // this may be running inside its own timeout
    deliver(std::move(pending.done), pending.transfer->response(static_cast<CURLcode>(curlResult)));
}

void HttpClient::deliver(std::function<void(HttpResponse)> done, HttpResponse response)
{
    // Queued, so that `done` never runs inside get() or inside curl, and is
    // dropped with this object.
    QMetaObject::invokeMethod(
        this, [done = std::move(done), response = std::move(response)]() mutable { done(std::move(response)); },
        Qt::QueuedConnection);
}

} // namespace kavo
