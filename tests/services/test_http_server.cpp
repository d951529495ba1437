// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_http_server.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <linux/sockios.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <algorithm>

namespace kavo::testing {

// Hands each accepted descriptor over before any socket is made for it, so a
// connection can be left silent (not even a TLS handshake).
class Listener : public QTcpServer {
public:
    using QTcpServer::QTcpServer;
    std::function<void(qintptr)> accepted;

protected:
    void incomingConnection(qintptr descriptor) override { accepted(descriptor); }
};

namespace {

QByteArray readCertFile(const char* name)
{
    QFile file(QStringLiteral(KAVO_TEST_CERT_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) qFatal("missing test certificate file %s", name);
    return file.readAll();
}

// Everything written has left Qt's buffers and been acknowledged by the peer's
// kernel, so that what follows (a close or a reset) cannot cut it short.
bool allSent(QTcpSocket* socket)
{
    auto* ssl = qobject_cast<QSslSocket*>(socket);
    if (socket->bytesToWrite() > 0 || (ssl != nullptr && ssl->encryptedBytesToWrite() > 0)) return false;
    int unacknowledged = 0;
    return ::ioctl(static_cast<int>(socket->socketDescriptor()), SIOCOUTQ, &unacknowledged) == 0 && unacknowledged == 0;
}

void whenAllSent(QTcpSocket* socket, std::function<void()> then)
{
    auto* poll = new QTimer(socket);
    QObject::connect(poll, &QTimer::timeout, socket, [socket, poll, then = std::move(then)] {
        if (!allSent(socket)) return;
        poll->deleteLater();
        then();
    });
    poll->start(5);
}

void end(QTcpSocket* socket, ScriptedAnswer::Ending ending)
{
    using Ending = ScriptedAnswer::Ending;
    if (ending == Ending::Close) {
        socket->disconnectFromHost(); // flushes first; over TLS it sends close_notify
        return;
    }
    whenAllSent(socket, [socket, ending] {
        const int descriptor = static_cast<int>(socket->socketDescriptor());
        if (ending == Ending::Reset) {
            const linger resetOnClose{1, 0};
            ::setsockopt(descriptor, SOL_SOCKET, SO_LINGER, &resetOnClose, sizeof resetOnClose);
        } else {
            // Shut the TCP connection down under the TLS layer, so no close_notify can go out.
            ::shutdown(descriptor, SHUT_RDWR);
        }
        socket->abort();
    });
}

QByteArray chunked(const QByteArray& body, bool withLastChunk)
{
    QByteArray coded;
    for (qsizetype at = 0; at < body.size(); at += 16 * 1024) {
        coded += QByteArray::number(body.mid(at, 16 * 1024).size(), 16) + "\r\n" + body.mid(at, 16 * 1024) + "\r\n";
    }
    return withLastChunk ? coded + "0\r\n\r\n" : coded;
}

} // namespace

QByteArray TestHttpServer::certificatePem() { return readCertFile("server.crt"); }

TestHttpServer::TestHttpServer(bool tls, QObject* parent) : QObject(parent), server_(new Listener(this)), tls_(tls)
{
    if (tls) {
        tlsConfiguration_ = QSslConfiguration::defaultConfiguration();
        tlsConfiguration_.setLocalCertificate(QSslCertificate(readCertFile("server.crt")));
        tlsConfiguration_.setPrivateKey(QSslKey(readCertFile("server.key"), QSsl::Rsa));
        tlsConfiguration_.setPeerVerifyMode(QSslSocket::VerifyNone);
    }
    server_->accepted = [this](qintptr descriptor) { accept(descriptor); };
    if (!server_->listen(QHostAddress::LocalHost, 0)) qFatal("test server cannot listen");
}

void TestHttpServer::accept(qintptr descriptor)
{
    const bool silent = ++connections_ <= silentConnections_;
    auto* socket = tls_ && !silent ? new QSslSocket(this) : new QTcpSocket(this);
    socket->setSocketDescriptor(descriptor);
    sockets_.append(socket);
    if (connections_ <= resetConnections_) resetting_.insert(socket);
    peakConnections_ = std::max(peakConnections_, openConnections());
    emit accepted();
    if (silent) return;
    auto* secure = qobject_cast<QSslSocket*>(socket);
    if (secure == nullptr) return serve(socket);
    secure->setSslConfiguration(tlsConfiguration_);
    connect(secure, &QSslSocket::encrypted, this, [this, socket] { serve(socket); });
    secure->startServerEncryption();
}

// A connection the client has closed counts as closed at once, although its
// end may still wait to be read here: a client that closes one connection and
// opens the next has never held both.
int TestHttpServer::openConnections() const
{
    int open = 0;
    for (const QPointer<QTcpSocket>& socket : sockets_) {
        if (socket.isNull() || socket->state() != QAbstractSocket::ConnectedState) continue;
        pollfd peer{static_cast<int>(socket->socketDescriptor()), POLLRDHUP, 0};
        if (::poll(&peer, 1, 0) == 0) ++open;
    }
    return open;
}

QUrl TestHttpServer::url(const QString& path) const
{
    return QUrl((tls_ ? "https://localhost:" : "http://127.0.0.1:") + QString::number(server_->serverPort()) + path);
}

void TestHttpServer::serve(QTcpSocket* socket)
{
    auto* request = new QByteArray;
    connect(socket, &QObject::destroyed, this, [request] { delete request; });
    const auto read = [this, socket, request] {
        request->append(socket->readAll());
        if (!request->contains("\r\n\r\n")) return;
        if (resetting_.remove(socket)) return end(socket, ScriptedAnswer::Ending::Reset);
        const QList<QByteArray> requestLine = request->left(request->indexOf("\r\n")).split(' ');
        const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
        request->clear();
        const int turn = requests_[path]++;
        const QList<ScriptedAnswer> scripts = scripts_.value(path, {ScriptedAnswer("not here", 404)});
        const ScriptedAnswer script = scripts[std::min<qsizetype>(turn, scripts.size() - 1)];
        const bool head = requestLine[0] == "HEAD";
        ++answering_;
        emit requested();
        QTimer::singleShot(script.delayMs, socket, [this, socket, script, head] {
            --answering_;
            respond(socket, script, head);
        });
    };
    connect(socket, &QTcpSocket::readyRead, this, read);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (socket->bytesAvailable() > 0) read();
}

void TestHttpServer::respond(QTcpSocket* socket, const ScriptedAnswer& script, bool headOnly)
{
    using Delivery = ScriptedAnswer::Delivery;
    using Framing = ScriptedAnswer::Framing;
    const int status = headOnly ? script.headStatus.value_or(script.status) : script.status;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " Status\r\n" + script.headers;
    head += keepAlive_ ? "Content-Type: text/markdown; charset=utf-8\r\n"
                       : "Content-Type: text/markdown; charset=utf-8\r\nConnection: close\r\n";
    const bool cut = script.delivery == Delivery::Cut;
    QByteArray body = cut ? script.body.left(script.body.size() / 2) : script.body;
    switch (script.delivery == Delivery::Trickle ? Framing::Length : script.framing) {
    case Framing::Length: {
        const qint64 length = script.delivery == Delivery::Trickle ? 1'000'000
                                                                   : script.announcedLength.value_or(script.body.size());
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
        break;
    }
    case Framing::Chunked:
        head += "Transfer-Encoding: chunked\r\n";
        body = chunked(body, !cut);
        break;
    case Framing::None: break;
    }
    head += "\r\n";
    socket->write(head);
    if (headOnly) {
        if (!keepAlive_) end(socket, script.ending);
        return;
    }
    if (keepAlive_) {
        socket->write(body); // scripted deliveries and endings are for closing answers
        return;
    }

    switch (script.delivery) {
    case Delivery::Whole:
    case Delivery::Cut:
        socket->write(body);
        end(socket, script.ending);
        break;
    case Delivery::Stall:
        socket->write(script.body.left(4));
        break;
    case Delivery::Trickle: {
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
        timer->start(20);
        break;
    }
    }
}

} // namespace kavo::testing
