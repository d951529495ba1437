// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
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
    ScriptedAnswer& header(const QByteArray& line) { return headers += line + "\r\n", *this; }
    ScriptedAnswer& onHead(int code) { return headStatus = code, *this; }
    ScriptedAnswer& after(int milliseconds) { return delayMs = milliseconds, *this; }

    int status;
    QByteArray body;
    Delivery delivery = Delivery::Whole;
    Framing framing = Framing::Length;
    Ending ending = Ending::Close;
    std::optional<qint64> announcedLength; ///< a Content-Length other than the body's
    QByteArray headers;                    ///< further header lines, each ending in CR LF
    std::optional<int> headStatus;         ///< the status for a HEAD, when it differs
    int delayMs = 0;                       ///< how long the answer takes to start
};

/// The one scripted HTTP/1.1 server of the tests, on 127.0.0.1 (optionally
/// TLS with a self-signed certificate): answers each path with its script
/// (a HEAD without the body), unknown paths with 404, and counts requests and
/// connections, also those open at once.
class TestHttpServer : public QObject {
    Q_OBJECT
public:
    explicit TestHttpServer(bool tls = false, QObject* parent = nullptr);

    /// The server's certificate (PEM), for clients that are to trust it.
    [[nodiscard]] static QByteArray certificatePem();

    void answer(const QString& path, ScriptedAnswer script) { scripts_.insert(path, {std::move(script)}); }
    /// The n-th request of `path` gets the n-th answer; the last one stays.
    void answerInTurn(const QString& path, QList<ScriptedAnswer> scripts) { scripts_.insert(path, std::move(scripts)); }
    [[nodiscard]] QUrl url(const QString& path) const;
    [[nodiscard]] int requests(const QString& path) const { return requests_.value(path); }
    [[nodiscard]] int connections() const { return connections_; }
    /// Connections open now: accepted, and closed by neither side.
    [[nodiscard]] int openConnections() const;
    /// The most connections that were open at once.
    [[nodiscard]] int peakConnections() const { return peakConnections_; }
    /// Requests read and not yet answered (their answer is delayed).
    [[nodiscard]] int answering() const { return answering_; }
    /// The next `count` connections are accepted and then left alone: no
    /// TLS handshake, no answer, never closed.
    void leaveSilent(int count) { silentConnections_ = connections_ + count; }
    /// The next `count` connections are reset as their first request arrives.
    void resetNext(int count) { resetConnections_ = connections_ + count; }
    /// Answers keep their connection open for the next request (no "Connection: close").
    void keepConnectionsOpen() { keepAlive_ = true; }

signals:
    /// A connection was accepted; openConnections() counts it.
    void accepted();
    /// A request was read; answering() counts it.
    void requested();

private:
    void accept(qintptr descriptor);
    void serve(QTcpSocket* socket);
    void respond(QTcpSocket* socket, const ScriptedAnswer& script, bool head);

    Listener* server_;
    bool tls_;
    QSslConfiguration tlsConfiguration_;
    QHash<QString, QList<ScriptedAnswer>> scripts_;
    QHash<QString, int> requests_;
    QList<QPointer<QTcpSocket>> sockets_;
    int connections_ = 0;
    int peakConnections_ = 0;
    int answering_ = 0;
    int silentConnections_ = 0;
    int resetConnections_ = 0;
    QSet<QTcpSocket*> resetting_;
    bool keepAlive_ = false;
};

} // namespace kavo::testing
