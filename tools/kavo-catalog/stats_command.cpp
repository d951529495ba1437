// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kavo-catalog/commands.h"
#include "tools/kavo-catalog/tool_io.h"

#include <cstdio>

namespace kavo::tool {
namespace {

struct Counts {
    std::size_t sections = 0;
    std::size_t entries = 0;
    std::size_t related = 0;

    void add(const std::vector<KVEntry>& list)
    {
        entries += list.size();
        for (const KVEntry& entry : list) related += entry.relatedLinks.size();
    }
};

void printRow(const std::string& label, const Counts& counts)
{
    std::printf("%-40s %9zu %9zu %9zu\n", label.c_str(), counts.sections, counts.entries, counts.related);
}

} // namespace

int statsCommand(const std::string& path)
{
    const std::optional<LoadedCatalogue> loaded = loadPageOrCache(path);
    if (!loaded) return 1;
    std::printf("%s (%s)\n", path.c_str(), loaded->fromCache ? "cache file" : "page");
    std::printf("%-40s %9s %9s %9s\n", "Category", "Sections", "Entries", "Related");
    Counts total;
    for (const KVCategory& category : loaded->categories) {
        Counts counts;
        counts.sections = category.sections.size();
        counts.add(category.entries);
        for (const KVSection& section : category.sections) counts.add(section.entries);
        printRow(category.title.empty() ? "(untitled)" : category.title, counts);
        total.sections += counts.sections;
        total.entries += counts.entries;
        total.related += counts.related;
    }
    printRow("Total: " + std::to_string(loaded->categories.size()) + " categories", total);
    return 0;
}

} // namespace kavo::tool
