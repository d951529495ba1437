// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QMetaType>
#include <QObject>
#include <QSslConfiguration>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QTcpSocket;

namespace kavo::testing {

class Listener;

/// How the test server answers one path.
struct ScriptedAnswer {
    enum class Delivery {
        Whole,   ///< headers and the whole body, then the ending
        Cut,     ///< headers and the first half of the body, then the ending
        Stall,   ///< headers and a few bytes, then silence with the connection open
        Trickle, ///< one byte every `trickleIntervalMs`, forever
    };
    /// How the body's end is announced.
    enum class Framing {
        Length,  ///< Content-Length
        Chunked, ///< chunked transfer coding, with its last chunk unless cut
        None,    ///< nothing: the body ends when the connection does
    };
    /// How the connection ends once everything was sent.
    enum class Ending {
        Close,              ///< a clean close (over TLS, close_notify first)
        CloseWithoutNotify, ///< a TCP close with no TLS close_notify (over plain TCP, the same as Close)
        Reset,              ///< a TCP reset
    };

    int status = 200;
    QByteArray body;
    Delivery delivery = Delivery::Whole;
    Framing framing = Framing::Length;
    Ending ending = Ending::Close;
    int trickleIntervalMs = 20;
    std::optional<qint64> announcedLength; ///< a Content-Length other than the body's
    QByteArray extraHeaders;               ///< raw "Name: value\r\n" lines

    static ScriptedAnswer with(int status, QByteArray body, Delivery delivery = Delivery::Whole)
    {
        ScriptedAnswer script;
        script.status = status;
        script.body = std::move(body);
        script.delivery = delivery;
        return script;
    }

    /// A 200 answer with `body`, framed and ended as given.
    static ScriptedAnswer sent(QByteArray body, Framing framing, Delivery delivery, Ending ending)
    {
        ScriptedAnswer script = with(200, std::move(body), delivery);
        script.framing = framing;
        script.ending = ending;
        return script;
    }
};

/// A small HTTP/1.1 server on 127.0.0.1 (optionally TLS with a self-signed
/// certificate) that answers each path with its script and counts requests
/// and connections. Unknown paths get 404.
class TestHttpServer : public QObject {
    Q_OBJECT
public:
    explicit TestHttpServer(bool tls = false, QObject* parent = nullptr);
    ~TestHttpServer() override;

    /// The server's certificate (PEM), for clients that are to trust it.
    [[nodiscard]] static QByteArray certificatePem();

    void answer(const QString& path, ScriptedAnswer script);
    [[nodiscard]] QUrl url(const QString& path) const;
    [[nodiscard]] int requests(const QString& path) const { return requests_.value(path); }
    [[nodiscard]] int connections() const { return connections_; }
    /// The next `count` connections are accepted and then left alone: no
    /// TLS handshake, no answer, never closed.
    void leaveSilent(int count) { silentConnections_ = connections_ + count; }

private:
    void accept(qintptr descriptor);
    void serve(QTcpSocket* socket);
    void respond(QTcpSocket* socket, const ScriptedAnswer& script);

    Listener* server_;
    bool tls_;
    QSslConfiguration tlsConfiguration_;
    QHash<QString, ScriptedAnswer> scripts_;
    QHash<QString, int> requests_;
    int connections_ = 0;
    int silentConnections_ = 0;
};

} // namespace kavo::testing

Q_DECLARE_METATYPE(kavo::testing::ScriptedAnswer)
