// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

class QTcpServer;
class QTcpSocket;

namespace kavo::testing {

/// How the test server answers one path.
struct ScriptedAnswer {
    enum class Delivery {
        Whole,         ///< headers and the whole body, then close
        ResetMidBody,  ///< headers announcing the whole body, half of it, then a reset
        Stall,         ///< headers and a few bytes, then silence with the connection open
        Trickle,       ///< one byte every `trickleIntervalMs`, forever
        Unframed,      ///< no Content-Length: the body ends when the connection closes
    };

    int status = 200;
    QByteArray body;
    Delivery delivery = Delivery::Whole;
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
};

/// A small HTTP/1.1 server on 127.0.0.1 (optionally TLS with a self-signed
/// certificate) that answers each path with its script and counts requests.
/// Unknown paths get 404.
class TestHttpServer : public QObject {
    Q_OBJECT
public:
    explicit TestHttpServer(bool tls = false, QObject* parent = nullptr);
    ~TestHttpServer() override;

    void answer(const QString& path, ScriptedAnswer script);
    [[nodiscard]] QUrl url(const QString& path) const;
    [[nodiscard]] int requests(const QString& path) const { return requests_.value(path); }

private:
    void serve(QTcpSocket* socket);
    void respond(QTcpSocket* socket, const QString& path);

    QTcpServer* server_;
    bool tls_;
    QHash<QString, ScriptedAnswer> scripts_;
    QHash<QString, int> requests_;
};

} // namespace kavo::testing

Q_DECLARE_METATYPE(kavo::testing::ScriptedAnswer)
