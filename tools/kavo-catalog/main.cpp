// SPDX-License-Identifier: GPL-3.0-or-later
// kavo-catalog: the developer and curator tool for the catalogue page and its cache file.
#include "tools/kavo-catalog/commands.h"
#include "tools/kavo-catalog/tool_io.h"

#include "catalog/catalog_json.h"
#include "catalog/catalogue_diff.h"
#include "catalog/page_lint.h"
#include "catalog/parser.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: kavo-catalog COMMAND FILE [ARGUMENT]\n"
    "  parse PAGE.md          print the parsed catalogue as cache-file JSON\n"
    "  decode CACHE.json      check a cache file; print it re-encoded, or why it is refused (exit 1)\n"
    "  stats FILE             categories, sections, entries and related links (page or cache file)\n"
    "  lint PAGE.md           lines the app will drop although they look meant (exit 1 if any)\n"
    "  search FILE QUERY      the main screen's categories and links for QUERY, \"\" for all (page or cache file)\n"
    "  diff OLD NEW           entries added, removed and changed from OLD to NEW (pages or cache files)\n"
    "  bench PAGE.md [RUNS]   median timings of parse, encode and decode beside md4c and simdjson\n"
#ifdef KAVO_WITH_LINK_CHECK
    "  check-links PAGE.md    every http(s) link checked (exit 1 if one is broken or timed out; --help for options)\n"
#endif
    ;

// Prints the catalogue as cache-file JSON; a failed write (a full disk, a closed pipe) is an error.
int printCatalogue(const std::vector<kavo::KVCategory>& categories)
{
    return kavo::tool::outputStatus(kavo::writeCategories(categories, stdout));
}

// Each category is written out as soon as it is parsed and then dropped: the
// tool never holds the whole catalogue, however long the page.
int parseCommand(const std::string& path)
{
    const std::optional<kavo::tool::InputText> page = kavo::tool::InputText::open(path);
    if (!page) return 1;
    kavo::CategoriesFileWriter writer(stdout);
    kavo::KVParser().parseEach(page->text(), [&writer](kavo::KVCategory&& category) { writer.add(category); });
    return kavo::tool::outputStatus(writer.finish());
}

int decodeCommand(const std::string& path)
{
    const std::optional<std::string> json = kavo::tool::readFile(path);
    if (!json) return 1;
    const kavo::CategoriesOrError decoded = kavo::decodeCategories(*json);
    if (const auto* error = std::get_if<kavo::json::DecodeError>(&decoded)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error->message().c_str());
        return 1;
    }
    return printCatalogue(std::get<std::vector<kavo::KVCategory>>(decoded));
}

int lintCommand(const std::string& path)
{
    const std::optional<std::string> page = kavo::tool::readFile(path);
    if (!page) return 1;
    const kavo::PageLint lint = kavo::lintPage(*page);
    for (const kavo::ParseDiagnostic& finding : lint.findings) {
        const std::string text = kavo::describe(finding);
        // A finding about the whole page has no line: the file is named instead.
        if (finding.line == 0) std::printf("%s: %s\n", path.c_str(), text.c_str());
        else std::printf("%zu: %s\n", finding.line, text.c_str());
    }
    return lint.findingCount == 0 ? 0 : 1;
}

// The entries the app would mark new, and what else changed, as one JSON object.
int diffCommand(const std::string& oldPath, const std::string& newPath)
{
    const std::optional<kavo::tool::LoadedCatalogue> before = kavo::tool::loadPageOrCache(oldPath);
    const std::optional<kavo::tool::LoadedCatalogue> after = kavo::tool::loadPageOrCache(newPath);
    if (!before || !after) return 1;
    const std::string json = kavo::encodeCatalogueDiff(kavo::diffCatalogues(before->categories, after->categories));
    return kavo::tool::outputStatus(std::fwrite(json.data(), 1, json.size(), stdout) == json.size() &&
                                    std::fflush(stdout) == 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = argv[1];
    const std::string path = argv[2];
#ifdef KAVO_WITH_LINK_CHECK
    if (command == "check-links") return kavo::tool::checkLinksCommand({argv + 2, argv + argc});
#endif
    if (command == "bench") {
        const int runs = argc > 3 ? std::atoi(argv[3]) : 21;
        if (runs < 1) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        return kavo::tool::benchCommand(path, runs);
    }
    if (command == "diff") {
        if (argc != 4) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        return diffCommand(path, argv[3]);
    }
    if (command == "search") {
        if (argc != 4) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        return kavo::tool::searchCommand(path, argv[3]); // verbatim: the screen does not trim a query
    }
    if (argc != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (command == "parse") return parseCommand(path);
    if (command == "decode") return decodeCommand(path);
    if (command == "stats") return kavo::tool::statsCommand(path);
    if (command == "lint") return lintCommand(path);
    std::fputs(kUsage, stderr);
    return 2;
}
