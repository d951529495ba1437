// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSslConfiguration>
#include <QUrl>

#include <optional>

class QTcpSocket;

namespace kavo::testing {

class Listener;

/// How the test server answers one path.
struct ScriptedAnswer {
    /// After the headers: the whole body, its first half, a few bytes then silence, or a byte every 20 ms for ever.
    enum class Delivery { Whole, Cut, Stall, Trickle };
    /// How the body's end is announced; with None, the body ends when the connection does.
    enum class Framing { Length, Chunked, None };
    /// How the connection ends once everything was sent: cleanly (over TLS, close_notify
    /// first), a TCP close without TLS close_notify, or a TCP reset.
    enum class Ending { Close, CloseWithoutNotify, Reset };

    explicit ScriptedAnswer(QByteArray page = {}, int code = 200) : status(code), body(std::move(page)) {}
    ScriptedAnswer& with(Delivery value) { return delivery = value, *this; }
    ScriptedAnswer& with(Framing value) { return framing = value, *this; }
    ScriptedAnswer& with(Ending value) { return ending = value, *this; }
    ScriptedAnswer& announcing(qint64 length) { return announcedLength = length, *this; }

    int status;
    QByteArray body;
    Delivery delivery = Delivery::Whole;
    Framing framing = Framing::Length;
    Ending ending = Ending::Close;
    std::optional<qint64> announcedLength; ///< a Content-Length other than the body's
};

/// The one scripted HTTP/1.1 server of the tests, on 127.0.0.1 (optionally
/// TLS with a self-signed certificate): answers each path with its script,
/// unknown paths with 404, and counts requests and connections.
class TestHttpServer : public QObject {
    Q_OBJECT
public:
    explicit TestHttpServer(bool tls = false, QObject* parent = nullptr);

    /// The server's certificate (PEM), for clients that are to trust it.
    [[nodiscard]] static QByteArray certificatePem();

    void answer(const QString& path, ScriptedAnswer script) { scripts_.insert(path, std::move(script)); }
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
