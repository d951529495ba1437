// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kavo-catalog/commands.h"
#include "tools/kavo-catalog/tool_io.h"

#include "catalog/catalog_json.h"
#include "catalog/parser.h"

#include <md4c.h>
#include <simdjson.h>

#include <algorithm>
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

// Median wall time of `runs` calls, in milliseconds. One untimed call first
// warms caches and the allocator. What a call makes is destroyed after its
// clock stops: freeing the result is not part of producing it.
template <typename Work> double medianMs(int runs, Work&& work)
{
    (void)work();
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const auto result = work();
        const auto stop = std::chrono::steady_clock::now();
        keep(result);
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
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

    const double parseMs = medianMs(runs, [&] { return parser.parse(*page); });
    const double md4cMs = medianMs(runs, [&] { return parseWithMd4c(*page); });
    const double encodeMs = medianMs(runs, [&] { return encodeCategories(categories); });
    const double decodeMs = medianMs(runs, [&] { return decodeCategories(cache); });
    // A fresh parser each time, as a decode at start-up has: allocation is part of the cost.
    const double domMs = medianMs(runs, [&] {
        auto dom = std::make_unique<simdjson::dom::parser>();
        simdjson::dom::element root;
        if (dom->parse(paddedCache).get(root) != simdjson::SUCCESS) std::abort();
        return dom;
    });

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
    std::printf("ratio parse / md4c              %6.2f  (goal <= 1.00)\n", parseMs / md4cMs);
    std::printf("ratio decode / simdjson DOM     %6.2f  (goal <= 3.00)\n", decodeMs / domMs);
    std::printf("encode output rate          %10.1f MB/s  (goal >= 500)\n", cacheMb / (encodeMs / 1000.0));
    return 0;
}

} // namespace kavo::tool
