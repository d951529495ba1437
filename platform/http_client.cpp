// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/http_client.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace kavo {
namespace {

// What we collect while a reply is under way.
struct Transfer {
    std::string body;
    bool abandoned = false; // stopped by us: over the size cap or past the deadline
};

} // namespace

HttpClient::HttpClient(HttpLimits limits, QObject* parent)
    : QObject(parent), limits_(limits), manager_(new QNetworkAccessManager(this))
{
}

HttpClient::~HttpClient() = default;

void HttpClient::get(const QUrl& url, std::function<void(HttpResponse)> done)
{
    QNetworkRequest request(url);
    // Inactivity only: a server that trickles a byte now and then never trips it,
    // which is what the overall deadline below is for.
    request.setTransferTimeout(limits_.inactivityTimeoutMs);
    QNetworkReply* reply = manager_->get(request);
    emit requestStarted(url);
    auto transfer = std::make_shared<Transfer>();
    const std::size_t maxBody = limits_.maxBodyBytes;

    // The abort is queued: aborting from inside the reply's own signal
    // handlers makes Qt report the error twice.
    auto abandon = [reply, transfer] {
        if (transfer->abandoned) return;
        transfer->abandoned = true;
        transfer->body.clear();
        QMetaObject::invokeMethod(reply, &QNetworkReply::abort, Qt::QueuedConnection);
    };

    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, reply, abandon);
    deadline->start(limits_.deadlineMs);

    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, maxBody, abandon] {
        bool known = false;
        const qulonglong announced = reply->header(QNetworkRequest::ContentLengthHeader).toULongLong(&known);
        if (known && announced > maxBody) abandon();
    });
    connect(reply, &QNetworkReply::readyRead, reply, [reply, transfer, maxBody, abandon] {
        const QByteArray chunk = reply->readAll();
        if (transfer->abandoned) return;
        if (transfer->body.size() + static_cast<std::size_t>(chunk.size()) > maxBody) {
            abandon();
            return;
        }
        transfer->body.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    });
    connect(reply, &QNetworkReply::finished, this, [reply, transfer, maxBody, done = std::move(done)] {
        reply->deleteLater();
        HttpResponse response;
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (status.isValid()) response.statusCode = status.toInt();
        // Qt reports 4xx and 5xx answers as content and server errors; those
        // are complete answers and their status code speaks for them. Any other
        // error (a reset, a time-out, TLS, a broken transfer encoding) means the
        // body cannot be trusted even when bytes arrived before it.
        const QNetworkReply::NetworkError error = reply->error();
        const bool answeredWithError =
            status.isValid() && ((error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError) ||
                                 (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError));
        response.transportError = transfer->abandoned || (error != QNetworkReply::NoError && !answeredWithError);
        if (!response.transportError) {
            const QByteArray rest = reply->readAll();
            if (transfer->body.size() + static_cast<std::size_t>(rest.size()) > maxBody) {
                response.transportError = true;
            } else {
                transfer->body.append(rest.constData(), static_cast<std::size_t>(rest.size()));
                response.body = std::move(transfer->body);
            }
        }
        done(std::move(response));
    });
}

} // namespace kavo
