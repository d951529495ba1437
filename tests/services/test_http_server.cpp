// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_http_server.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace kavo::testing {
namespace {

QByteArray readCertFile(const char* name)
{
    QFile file(QStringLiteral(KAVO_TEST_CERT_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) qFatal("missing test certificate file %s", name);
    return file.readAll();
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    default: return "Status";
    }
}

} // namespace

TestHttpServer::TestHttpServer(bool tls, QObject* parent) : QObject(parent), tls_(tls)
{
    if (tls) {
        auto* sslServer = new QSslServer(this);
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(QSslCertificate(readCertFile("server.crt")));
        configuration.setPrivateKey(QSslKey(readCertFile("server.key"), QSsl::Rsa));
        configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
        sslServer->setSslConfiguration(configuration);
        server_ = sslServer;
    } else {
        server_ = new QTcpServer(this);
    }
    connect(server_, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection()) serve(socket);
    });
    if (!server_->listen(QHostAddress::LocalHost, 0)) qFatal("test server cannot listen");
}

TestHttpServer::~TestHttpServer() = default;

void TestHttpServer::answer(const QString& path, ScriptedAnswer script)
{
    scripts_.insert(path, std::move(script));
}

QUrl TestHttpServer::url(const QString& path) const
{
    const QString scheme = tls_ ? QStringLiteral("https") : QStringLiteral("http");
    const QString host = tls_ ? QStringLiteral("localhost") : QStringLiteral("127.0.0.1");
    return QUrl(QStringLiteral("%1://%2:%3%4").arg(scheme, host).arg(server_->serverPort()).arg(path));
}

void TestHttpServer::serve(QTcpSocket* socket)
{
    socket->setParent(this);
    auto* request = new QByteArray;
    connect(socket, &QObject::destroyed, this, [request] { delete request; });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
        request->append(socket->readAll());
        if (!request->contains("\r\n\r\n")) return;
        const QList<QByteArray> requestLine = request->left(request->indexOf("\r\n")).split(' ');
        const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
        request->clear();
        requests_[path] += 1;
        respond(socket, path);
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void TestHttpServer::respond(QTcpSocket* socket, const QString& path)
{
    const ScriptedAnswer script =
        scripts_.value(path, ScriptedAnswer::with(404, "not here"));
    using Delivery = ScriptedAnswer::Delivery;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(script.status) + ' ' + reasonPhrase(script.status) + "\r\n";
    head += "Content-Type: text/markdown; charset=utf-8\r\nConnection: close\r\n" + script.extraHeaders;
    if (script.delivery != Delivery::Unframed) {
        const qint64 length = script.announcedLength.value_or(script.body.size());
        head += "Content-Length: " + QByteArray::number(script.delivery == Delivery::Trickle ? 1'000'000 : length) + "\r\n";
    }
    head += "\r\n";
    socket->write(head);

    switch (script.delivery) {
    case Delivery::Whole:
    case Delivery::Unframed:
        socket->write(script.body);
        socket->disconnectFromHost();
        break;
    case Delivery::ResetMidBody:
        socket->write(script.body.left(script.body.size() / 2));
        socket->flush();
        QTimer::singleShot(50, socket, [socket] { socket->abort(); });
        break;
    case Delivery::Stall:
        socket->write(script.body.left(4));
        break;
    case Delivery::Trickle: {
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
        timer->start(script.trickleIntervalMs);
        break;
    }
    }
}

} // namespace kavo::testing
