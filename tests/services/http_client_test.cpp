// SPDX-License-Identifier: GPL-3.0-or-later
// HttpClient against a real local server: what each kind of answer looks like
// to the caller, and that no cut, broken or oversized transfer yields a body.
#include "platform/http_client.h"
#include "test_http_server.h"

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
constexpr HttpLimits kShortLimits{1500, 4000, 64 * 1024}; // roomy enough for a TLS handshake on a loaded machine

} // namespace

class HttpClientTest : public QObject {
    Q_OBJECT

private slots:
    void answers()
    {
        const QByteArray page = QByteArray("# \xE2\x96\xBA A\n* [a](/a)\n").repeated(400);
        const auto sent = [&page](Framing framing, Delivery delivery, Ending ending) {
            return ScriptedAnswer(page).with(framing).with(delivery).with(ending);
        };
        // Complete answers whatever their status, which alone tells; an interim status with
        // no final answer is none. Framed bodies end where their framing says, however the
        // connection closes afterwards; an unframed one ends with the connection, and only a
        // TLS close_notify tells its end from a cut. Then the limits: silence, a trickle
        // past the deadline, a body over the cap, announced or counted.
        // Name, script, over TLS, status (0: a transport error, and no body at all), body.
        const std::tuple<const char*, ScriptedAnswer, bool, int, QByteArray> rows[] = {
            {"200", ScriptedAnswer(page), false, 200, page},
            {"199 alone", ScriptedAnswer("early", 199), false, 0, {}},
            {"204", ScriptedAnswer({}, 204), false, 204, ""},
            {"404 keeps its body", ScriptedAnswer("missing", 404), false, 404, "missing"},
            {"unframed, close_notify", sent(Framing::None, Delivery::Whole, Ending::Close), true, 200, page},
            {"unframed, TLS closed without close_notify", sent(Framing::None, Delivery::Whole, Ending::CloseWithoutNotify), true, 0, {}},
            {"unframed, TLS reset", sent(Framing::None, Delivery::Whole, Ending::Reset), true, 0, {}},
            {"unframed, plain TCP close", sent(Framing::None, Delivery::Whole, Ending::Close), false, 0, {}},
            {"length, cut, close_notify", sent(Framing::Length, Delivery::Cut, Ending::Close), true, 0, {}},
            {"length, cut, reset", sent(Framing::Length, Delivery::Cut, Ending::Reset), false, 0, {}},
            {"length, whole, TLS closed without close_notify", sent(Framing::Length, Delivery::Whole, Ending::CloseWithoutNotify), true, 200, page},
            {"chunked, cut, close_notify", sent(Framing::Chunked, Delivery::Cut, Ending::Close), true, 0, {}},
            {"chunked, cut, plain TCP close", sent(Framing::Chunked, Delivery::Cut, Ending::Close), false, 0, {}},
            {"chunked, whole, TLS reset", sent(Framing::Chunked, Delivery::Whole, Ending::Reset), true, 200, page},
            {"stall", ScriptedAnswer(page).with(Delivery::Stall), false, 0, {}},
            {"trickle", ScriptedAnswer(page).with(Delivery::Trickle), false, 0, {}},
            {"announced too long", ScriptedAnswer("short").announcing(1 << 20), false, 0, {}},
            {"counted too long", ScriptedAnswer(QByteArray(70'000, 'x')).with(Framing::Chunked), false, 0, {}},
        };
        for (const auto& [name, script, tls, status, body] : rows) {
            TestHttpServer server(tls);
            server.answer("/page", script);
            HttpClient client(kShortLimits);
            client.addTrustedCertificates(TestHttpServer::certificatePem());
            QElapsedTimer timer;
            timer.start();
            const HttpResponse response = fetch(client, server.url("/page"));
            QVERIFY2(response.transportError == (status == 0) && response.body.has_value() == (status != 0), name);
            if (status != 0) QCOMPARE(response.statusCode.value_or(-1), status);
            if (status != 0) QCOMPARE(QByteArray::fromStdString(*response.body), body);
            QVERIFY2(timer.elapsed() < 10'000, name); // a limit stopped the transfer
        }
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
