// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kavo-catalog/link_results_cache.h"

#include "catalog/json_reader.h"
#include "catalog/json_writer.h"

#include <algorithm>
#include <vector>

namespace kavo::linkcheck {

bool isKept(Verdict verdict) { return verdict != Verdict::rateLimited && verdict != Verdict::skipped; }

bool isFresh(const CachedResult& cached, ReferenceSeconds now, int timeoutMs)
{
    const double age = now - cached.checkedAt;
    if (age < 0 || age >= kResultLifetimeSeconds || !isKept(cached.result.verdict)) return false;
    return cached.result.verdict != Verdict::timedOut || cached.timeoutMs >= timeoutMs;
}

std::string encodeResults(const ResultCache& results, ReferenceSeconds now)
{
    std::vector<const ResultCache::value_type*> kept;
    for (const auto& item : results) {
        if (isFresh(item.second, now, 0)) kept.push_back(&item);
    }
    std::ranges::sort(kept, {}, [](const auto* item) { return item->first; });
    std::string text;
    json::StringOutput output(text, 64 + kept.size() * 120);
    json::Writer<json::StringOutput> writer(output);
    writer.startArray();
    for (const auto* item : kept) {
        writer.startObject();
        writer.member("url", item->first);
        writer.key("verdict");
        writer.verbatimString(verdictKey(item->second.result.verdict));
        writer.member("detail", item->second.result.detail);
        writer.member("checkedAt", item->second.checkedAt);
        writer.key("timeoutMs");
        writer.count(static_cast<std::uint64_t>(item->second.timeoutMs));
        writer.endObject();
    }
    writer.endArray();
    output.finish();
    return text;
}

ResultCache decodeResults(std::string_view json)
{
    simdjson::dom::parser parser;
    simdjson::dom::element document;
    json::DecodeError error;
    ResultCache results;
    if (!json::parseDocument(parser, json, document, error)) return {};
    const bool whole = json::readArray(document, error, [&](simdjson::dom::element value, json::DecodeError& e) {
        simdjson::dom::object object;
        if (!json::asObject(value, object, e)) return false;
        std::array<json::Field, 5> f{{{"url"}, {"verdict"}, {"detail"}, {"checkedAt"}, {"timeoutMs"}}};
        json::collectFields(object, f);
        std::string url;
        std::string verdict;
        CachedResult cached;
        double timeoutMs = 0;
        if (!json::readString(f[0], url, e) || !json::readString(f[1], verdict, e) ||
            !json::readString(f[2], cached.result.detail, e) || !json::readNumber(f[3], cached.checkedAt, e) ||
            !json::readNumber(f[4], timeoutMs, e)) {
            return false;
        }
        const std::optional<Verdict> known = verdictFromKey(verdict);
        if (!known) return json::fail(e, "verdict", "\"" + verdict + "\" is not a verdict");
        cached.result.verdict = *known;
        cached.timeoutMs = static_cast<int>(std::clamp(timeoutMs, 0.0, 1e9));
        results.insert_or_assign(std::move(url), std::move(cached));
        return true;
    });
    return whole ? results : ResultCache{};
}

} // namespace kavo::linkcheck
