// SPDX-License-Identifier: GPL-3.0-or-later
#include "fixtures.h"

#include "catalog/parser.h"

#include <fstream>
#include <random>
#include <iterator>
#include <stdexcept>

namespace kavo::fixtures {
namespace {

class Maker {
public:
    explicit Maker(std::uint32_t seed) : random_(seed) {}

    std::vector<KVCategory> categories(std::size_t count)
    {
        std::vector<KVCategory> result;
        for (std::size_t i = 0; i < count; ++i) {
            KVCategory category{Uuid::random(), text(), maybeUrl(), maybeText(), entries(8), {}};
            for (int s = pick(4); s > 0; --s) {
                category.sections.push_back(KVSection{Uuid::random(), text(), maybeUrl(), maybeText(), entries(30)});
            }
            result.push_back(std::move(category));
        }
        return result;
    }

private:
    int pick(int bound) { return std::uniform_int_distribution<int>(0, bound)(random_); }

    std::string text()
    {
        static const std::string pieces[] = {"Alpha", " ", "\"q\"", "\\", "/", "\n", "\t", std::string("\0", 1),
                                             "\x1f", "caf\u00e9", "\u6587\u5b66", "\U0001F310", "\u2028", "<!--",
                                             "** - ", "[x](y)", "\u00a0", "\u0130", "STRASSE", "Stra\u00dfe",
                                             "\u03a3\u039f\u03a6\u039f\u03a3", "\u00c9T\u00c9", ""};
        std::string result;
        for (int n = pick(6); n > 0; --n) result += pieces[pick(std::size(pieces) - 1)];
        return result;
    }

    std::optional<std::string> maybeText() { return pick(2) == 0 ? std::nullopt : std::optional(text()); }

    Url url()
    {
        static const char* targets[] = {"https://example.org/a", "/b", "../c(d)", "mailto:x@example.org",
                                        "https://example.org/\u00e9t\u00e9", "#top"};
        return *Url::parse(targets[pick(std::size(targets) - 1)]);
    }

    std::optional<Url> maybeUrl() { return pick(2) == 0 ? std::nullopt : std::optional(url()); }

    std::vector<KVEntry> entries(int bound)
    {
        std::vector<KVEntry> result;
        for (int n = pick(bound); n > 0; --n) {
            std::vector<KVLink> related;
            for (int r = pick(3); r > 0; --r) related.push_back(KVLink{Uuid::random(), text(), url()});
            result.push_back(KVEntry{Uuid::random(), text(), url(), maybeText(), static_cast<KVBadge>(pick(3)),
                                     std::move(related)});
        }
        return result;
    }

    std::mt19937 random_;
};

} // namespace

std::vector<KVCategory> makeCatalogue(std::size_t categories, std::uint32_t seed) { return Maker(seed).categories(categories); }

std::vector<KVCategory> parse(std::string_view page) { return KVParser().parse(page); }

KVEntry entry(std::string name, std::string_view url)
{
    return KVEntry{Uuid::random(), std::move(name), *Url::parse(url), {}, KVBadge::none, {}};
}

std::string readTestFile(const std::string& name)
{
    std::ifstream in(std::string(KAVO_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    if (!in) throw std::runtime_error("missing test file " + name);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace kavo::fixtures
