// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kavo-catalog/commands.h"
#include "tools/kavo-catalog/tool_io.h"

#include "catalog/catalog_json.h"
#include "catalog/parser.h"

#include <md4c.h>
#include <simdjson.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace kavo::tool {
namespace {

template <typename T> void keep(const T& value)
{
    asm volatile("" : : "g"(&value) : "memory");
}

// Wall time of one call, in milliseconds. What the call makes is destroyed
// after the clock stops: freeing the result is not part of producing it.
template <typename Work> double timeMs(Work& work)
{
    const auto start = std::chrono::steady_clock::now();
    const auto result = work();
    const auto stop = std::chrono::steady_clock::now();
    keep(result);
    return std::chrono::duration<double, std::milli>(stop - start).count();
}

// Medians of `runs` rounds. Each round runs every step once, so steps that
// are compared with each other see the same state of a busy machine.
template <typename... Work> std::array<double, sizeof...(Work)> interleavedMediansMs(int runs, Work&... work)
{
    (keep(work()), ...); // warm caches and the allocator
    std::array<std::vector<double>, sizeof...(Work)> times;
    for (int i = 0; i < runs; ++i) {
        std::size_t step = 0;
        ((times[step++].push_back(timeMs(work))), ...);
    }
    std::array<double, sizeof...(Work)> medians{};
    for (std::size_t step = 0; step < times.size(); ++step) {
        std::vector<double>& t = times[step];
        std::nth_element(t.begin(), t.begin() + runs / 2, t.end());
        medians[step] = t[static_cast<std::size_t>(runs / 2)];
    }
    return medians;
}

// md4c with callbacks that do nothing: the cost of reading the page as Markdown.
int parseWithMd4c(const std::string& page)
{
    MD_PARSER parser{};
    parser.enter_block = [](MD_BLOCKTYPE, void*, void*) { return 0; };
    parser.leave_block = [](MD_BLOCKTYPE, void*, void*) { return 0; };
    parser.enter_span = [](MD_SPANTYPE, void*, void*) { return 0; };
    parser.leave_span = [](MD_SPANTYPE, void*, void*) { return 0; };
    parser.text = [](MD_TEXTTYPE, const MD_CHAR*, MD_SIZE, void*) { return 0; };
    return md_parse(page.data(), static_cast<MD_SIZE>(page.size()), &parser, nullptr);
}

} // namespace

int benchCommand(const std::string& path, int runs)
{
    const std::optional<std::string> page = readFile(path);
    if (!page) return 1;
    const KVParser parser;
    const std::vector<KVCategory> categories = parser.parse(*page);
    const std::string cache = encodeCategories(categories);
    const simdjson::padded_string paddedCache(cache);

    std::size_t entries = 0;
    for (const KVCategory& category : categories) {
        entries += category.entries.size();
        for (const KVSection& section : category.sections) entries += section.entries.size();
    }

    auto parse = [&] { return parser.parse(*page); };
    auto md4c = [&] { return parseWithMd4c(*page); };
    auto encode = [&] { return encodeCategories(categories); };
    auto decode = [&] { return decodeCategories(cache); };
    // A fresh parser each time, as a decode at start-up has: allocation is part of the cost.
    auto dom = [&] {
        auto domParser = std::make_unique<simdjson::dom::parser>();
        simdjson::dom::element root;
        if (domParser->parse(paddedCache).get(root) != simdjson::SUCCESS) std::abort();
        return domParser;
    };
    const auto [parseMs, md4cMs, encodeMs, decodeMs, domMs] = interleavedMediansMs(runs, parse, md4c, encode, decode, dom);

    const double pageMb = static_cast<double>(page->size()) / 1e6;
    const double cacheMb = static_cast<double>(cache.size()) / 1e6;
    std::printf("page    %s: %.2f MB, %zu categories, %zu entries; cache %.2f MB; median of %d runs\n",
                path.c_str(), pageMb, categories.size(), entries, cacheMb, runs);
    std::printf("%-34s %10s %12s\n", "step", "median ms", "MB/s");
    auto row = [](const char* step, double ms, double mb) {
        std::printf("%-34s %10.3f %12.1f\n", step, ms, mb / (ms / 1000.0));
    };
    row("parse (page -> records)", parseMs, pageMb);
    row("md4c (page, empty callbacks)", md4cMs, pageMb);
    row("encode (records -> JSON)", encodeMs, cacheMb);
    row("decode (JSON -> records)", decodeMs, cacheMb);
    row("simdjson DOM (JSON, bare)", domMs, cacheMb);
    auto verdict = [](bool met) { return met ? "met" : "NOT met"; };
    std::printf("ratio parse / md4c              %6.2f  (goal <= 1.00): %s\n", parseMs / md4cMs,
                verdict(parseMs <= md4cMs));
    std::printf("ratio decode / simdjson DOM     %6.2f  (goal <= 3.00): %s\n", decodeMs / domMs,
                verdict(decodeMs <= 3 * domMs));
    const double encodeRate = cacheMb / (encodeMs / 1000.0);
    std::printf("encode output rate          %10.1f MB/s  (goal >= 500): %s\n", encodeRate, verdict(encodeRate >= 500));
    return 0;
}

} // namespace kavo::tool
