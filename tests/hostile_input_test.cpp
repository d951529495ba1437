// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs built to make a naive parser slow or crash. Each must parse in time
// linear in its size; the bound below is generous (the whole set takes well
// under a tenth of it) and only fails on super-linear behaviour.
#include "catalog/catalog_json.h"
#include "catalog/link_scanner.h"
#include "catalog/page_links.h"
#include "catalog/parser.h"

#include <gtest/gtest.h>

#include <chrono>

namespace kavo {
namespace {

std::string repeat(std::string_view piece, std::size_t times)
{
    std::string result;
    for (std::size_t i = 0; i < times; ++i) result += piece;
    return result;
}

TEST(HostileInput, EveryPathologicalPageParsesInLinearTime)
{
    using namespace std::string_literals;
    const std::string heading = "# \u25BA Hostile\n";
    const std::pair<const char*, std::string> pages[] = {
        {"unclosed target", heading + "* [a](" + repeat("x(", 50000) + "\n"},
        {"ten megabyte line", heading + "* " + repeat("[a](b", 2000000) + "\n"},
        {"many open brackets", heading + repeat("[\n", 100000)},
        {"one line of open brackets", heading + "* " + std::string(1000000, '[') + "](x)\n"},
        {"brackets then close", heading + "* " + repeat("[a]", 300000) + "(" + std::string(100000, ')') + "\n"},
        {"NUL bytes", heading + "* [a\0b](/x\0y) - \0\n"s + std::string(100000, '\0')},
        {"CR only", repeat("# \u25BA C\r* [a](/b) - c\r## \u25B7 S\r", 30000)},
        {"ill-formed UTF-8", heading + repeat("* [\xff](/\xfe) - \xc3\n", 30000)},
        {"separators everywhere", heading + "* " + repeat(" - [a](", 200000) + "\n"},
        {"autolinks never closed", heading + "* " + repeat("<https://", 300000) + "\n"},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [name, page] : pages) {
        const std::vector<KVCategory> categories = KVParser().parse(page);
        (void)pageLinks(page); // what check-links reads of a page
        // Whatever comes out must survive the cache form.
        const CategoriesOrError decoded = decodeCategories(encodeCategories(categories));
        ASSERT_TRUE(std::holds_alternative<std::vector<KVCategory>>(decoded)) << name;
        EXPECT_EQ(std::get<std::vector<KVCategory>>(decoded), categories) << name;
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(20)) << "parsing took super-linear time";
}

// Counted are the links written in entry lines before the description: an
// entry's own and its further links, dropped ones too, in every section.
TEST(HostileInput, APageOverTheLinkLimitIsRefusedWhereItPassesIt)
{
    const KVParser parser;
    const std::string page = "# \u25BA A\n* [a](/a), [b](/b)\n* [c](/c) - see [d](/d)\n## \u25B7 S\n* [e](|bad)\n";
    const std::optional<std::vector<KVCategory>> within = parser.parse(page, ParseLimits{4});
    ASSERT_TRUE(within.has_value());
    const EncodeOptions withoutIds{.includeIds = false};
    EXPECT_EQ(encodeCategories(*within, withoutIds), encodeCategories(parser.parse(page), withoutIds));
    EXPECT_FALSE(parser.parse(page, ParseLimits{3}).has_value());

    // Further links on one line count one by one.
    const std::string wide = "# \u25BA A\n* " + repeat("[a](b), ", 1001) + "\n";
    EXPECT_TRUE(parser.parse(wide, ParseLimits{1001}).has_value());
    EXPECT_FALSE(parser.parse(wide, ParseLimits{1000}).has_value());
}

TEST(HostileInput, ResultsOnHostilePagesAreStillRight)
{
    using namespace std::string_literals;
    const KVParser parser;
    // One byte order mark at the very start is skipped; a second one, or one
    // at the start of a later line, is part of that line.
    const auto bom = parser.parse("\xEF\xBB\xBF# \u25BA A\n* [a](/b)\n\xEF\xBB\xBF# \u25BA B\n");
    ASSERT_EQ(bom.size(), 1u);
    EXPECT_EQ(bom[0].entries.size(), 1u);
    EXPECT_TRUE(parser.parse("\xEF\xBB\xBF\xEF\xBB\xBF# \u25BA A\n").empty());
    // NUL is an ordinary character; ill-formed bytes arrive as U+FFFD.
    const auto odd = parser.parse("# \u25BA A\xff\n* [a\0b](/x) - d\0\n"s);
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_EQ(odd[0].title, "A\ufffd");
    ASSERT_EQ(odd[0].entries.size(), 1u);
    EXPECT_EQ(odd[0].entries[0].name, std::string("a\0b", 3));
    EXPECT_EQ(odd[0].entries[0].description, std::string("d\0", 2));
}

} // namespace
} // namespace kavo
