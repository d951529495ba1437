// SPDX-License-Identifier: GPL-3.0-or-later
// HttpClient against a real local server: what each kind of answer looks like
// to the caller, and that no cut, broken or oversized transfer yields a body.
#include "platform/http_client.h"
#include "test_http_server.h"

#include <QElapsedTimer>
#include <QtTest>

using kavo::HttpClient;
using kavo::HttpLimits;
using kavo::HttpResponse;
using kavo::testing::ScriptedAnswer;
using kavo::testing::TestHttpServer;
using Delivery = ScriptedAnswer::Delivery;
using Framing = ScriptedAnswer::Framing;
using Ending = ScriptedAnswer::Ending;

namespace {

HttpResponse fetch(HttpClient& client, const QUrl& url)
{
    std::optional<HttpResponse> response;
    client.get(url, [&response](HttpResponse r) { response = std::move(r); });
    if (!QTest::qWaitFor([&] { return response.has_value(); }, 20'000)) qFatal("request never completed");
    return *response;
}

// Short limits stand in for the real ones: 15 s of silence, 5 minutes, 64 MiB.
constexpr HttpLimits kShortLimits{600, 1500, 64 * 1024};

} // namespace

class HttpClientTest : public QObject {
    Q_OBJECT

private slots:
    void answers_data()
    {
        QTest::addColumn<ScriptedAnswer>("script");
        QTest::addColumn<bool>("tls");
        QTest::addColumn<bool>("transportError");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");

        const QByteArray page = QByteArray("# \xE2\x96\xBA A\n* [a](/a)\n").repeated(400);
        // Complete answers whatever their status; only the status tells. An interim
        // status that no final answer follows is no answer at all.
        QTest::addRow("200") << ScriptedAnswer(page) << false << false << 200 << page;
        QTest::addRow("199") << ScriptedAnswer("early", 199) << false << true << 199 << QByteArray();
        QTest::addRow("204") << ScriptedAnswer({}, 204) << false << false << 204 << QByteArray();
        QTest::addRow("404 keeps its body") << ScriptedAnswer("missing", 404) << false << false << 404
                                            << QByteArray("missing");

        // How a body ends. Framed bodies end where their framing says, however the
        // connection closes afterwards. An unframed one ends with the connection,
        // and only a TLS close_notify tells its end from a cut.
        struct Row {
            const char* name;
            Framing framing;
            Delivery delivery;
            Ending ending;
            bool tls;
            bool whole;
        };
        const Row rows[] = {
            {"unframed, close_notify", Framing::None, Delivery::Whole, Ending::Close, true, true},
            {"unframed, TLS closed without close_notify", Framing::None, Delivery::Whole, Ending::CloseWithoutNotify, true, false},
            {"unframed, TLS reset", Framing::None, Delivery::Whole, Ending::Reset, true, false},
            {"unframed, plain TCP close", Framing::None, Delivery::Whole, Ending::Close, false, false},
            {"length, cut, close_notify", Framing::Length, Delivery::Cut, Ending::Close, true, false},
            {"length, cut, reset", Framing::Length, Delivery::Cut, Ending::Reset, false, false},
            {"length, whole, TLS closed without close_notify", Framing::Length, Delivery::Whole, Ending::CloseWithoutNotify, true, true},
            {"chunked, cut, close_notify", Framing::Chunked, Delivery::Cut, Ending::Close, true, false},
            {"chunked, cut, plain TCP close", Framing::Chunked, Delivery::Cut, Ending::Close, false, false},
            {"chunked, whole, TLS reset", Framing::Chunked, Delivery::Whole, Ending::Reset, true, true},
        };
        for (const Row& row : rows) {
            QTest::addRow("%s", row.name) << ScriptedAnswer(page).with(row.delivery).with(row.framing).with(row.ending)
                                          << row.tls << !row.whole << 200 << (row.whole ? page : QByteArray());
        }

        // Limits: silence, a trickle past the deadline, a body over the cap announced or counted.
        QTest::addRow("stall") << ScriptedAnswer(page).with(Delivery::Stall) << false << true << 200
                               << QByteArray();
        QTest::addRow("trickle") << ScriptedAnswer(page).with(Delivery::Trickle) << false << true << 200
                                 << QByteArray();
        QTest::addRow("announced too long") << ScriptedAnswer("short").announcing(1 << 20) << false << true
                                            << 200 << QByteArray();
        QTest::addRow("counted too long") << ScriptedAnswer(QByteArray(70'000, 'x')).with(Framing::Chunked)
                                          << false << true << 200 << QByteArray();
    }

    void answers()
    {
        QFETCH(ScriptedAnswer, script);
        QFETCH(bool, tls);
        QFETCH(bool, transportError);
        QFETCH(int, status);
        QFETCH(QByteArray, body);

        TestHttpServer server(tls);
        server.answer("/page", script);
        HttpClient client(kShortLimits);
        client.addTrustedCertificates(TestHttpServer::certificatePem());
        QElapsedTimer timer;
        timer.start();
        const HttpResponse response = fetch(client, server.url("/page"));

        QCOMPARE(response.transportError, transportError);
        if (transportError) {
            QVERIFY(!response.body.has_value());
        } else {
            QCOMPARE(response.statusCode.value_or(-1), status);
            QVERIFY(response.body.has_value());
            QCOMPARE(QByteArray::fromStdString(*response.body), body);
        }
        QVERIFY2(timer.elapsed() < 10'000, "a limit did not stop the transfer");
    }

    // A server that accepted a connection and never answered must not hold up the
    // next request to the same host: it goes out on a connection of its own.
    void freshConnectionAfterStall()
    {
        TestHttpServer server(true);
        server.answer("/page", ScriptedAnswer("answered"));
        server.leaveSilent(1);
        HttpClient client(kShortLimits);
        client.addTrustedCertificates(TestHttpServer::certificatePem());

        QVERIFY(fetch(client, server.url("/page")).transportError);
        const HttpResponse second = fetch(client, server.url("/page"));
        QCOMPARE(second.body, std::optional<std::string>("answered"));
        QCOMPARE(server.requests("/page"), 1);
        QCOMPARE(server.connections(), 2);
    }

    void selfSignedCertificateIsRefused()
    {
        TestHttpServer server(true);
        server.answer("/page", ScriptedAnswer("secret"));
        HttpClient client(HttpLimits{});
        const HttpResponse response = fetch(client, server.url("/page"));
        QVERIFY(response.transportError);
        QVERIFY(!response.body.has_value());
    }
};

QTEST_GUILESS_MAIN(HttpClientTest)
#include "http_client_test.moc"
