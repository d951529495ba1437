// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kavo-catalog/link_report.h"

#include "catalog/json_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace kavo::linkcheck {
namespace {

constexpr std::array kCounted = {Verdict::ok, Verdict::broken, Verdict::moved, Verdict::timedOut,
                                 Verdict::rateLimited, Verdict::skipped};

std::vector<const CheckedLink*> problems(const std::vector<CheckedLink>& links)
{
    std::vector<const CheckedLink*> found;
    for (const CheckedLink& link : links) {
        if (link.result.verdict != Verdict::ok) found.push_back(&link);
    }
    std::ranges::stable_sort(found, {}, [](const CheckedLink* link) { return link->lines.front(); });
    return found;
}

std::size_t countOf(const std::vector<CheckedLink>& links, Verdict verdict)
{
    return static_cast<std::size_t>(
        std::ranges::count_if(links, [verdict](const CheckedLink& link) { return link.result.verdict == verdict; }));
}

std::string decimal(double value, int digits)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

} // namespace

std::string textReport(const std::vector<CheckedLink>& links, double seconds)
{
    std::string out;
    for (const CheckedLink* link : problems(links)) {
        for (std::size_t i = 0; i < link->lines.size(); ++i) out += (i == 0 ? "" : ",") + std::to_string(link->lines[i]);
        out += ": " + link->url + ": ";
        out += verdictName(link->result.verdict);
        out += ": " + link->result.detail + '\n';
    }
    out += std::to_string(links.size()) + " links:";
    for (const Verdict verdict : kCounted) {
        out += (verdict == Verdict::ok ? " " : ", ") + std::to_string(countOf(links, verdict)) + ' ';
        out += verdictName(verdict);
    }
    const auto cached = std::ranges::count_if(links, &CheckedLink::fromCache);
    out += " (" + std::to_string(cached) + " from the cache) in " + decimal(seconds, 1) + " s\n";
    return out;
}

std::string jsonReport(const std::vector<CheckedLink>& links, double seconds)
{
    std::string text;
    json::StringOutput output(text, 256 + links.size() * 16);
    json::Writer<json::StringOutput> writer(output);
    writer.startObject();
    writer.key("links");
    writer.count(links.size());
    for (const Verdict verdict : kCounted) {
        writer.key(verdictKey(verdict));
        writer.count(countOf(links, verdict));
    }
    writer.key("fromCache");
    writer.count(static_cast<std::uint64_t>(std::ranges::count_if(links, &CheckedLink::fromCache)));
    writer.member("seconds", std::round(seconds * 1000) / 1000);
    writer.key("problems");
    writer.startArray();
    for (const CheckedLink* link : problems(links)) {
        writer.startObject();
        writer.member("url", link->url);
        writer.key("lines");
        writer.startArray();
        for (const std::size_t line : link->lines) writer.count(line);
        writer.endArray();
        writer.key("verdict");
        writer.verbatimString(verdictKey(link->result.verdict));
        writer.member(link->result.verdict == Verdict::moved ? "newUrl" : "detail", link->result.detail);
        writer.endObject();
    }
    writer.endArray();
    writer.endObject();
    output.finish();
    return text + '\n';
}

int exitStatus(const std::vector<CheckedLink>& links)
{
    return countOf(links, Verdict::broken) + countOf(links, Verdict::timedOut) == 0 ? 0 : 1;
}

std::string progressLine(std::size_t done, std::size_t total, double elapsedSeconds)
{
    std::string line = std::to_string(done) + '/' + std::to_string(total) + " checked";
    if (elapsedSeconds <= 0 || done == 0) return line + ", " + decimal(std::max(0.0, elapsedSeconds), 0) + " s elapsed";
    const double rate = static_cast<double>(done) / elapsedSeconds;
    line += ", " + decimal(rate, 0) + "/s, " + decimal(elapsedSeconds, 0) + " s elapsed";
    return line + ", about " + decimal(static_cast<double>(total - std::min(done, total)) / rate, 0) + " s left";
}

} // namespace kavo::linkcheck
