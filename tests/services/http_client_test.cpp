// SPDX-License-Identifier: GPL-3.0-or-later
// HttpClient against a real local server: what each kind of answer looks like
// to the caller, and that no broken or oversized transfer yields a body.
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

namespace {

HttpResponse fetch(HttpClient& client, const QUrl& url)
{
    std::optional<HttpResponse> response;
    client.get(url, [&response](HttpResponse r) { response = std::move(r); });
    if (!QTest::qWaitFor([&] { return response.has_value(); }, 20'000)) qFatal("request never completed");
    return *response;
}

// A short body under a Content-Length far beyond the cap.
ScriptedAnswer announcing(qint64 length)
{
    ScriptedAnswer script = ScriptedAnswer::with(200, "short");
    script.announcedLength = length;
    return script;
}

} // namespace

class HttpClientTest : public QObject {
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void selfSignedCertificateIsRefused();
};

void HttpClientTest::answers_data()
{
    QTest::addColumn<ScriptedAnswer>("script");
    QTest::addColumn<bool>("transportError");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");

    const QByteArray page = QByteArray("# \xE2\x96\xBA A\n* [a](/a)\n").repeated(400);
    QTest::addRow("200") << ScriptedAnswer::with(200, page) << false << 200 << page;
    // Qt reports these without an error; only the status tells. An informational
    // status has no body, whatever the server sends after it.
    QTest::addRow("199") << ScriptedAnswer::with(199, "early") << false << 199 << QByteArray();
    QTest::addRow("204") << ScriptedAnswer::with(204, {}) << false << 204 << QByteArray();
    QTest::addRow("300") << ScriptedAnswer::with(300, "choices") << false << 300 << QByteArray("choices");
    QTest::addRow("404 keeps its body") << ScriptedAnswer::with(404, "missing") << false << 404 << QByteArray("missing");
    QTest::addRow("503") << ScriptedAnswer::with(503, "busy") << false << 503 << QByteArray("busy");
    QTest::addRow("unframed body") << ScriptedAnswer::with(200, page, Delivery::Unframed) << false << 200 << page;
    // Half a page arrived before the reset: it must not be delivered.
    QTest::addRow("reset mid-body") << ScriptedAnswer::with(200, page, Delivery::ResetMidBody) << true << 200 << QByteArray();
    QTest::addRow("stall") << ScriptedAnswer::with(200, page, Delivery::Stall) << true << 200 << QByteArray();
    QTest::addRow("trickle") << ScriptedAnswer::with(200, page, Delivery::Trickle) << true << 200 << QByteArray();
    QTest::addRow("announced too long") << announcing(1 << 20) << true << 200
                                         << QByteArray();
    QTest::addRow("counted too long") << ScriptedAnswer::with(200, QByteArray(70'000, 'x'), Delivery::Unframed) << true << 200
                                       << QByteArray();
}

void HttpClientTest::answers()
{
    QFETCH(ScriptedAnswer, script);
    QFETCH(bool, transportError);
    QFETCH(int, status);
    QFETCH(QByteArray, body);

    TestHttpServer server;
    server.answer("/page", script);
    // Short limits stand in for the real ones: 15 s of silence, 5 minutes, 64 MiB.
    HttpClient client(HttpLimits{600, 1500, 64 * 1024});
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

void HttpClientTest::selfSignedCertificateIsRefused()
{
    TestHttpServer server(true);
    server.answer("/page", ScriptedAnswer::with(200, "secret"));
    HttpClient client(HttpLimits{});
    const HttpResponse response = fetch(client, server.url("/page"));
    QVERIFY(response.transportError);
    QVERIFY(!response.body.has_value());
}

QTEST_GUILESS_MAIN(HttpClientTest)
#include "http_client_test.moc"
