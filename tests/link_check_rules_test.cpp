// SPDX-License-Identifier: GPL-3.0-or-later
// The link checker's rules, without any transfer: which links a page has,
// what each answer leads to, which results the cache keeps, and what is printed.
#include "catalog/page_links.h"
#include "tools/kavo-catalog/link_report.h"
#include "tools/kavo-catalog/link_results_cache.h"

#include <gtest/gtest.h>

namespace kavo::linkcheck {
namespace {

TEST(PageLinks, EveryTargetOnceWithAllItsLines)
{
    const std::string_view page =
        "\xEF\xBB\xBFIntro [start](https://a.example/)\n"                   // 1 any line's links count
        "# \u25BA [Films] (https://films.example)\n"                           // 2 the heading's loose link
        "* **Note** - see [the rules](https://a.example/rules \"title\")\n"   // 3 a note's, its title dropped
        "***\n"
        "* \u2B50 [A](https://a.example/), [B](<https://b.example/x y>) - [C](mailto:c@d) or <https://c.example/>\n"
        "<!-- [old](https://old.example/) -->\n"                              // 6 a comment line
        "* [A again](https://a.example/) - <http://no end\n";                 // 7
    const std::vector<PageLink> expected = {
        {"https://a.example/", {1, 5, 7}}, {"https://films.example", {2}}, {"https://a.example/rules", {3}},
        {"https://b.example/x y", {5}},    {"mailto:c@d", {5}},           {"https://c.example/", {5}},
    };
    EXPECT_EQ(pageLinks(page), expected);
}

TEST(LinkResult, TargetsJudgedWithoutARequest)
{
    const std::pair<const char*, std::optional<LinkResult>> rows[] = {
        {"HTTPS://a.example/x", std::nullopt},
        {"http://a.example/caf\u00e9", std::nullopt},
        {"mailto:a@b.example", LinkResult{Verdict::skipped, "mailto: link"}},
        {"/relative", LinkResult{Verdict::skipped, "relative link"}},
        {"#top", LinkResult{Verdict::skipped, "relative link"}},
        {"https://a.example/x y", LinkResult{Verdict::broken, "not a valid URL"}},
        {"https:a.example", LinkResult{Verdict::broken, "not a valid URL"}},
    };
    for (const auto& [target, expected] : rows) EXPECT_EQ(resultWithoutRequest(target), expected) << target;
}

ProbeAnswer answer(int status, const char* location = nullptr, std::optional<long> retryAfter = {}, int elapsedMs = 0)
{
    ProbeAnswer a;
    a.status = status;
    if (location != nullptr) a.location = location;
    if (location != nullptr && std::string_view(location).find("//") != std::string_view::npos) a.redirectUrl = location;
    a.retryAfterSeconds = retryAfter;
    a.elapsedMs = elapsedMs;
    return a;
}

ProbeAnswer failure(ProbeFailure kind, const char* detail = "")
{
    ProbeAnswer a;
    a.failure = kind;
    a.failureDetail = detail;
    return a;
}

// The requests a check makes, as "HEAD url", "GET url", a wait before one
// and its time-out when the link's time is partly spent, and its verdict.
std::string trace(const std::vector<ProbeAnswer>& answers)
{
    LinkCheck check("http://0", 15'000);
    LinkCheck::Step step = check.start();
    std::string out;
    for (const ProbeAnswer& a : answers) {
        if (!step.request) return out + "answered too often";
        if (step.delayMs > 0) out += "wait " + std::to_string(step.delayMs) + ", ";
        out += (step.request->head ? "HEAD " : "GET ") + step.request->url;
        if (step.request->timeoutMs != 15'000) out += " within " + std::to_string(step.request->timeoutMs);
        out += "; ";
        step = check.next(a);
    }
    if (step.request) return out + "unfinished";
    return out + std::string(verdictName(check.result().verdict)) + ": " + check.result().detail;
}

TEST(LinkCheck, RequestsAndVerdictForEachKindOfAnswer)
{
    // Redirect targets stand in for absolute URLs; "http://0" is the link.
    const std::pair<std::vector<ProbeAnswer>, const char*> rows[] = {
        {{answer(200)}, "HEAD http://0; ok: "},
        {{answer(404)}, "HEAD http://0; broken: HTTP 404"},
        {{answer(405), answer(200)}, "HEAD http://0; GET http://0; ok: "},
        {{answer(403), answer(403)}, "HEAD http://0; GET http://0; broken: HTTP 403"},
        {{answer(302, "http://1"), answer(301, "http://2"), answer(200)},
         "HEAD http://0; HEAD http://1; HEAD http://2; moved: http://2"},
        {{answer(307, "http://1"), answer(200)}, "HEAD http://0; HEAD http://1; ok: "},
        {{answer(301, "http://1"), answer(501), answer(404)},
         "HEAD http://0; HEAD http://1; GET http://1; broken: HTTP 404 (at http://1)"},
        {{answer(302, "http://1"), answer(302, "http://0")}, "HEAD http://0; HEAD http://1; broken: redirect loop back to http://0 (at http://1)"},
        {{answer(301, "http://1"), answer(301, "http://2"), answer(301, "http://3"), answer(301, "http://4"),
          answer(301, "http://5"), answer(301, "http://6")},
         "HEAD http://0; HEAD http://1; HEAD http://2; HEAD http://3; HEAD http://4; HEAD http://5; broken: more than 5 redirects (at http://5)"},
        {{answer(301, "ftp://1")}, "HEAD http://0; broken: HTTP 301 redirect to ftp://1, not an http(s) URL"},
        {{answer(308, "javascript:x")}, "HEAD http://0; broken: HTTP 308 redirect to javascript:x, not an http(s) URL"},
        {{answer(500), answer(502)}, "HEAD http://0; wait 1000, HEAD http://0; broken: HTTP 502, again after one retry"},
        {{answer(503, nullptr, 3), answer(200)}, "HEAD http://0; wait 3000, HEAD http://0; ok: "},
        {{answer(503, nullptr, 61)}, "HEAD http://0; broken: HTTP 503, Retry-After 61 s (not waited for)"},
        {{answer(429, nullptr, 0), answer(429, nullptr, 2)},
         "HEAD http://0; HEAD http://0; rate-limited: HTTP 429, Retry-After 2 s, again after one retry"},
        {{answer(429)}, "HEAD http://0; rate-limited: HTTP 429"},
        {{answer(302, "http://1", {}, 14'000), answer(200, nullptr, {}, 900)}, "HEAD http://0; HEAD http://1 within 1000; ok: "},
        {{answer(302, "http://1", {}, 15'000)}, "HEAD http://0; timed out: no answer within 15 s"},
        {{failure(ProbeFailure::timedOut)}, "HEAD http://0; timed out: no answer within 15 s"},
        {{failure(ProbeFailure::hostNotFound)}, "HEAD http://0; broken: host not found"},
        {{answer(301, "http://1"), failure(ProbeFailure::refused)}, "HEAD http://0; HEAD http://1; broken: connection refused (at http://1)"},
        {{failure(ProbeFailure::reset)}, "HEAD http://0; broken: connection reset"},
        {{failure(ProbeFailure::tls, "certificate has expired")}, "HEAD http://0; broken: TLS: certificate has expired"},
    };
    for (const auto& [answers, expected] : rows) EXPECT_EQ(trace(answers), expected);
}

TEST(ResultCache, FreshForADayAndATimeOutOnlyForAsLongATimeOut)
{
    const auto cached = [](Verdict verdict, double age, int timeoutMs) {
        return isFresh(CachedResult{{verdict, "d"}, 1000.0 - age, timeoutMs}, 1000.0, 15'000);
    };
    EXPECT_TRUE(cached(Verdict::ok, kResultLifetimeSeconds - 1, 15'000));
    EXPECT_FALSE(cached(Verdict::ok, kResultLifetimeSeconds, 15'000));
    EXPECT_FALSE(cached(Verdict::broken, -1, 15'000)); // from the future: a clock was wrong
    EXPECT_TRUE(cached(Verdict::timedOut, 0, 20'000));
    EXPECT_FALSE(cached(Verdict::timedOut, 0, 10'000));
    EXPECT_TRUE(cached(Verdict::broken, 0, 10'000));
    EXPECT_FALSE(cached(Verdict::rateLimited, 0, 15'000));

    const ResultCache results = {
        {"https://a.example/\"q\"", {{Verdict::moved, "https://b.example/"}, 1000.0, 15'000}},
        {"https://c.example/", {{Verdict::timedOut, "no answer within 5 s"}, 999.5, 5'000}},
        {"https://stale.example/", {{Verdict::ok, ""}, 1000.0 - kResultLifetimeSeconds, 15'000}},
    };
    ResultCache kept = results;
    kept.erase("https://stale.example/");
    EXPECT_EQ(decodeResults(encodeResults(results, 1000.0)), kept);
    EXPECT_TRUE(decodeResults(R"([{"url":"x","verdict":"gone","detail":"","checkedAt":1,"timeoutMs":1}])").empty());
    EXPECT_TRUE(decodeResults("[{\"url\":\"x\"").empty());
}

TEST(LinkReport, ProblemsByFirstLineThenTheCounts)
{
    const std::vector<CheckedLink> links = {
        {"https://ok.example/", {1}, {Verdict::ok, ""}, true},
        {"https://late.example/", {9}, {Verdict::broken, "HTTP 404"}, false},
        {"https://moved.example/", {4, 7}, {Verdict::moved, "https://new.example/"}, true},
        {"mailto:a@b", {4}, {Verdict::skipped, "mailto: link"}, false},
        {"https://slow.example/", {2}, {Verdict::timedOut, "no answer within 15 s"}, false},
    };
    EXPECT_EQ(textReport(links, 1.25),
              "2: https://slow.example/: timed out: no answer within 15 s\n"
              "4,7: https://moved.example/: moved: https://new.example/\n"
              "4: mailto:a@b: skipped: mailto: link\n"
              "9: https://late.example/: broken: HTTP 404\n"
              "5 links: 1 ok, 1 broken, 1 moved, 1 timed out, 0 rate-limited, 1 skipped (2 from the cache) in 1.2 s\n");
    EXPECT_EQ(jsonReport({links[2], links[0]}, 0.5),
              R"({"links":2,"ok":1,"broken":0,"moved":1,"timedOut":0,"rateLimited":0,"skipped":0,"fromCache":2,"seconds":0.5,)"
              R"("problems":[{"url":"https://moved.example/","lines":[4,7],"verdict":"moved","newUrl":"https://new.example/"}]})"
              "\n");
    EXPECT_EQ(exitStatus({links[0], links[2], links[3]}), 0);
    EXPECT_EQ(exitStatus({links[0], links[4]}), 1);
    EXPECT_EQ(exitStatus({links[1]}), 1);
    EXPECT_EQ(progressLine(300, 1000, 2.0), "300/1000 checked, 150/s, 2 s elapsed, about 5 s left");
}

} // namespace
} // namespace kavo::linkcheck
