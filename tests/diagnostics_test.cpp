// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/catalog_json.h"
#include "catalog/page_lint.h"
#include "catalog/parser.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

constexpr std::string_view kPage =
    "Intro * [not yet](/x)\n"                      // 1  before any category: not reported
    "# \u25BA [Films](not a url)\n"                 // 2  category link rejected
    "* **Note** - never attached\n"                 // 3  note lost at the section heading
    "## \u25B7 Silent\n"                            // 4
    "* just prose, no link\n"                       // 5  entry without a link
    "* [Broken](a|b), [Fine](/fine) - desc\n"       // 6  first target rejected
    "* [Ok](/ok), [Bad](%zz), [Good](/good)\r\n"    // 7  related link rejected (CR LF counts once)
    "* **Note**- squeezed\n"                        // 8  note text not found
    "* **Note** - first\n"                          // 9  replaced by line 10
    "* **Note** - second\n"                         // 10 lost at the end
    "* [Split - here](/x)\n";                       // 11 the separator cuts the link

TEST(Diagnostics, ReportsDroppedLinesThatLookMeantWithTheirLineNumbers)
{
    std::vector<std::pair<std::size_t, std::string>> reported;
    const KVParser parser;
    const auto categories =
        parser.parse(kPage, [&](const ParseDiagnostic& d) { reported.emplace_back(d.line, describe(d)); });

    std::string lines;
    for (const auto& [line, message] : reported) lines += std::to_string(line) + (message.empty() ? "(no message) " : " ");
    EXPECT_EQ(lines, "2 3 5 6 7 8 9 11 10 ");
    EXPECT_NE(reported.at(0).second.find("not a url"), std::string::npos);
    EXPECT_NE(reported.at(4).second.find("Bad"), std::string::npos);

    // The sink observes; it does not change the result.
    EXPECT_EQ(encodeCategories(categories, {.includeIds = false}), encodeCategories(parser.parse(kPage), {.includeIds = false}));
    // A clean page reports nothing.
    reported.clear();
    (void)parser.parse("# \u25BA A\n* **Note** - n\n***\n## \u25B7 S\n* \u2B50 [a](/a), [b](/b) - d\n",
                       [&](const ParseDiagnostic& d) { reported.emplace_back(d.line, describe(d)); });
    EXPECT_TRUE(reported.empty());
}

// What `kavo-catalog lint` and the preview report: the findings kept, all of them counted, and a
// page without a category heading as a finding of its own (line 0); nothing over the limits.
TEST(Diagnostics, LintKeepsAsManyAsAskedCountsAllAndNamesAnEmptyPage)
{
    const PageLint lint = lintPage(kPage, {}, 3);
    EXPECT_EQ(lint.findings.size(), 3u);
    EXPECT_EQ(lint.findingCount, 9u);
    const PageLint empty = lintPage("* [a](/a)\n");
    ASSERT_EQ(empty.findings.size(), 1u);
    EXPECT_EQ(empty.findings[0].kind, ParseDiagnostic::Kind::NoCategoryHeading);
    EXPECT_EQ(empty.findings[0].line, 0u);
    EXPECT_FALSE(lintPage(kPage, ParseLimits{2}).categories);
}

} // namespace
} // namespace kavo
