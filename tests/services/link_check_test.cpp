// SPDX-License-Identifier: GPL-3.0-or-later
// `kavo-catalog check-links` against local servers, several ports standing for
// several hosts: each verdict as a real server gives it, the limits on
// transfers and connections as the servers count them, and the results cache.
#include "test_http_server.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

using kavo::testing::ScriptedAnswer;
using kavo::testing::TestHttpServer;

namespace {

struct Run {
    int exitCode = -1;
    QJsonObject report;
    QHash<QString, QJsonObject> problems; ///< by URL
    qint64 milliseconds = 0;
};

// The tool on a page of one entry per URL, with its cache under `cacheHome`;
// the servers answer while it runs.
Run checkLinks(const QStringList& urls, const QString& cacheHome, QStringList options = {})
{
    QFile page(cacheHome + QStringLiteral("/page.md"));
    if (!page.open(QIODevice::WriteOnly)) qFatal("cannot write the page");
    page.write("# \xE2\x96\xBA Links\n");
    for (const QString& url : urls) page.write("* [link](" + url.toUtf8() + ")\n");
    page.close();
    QFile certificate(cacheHome + QStringLiteral("/ca.pem"));
    if (!certificate.open(QIODevice::WriteOnly)) qFatal("cannot write the certificate");
    certificate.write(TestHttpServer::certificatePem());
    certificate.close();

    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), cacheHome);
    // A machine whose name server cannot be reached still says "not found" within the time-out.
    environment.insert(QStringLiteral("RES_OPTIONS"), QStringLiteral("timeout:1 attempts:1"));
    tool.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    tool.start(QStringLiteral(KAVO_CATALOG_TOOL), QStringList{QStringLiteral("check-links"), page.fileName(), QStringLiteral("--json"),
                                                               QStringLiteral("--ca-file"), certificate.fileName()} + options);
    if (!QTest::qWaitFor([&] { return tool.state() == QProcess::NotRunning; }, 60'000)) qFatal("check-links hangs");
    Run run{tool.exitCode(), QJsonDocument::fromJson(tool.readAllStandardOutput()).object(), {}, timer.elapsed()};
    for (const QJsonValue problem : run.report.value(QStringLiteral("problems")).toArray()) {
        run.problems.insert(problem[QStringLiteral("url")].toString(), problem.toObject());
    }
    return run;
}

QString closedPortUrl()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost)) qFatal("no free port");
    return QStringLiteral("http://127.0.0.1:%1/").arg(probe.serverPort());
}

} // namespace

class LinkCheckTest : public QObject {
    Q_OBJECT

private slots:
    void verdictsAsServersGiveThem()
    {
        TestHttpServer web;
        TestHttpServer secure(true);
        TestHttpServer silent;
        TestHttpServer resetting;
        for (TestHttpServer* server : {&web, &secure}) server->keepConnectionsOpen();
        silent.leaveSilent(100);
        resetting.resetNext(100);
        const QByteArray ok = "ok";
        secure.answer(QStringLiteral("/ok"), ScriptedAnswer(ok));
        web.answer(QStringLiteral("/loop2"), ScriptedAnswer({}, 307).header("Location: /loop"));
        const QString movedTo = web.url(QStringLiteral("/ok")).toString();
        QString wrongName = secure.url(QStringLiteral("/ok")).toString();
        wrongName.replace(QStringLiteral("localhost"), QStringLiteral("127.0.0.1")); // the certificate names localhost
        // Path, answers in turn, the URL (web's by default), verdict ("" for ok), what its detail holds, requests made.
        const std::tuple<QString, QList<ScriptedAnswer>, QString, QString, QString, int> rows[] = {
            {"/ok", {ScriptedAnswer(ok)}, {}, "", "", 1},
            {"/ok", {ScriptedAnswer(ok)}, secure.url(QStringLiteral("/ok")).toString(), "", "", 1},
            {"/gone", {ScriptedAnswer(ok, 404)}, {}, "broken", "HTTP 404", 1},
            {"/no-head", {ScriptedAnswer(ok).onHead(405)}, {}, "", "", 2},
            {"/moved", {ScriptedAnswer({}, 301).header("Location: /ok")}, {}, "moved", movedTo, 1},
            {"/loop", {ScriptedAnswer({}, 302).header("Location: /loop2")}, {}, "broken", "redirect loop", 1},
            {"/mail", {ScriptedAnswer({}, 301).header("Location: mailto:a@b.example")}, {}, "broken", "not an http(s) URL", 1},
            {"/flaky", {ScriptedAnswer(ok, 503), ScriptedAnswer(ok)}, {}, "", "", 2},
            {"/busy", {ScriptedAnswer(ok, 429).header("Retry-After: 4"), ScriptedAnswer(ok)}, {}, "", "", 2},
            {"/later", {ScriptedAnswer(ok, 429).header("Retry-After: 120")}, {}, "rateLimited", "Retry-After 120 s", 1},
            {"/", {}, silent.url(QStringLiteral("/")).toString(), "timedOut", "no answer within 3 s", 0},
            {"/", {}, resetting.url(QStringLiteral("/")).toString(), "broken", "connection reset", 0},
            {"/", {}, closedPortUrl(), "broken", "connection refused", 0},
            {"/", {}, wrongName, "broken", "TLS: ", 0},
            {"/", {}, QStringLiteral("http://nothing.invalid/"), "broken", "host not found", 0},
        };
        QStringList urls;
        for (const auto& [path, answers, url, verdict, detail, requests] : rows) {
            if (!answers.isEmpty()) web.answerInTurn(path, answers);
            urls << (url.isEmpty() ? web.url(path).toString() : url);
        }
        QTemporaryDir cacheHome;
        const Run run = checkLinks(urls, cacheHome.path(), {QStringLiteral("--timeout"), QStringLiteral("3")});
        QCOMPARE(run.exitCode, 1);
        for (int i = 0; i < urls.size(); ++i) {
            const auto& [path, answers, url, verdict, detail, requests] = rows[i];
            const QJsonObject problem = run.problems.value(urls[i]);
            QVERIFY2(problem[QStringLiteral("verdict")].toString() == verdict, qPrintable(urls[i] + ": " + QJsonDocument(problem).toJson()));
            const QString said = problem[problem.contains(QStringLiteral("newUrl")) ? QStringLiteral("newUrl") : QStringLiteral("detail")].toString();
            QVERIFY2(said.contains(detail), qPrintable(urls[i] + ": " + said));
            if (url.isEmpty()) QVERIFY2(web.requests(path) == requests + (path == "/ok" ? 1 : 0), qPrintable(path)); // /moved ends on /ok
        }
        QVERIFY(run.milliseconds >= 4'000); // the Retry-After of /busy was waited for, beyond the time-out
    }

    // At most 2 transfers to a host and 32 at once: 17 hosts of 3 slow links each,
    // counted where they arrive. The third link of a host reuses a connection.
    void politeToEachHostAndInAll()
    {
        std::vector<std::unique_ptr<TestHttpServer>> servers;
        int mostAtOnce = 0;
        QStringList urls;
        for (int host = 0; host < 17; ++host) {
            auto& server = *servers.emplace_back(std::make_unique<TestHttpServer>(host % 2 == 1));
            server.keepConnectionsOpen();
            connect(&server, &TestHttpServer::requested, this, [&servers, &mostAtOnce] {
                int answering = 0;
                for (const auto& each : servers) answering += each->answering();
                mostAtOnce = std::max(mostAtOnce, answering);
            });
            for (int link = 0; link < 3; ++link) {
                const QString path = QStringLiteral("/slow/%1").arg(link);
                server.answer(path, ScriptedAnswer("slow").after(1000));
                urls << server.url(path).toString();
            }
        }
        QTemporaryDir cacheHome;
        QCOMPARE(checkLinks(urls, cacheHome.path()).exitCode, 0);
        QCOMPARE(mostAtOnce, 32);
        for (const auto& server : servers) {
            QCOMPARE(server->peakConnections(), 2);
            QCOMPARE(server->connections(), 2);
        }
    }

    // Results stay a day: a rerun requests only the links it has not seen.
    void secondRunRequestsOnlyWhatIsNew()
    {
        TestHttpServer web;
        web.keepConnectionsOpen();
        web.answer(QStringLiteral("/a"), ScriptedAnswer("a"));
        const QStringList first = {web.url(QStringLiteral("/a")).toString(), web.url(QStringLiteral("/gone")).toString()};
        QTemporaryDir cacheHome;
        QCOMPARE(checkLinks(first, cacheHome.path()).exitCode, 1);
        const Run again = checkLinks(first + QStringList{web.url(QStringLiteral("/new")).toString()}, cacheHome.path());
        QCOMPARE(again.exitCode, 1);
        QCOMPARE(again.report[QStringLiteral("fromCache")].toInt(), 2);
        QCOMPARE(again.problems.value(first[1])[QStringLiteral("detail")].toString(), QStringLiteral("HTTP 404"));
        QCOMPARE(web.requests(QStringLiteral("/a")) + web.requests(QStringLiteral("/gone")), 2);
        QCOMPARE(web.requests(QStringLiteral("/new")), 1);
        (void)checkLinks(first, cacheHome.path(), {QStringLiteral("--no-cache")});
        QCOMPARE(web.requests(QStringLiteral("/a")), 2);
    }

    void usageAndInputErrors()
    {
        QTemporaryDir home;
        const std::pair<QStringList, int> rows[] = {
            {{QStringLiteral("--timeout"), QStringLiteral("0")}, 2},
            {{QStringLiteral("--frobnicate")}, 2},
            {{QStringLiteral("--ca-file"), home.path() + QStringLiteral("/missing.pem")}, 2},
            {{}, 0}, // nothing to fetch: a relative link is skipped
        };
        for (const auto& [options, exitCode] : rows) {
            QCOMPARE(checkLinks({QStringLiteral("/relative")}, home.path(), options).exitCode, exitCode);
        }
    }
};

QTEST_GUILESS_MAIN(LinkCheckTest)
#include "link_check_test.moc"
