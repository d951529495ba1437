// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/description_markup.h"

#include "platform/unicode_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kavo::screens {
namespace {

using namespace std::string_view_literals;

TEST(DescriptionMarkup, RendersAsStyledText)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {""sv, ""sv},
        // Escaped: StyledText would read "AT&T" up to the next ';' as an entity, and fold a raw no-break space.
        {"a < b & c > \"d\" AT&T <notatag 10\u00a0km"sv, "a &lt; b &amp; c &gt; &quot;d&quot; AT&amp;T &lt;notatag 10&nbsp;km"sv},
        {"a\0b  lots   of\tspace \u6587\U0001F3AC"sv, "a\uFFFDb lots of space \u6587\U0001F3AC"sv},
        // StyledText takes href verbatim up to a quote: "&" stays raw, quotes and spaces are percent-encoded.
        {"[x](http://a.org/?a=1&amp;b=2 \"title\")"sv, "<a href=\"http://a.org/?a=1&b=2\">x</a>"sv},
        {"[Film](https://a.org/Film_(1927)) [a\\]b](http://a.org/\\(x\\))"sv,
         "<a href=\"https://a.org/Film_(1927)\">Film</a> <a href=\"http://a.org/(x)\">a]b</a>"sv},
        {"[x](http://a.org/it's) [y](<http://a.org/a b\\<c\\>>) [z](http://a.org/?q=&quot;a&quot;)"sv,
         "<a href=\"http://a.org/it%27s\">x</a> <a href=\"http://a.org/a%20b%3Cc%3E\">y</a> "
         "<a href=\"http://a.org/?q=%22a%22\">z</a>"sv},
        // No tag for a link without a target: StyledText would pop the bold at its </a>.
        {"**[x]() y**"sv, "<b>x y</b>"sv},
        {"[*a* **b** ~~c~~ `d`](u)"sv, "<a href=\"u\"><i>a</i> <b>b</b> <s>c</s> d</a>"sv},
        {"<https://x.org/a?b=1&c=2> <me@x.org> https://y.org"sv,
         "<a href=\"https://x.org/a?b=1&c=2\">https://x.org/a?b=1&amp;c=2</a> <a href=\"mailto:me@x.org\">me@x.org</a> "
         "https://y.org"sv},
        {"*a* _b_ **c** __d__ ***e*** ~~f~~ *g **h snake_case"sv,
         "<i>a</i> <i>b</i> <b>c</b> <b>d</b> <i><b>e</b></i> <s>f</s> *g **h snake_case"sv},
        // StyledText has no monospace tag; a code span is plain text.
        {"`a <b> & *c*` ``a ` b``"sv, "a &lt;b&gt; &amp; *c* a ` b"sv},
        // Images become their alt text, plain; raw HTML is dropped, script and style with their content.
        {"a ![*b* [l](u)](i.png \"t\") [![alt](i.png)](u)"sv, "a b l <a href=\"u\">alt</a>"sv},
        {"<img src=x onerror=alert(1)>a <b>b</b> <SCRIPT>x *y*</Script>c <style>p{}</style>d <!-- n --> e"sv,
         "a b c d e"sv},
        {"<p>Great site</p> <?php x ?>f <![CDATA[z]]>g"sv, "Great site f g"sv},
        {"a <style> b\n\nc"sv, "a c"sv},
        {"&copy; &#169; &#xA9; &eacute; &lt;b&gt; &#60; &amp;lt; a&nbsp;b &bogus; &#0; \\&amp;"sv,
         "\u00a9 \u00a9 \u00a9 \u00e9 &lt;b&gt; &lt; &amp;lt; a&nbsp;b &amp;bogus; \uFFFD &amp;amp;"sv},
        {"\\*not\\* \\[a\\](b) \\<b\\> a\\b \\\\"sv, "*not* [a](b) &lt;b&gt; a\\b \\"sv},
        // Blocks run together as one line of text.
        {"# Title\ntext\n\nSub\n---\n- a\n- *b*\n\n> q\n\n```sh\ncode <x>\n```\n\n    ind & c\n\n***\n\nz  \ny"sv,
         "Title text Sub a <i>b</i> q code &lt;x&gt; ind &amp; c z y"sv},
    };
    for (const auto& [markdown, styled] : cases) {
        EXPECT_EQ(descriptionStyledText(markdown), std::optional<std::string>(styled)) << "from: " << markdown;
    }
    for (const std::string_view bad : {"\xff"sv, "ok \xc3"sv, "\xed\xa0\x80"sv, "[a](http://x/\xfe)"sv}) {
        EXPECT_FALSE(descriptionStyledText(bad).has_value()) << testing::PrintToString(bad);
    }
}

// The tags and entities Text.StyledText may see in a description. Returns
// what is wrong with `styled`, or nothing.
std::string styledTextFault(std::string_view styled)
{
    std::vector<std::string_view> open;
    std::size_t i = 0;
    while (i < styled.size()) {
        const char c = styled[i];
        if (c == '<') {
            const std::size_t end = styled.find('>', i);
            if (end == std::string_view::npos) return "unterminated tag";
            const std::string_view tag = styled.substr(i + 1, end - i - 1);
            if (tag.starts_with('/')) {
                if (open.empty() || open.back() != tag.substr(1)) return "unbalanced <" + std::string(tag) + ">";
                open.pop_back();
            } else if (tag == "b" || tag == "i" || tag == "s") {
                open.push_back(tag);
            } else if (tag.starts_with("a href=\"") && tag.ends_with('"') && tag.size() > 9) {
                const std::string_view href = tag.substr(8, tag.size() - 9);
                if (href.find_first_of("\"'<> \t\n") != std::string_view::npos) return "href breaks out: " + std::string(href);
                if (!open.empty() && std::find(open.begin(), open.end(), "a") != open.end()) return "link in link";
                open.push_back("a");
            } else {
                return "tag not allowed: <" + std::string(tag) + ">";
            }
            i = end + 1;
        } else if (c == '&') {
            const std::size_t length = styled.find(';', i) - i + 1;
            const std::string_view entity = styled.substr(i, length);
            if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;" && entity != "&nbsp;") {
                return "entity StyledText may not know: " + std::string(styled.substr(i, 10));
            }
            i += length;
        } else if (c == '>') {
            return "stray '>'";
        } else {
            ++i;
        }
    }
    if (!open.empty()) return "unclosed <" + std::string(open.back()) + ">";
    if (!text::isValidUtf8(styled)) return "invalid UTF-8";
    return {};
}

// md4c 0.4.8 pairs "**" inside a link destination with one outside it, then
// reports the span's start without its end or its end without its start.
TEST(DescriptionMarkupProperty, EmphasisDelimiterInLinkDestinationStaysBalanced)
{
    for (const std::string_view markdown :
         {"**a [b](>c**d) e"sv, "a [b](<c**d>) e**"sv, "*x **a [b](>c**d) e* f"sv, "**a [b](x**)\nc**\n\nnext"sv}) {
        const std::optional<std::string> styled = descriptionStyledText(markdown);
        ASSERT_TRUE(styled.has_value()) << markdown;
        EXPECT_EQ(styledTextFault(*styled), "") << markdown << "\n-> " << *styled;
        EXPECT_NE(styled->find(">b</a>"), std::string::npos) << *styled;
    }
    // A stray end of bold must not end the italic around it.
    const std::string styled = descriptionStyledText("*x a [b](<c**d>) e** f*").value();
    EXPECT_TRUE(styled.starts_with("<i>x a <a href=\"c**d\">b</a> e") && styled.ends_with(" f</i>")) << styled;
}

// Pieces that Markdown, HTML and StyledText give a meaning to, weighted
// towards '<' and '&' so that many inputs try to smuggle a tag or entity.
constexpr std::array markdownPieces = {
    "<"sv,  "<"sv,      "<"sv,      "/"sv,       ">"sv,     "img"sv,         "a"sv,  "b"sv,  "i"sv,
    "s"sv,  "script"sv, "style"sv,  "code"sv,    "tt"sv,    " src="sv,       " href="sv, "="sv, "\""sv,
    "'"sv,  "x.png"sv,  "http://x.org/?a=1&b=2"sv, "["sv, "]"sv, "("sv,        ")"sv,  "!"sv,  "*"sv,
    "**"sv, "_"sv,      "`"sv,      "~~"sv,      "&"sv,     "&"sv,           "#"sv,  ";"sv,  "amp"sv,
    "lt"sv, "quot"sv,   "nbsp"sv,   "#x3C"sv,    "\\"sv,    " "sv,           "\n"sv, "\n\n"sv, "<!--"sv,
    "-->"sv, ":"sv,     "\u00e9"sv, "\u00a0"sv,  "]("sv,    "<https://"sv,   "@"sv,  "    "sv, "#"sv,
    "-"sv,  "1."sv,     "\0"sv,     "\t"sv,      "{"sv,     "%"sv};

// The checker refuses what it must, so that passing it says something.
TEST(DescriptionMarkupProperty, RandomMarkdownOnlyMakesSafeBalancedTags)
{
    for (const std::string_view bad : {"<img src=\"x\">"sv, "<b><i>x</b></i>"sv, "<a href='x'>y</a>"sv, "<b>x"sv,
                                       "<a href=\"x y\">z</a>"sv, "a > b"sv, "AT&T"sv, "<a href=\"u\"><a href=\"v\">x</a></a>"sv}) {
        EXPECT_NE(styledTextFault(bad), "") << bad;
    }
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pieceCount(1, 40), piece(0, markdownPieces.size() - 1);
    int withLink = 0, withFormat = 0;
    for (int n = 0; n < 20000; ++n) {
        std::string markdown;
        for (std::size_t count = pieceCount(random); count > 0; --count) markdown += markdownPieces[piece(random)];
        const std::optional<std::string> styled = descriptionStyledText(markdown);
        ASSERT_TRUE(styled.has_value()) << testing::PrintToString(markdown);
        ASSERT_EQ(styledTextFault(*styled), "") << testing::PrintToString(markdown) << "\n-> " << *styled;
        withLink += styled->find("<a ") != std::string::npos;
        withFormat += styled->find("<i>") != std::string::npos || styled->find("<b>") != std::string::npos;
    }
    // The inputs have to exercise the tag-writing paths, not just escaping.
    EXPECT_GT(withLink, 200);
    EXPECT_GT(withFormat, 1000);
}

// However long a description is, a bounded prefix of it is rendered, in time that
// does not grow with it, cut back to where a user-perceived character ends.
TEST(DescriptionMarkupLimits, LongDescriptionsRenderABoundedPrefixCutAtACharacter)
{
    const std::string unit = "[link](http://x.org/?a=1&b=2) *em* **b** `c` <b>x</b> &copy; ![i](j) ";
    std::string typical;
    while (typical.size() < 20'000'000) typical += unit;
    const auto start = std::chrono::steady_clock::now();
    const std::optional<std::string> styled = descriptionStyledText(typical);
    // Rendering all 20 MB takes one to four seconds; the prefix well under a millisecond.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_TRUE(styled && styled->starts_with(*descriptionStyledText(unit)) && styledTextFault(*styled).empty());
    EXPECT_TRUE(descriptionStyledText(std::string(20'000'000, '[')) == std::string(kDescriptionRenderLimit, '['));

    // A character that ends at the limit; the limit inside a two-byte character, before a combining
    // mark, inside a flag of two regional indicators; one cluster longer than the limit, cut at a code point.
    const std::string filler(kDescriptionRenderLimit - 1, 'a');
    const std::string shorter(kDescriptionRenderLimit - 5, 'a');
    std::string marks;
    for (int i = 0; i < 3000; ++i) marks += "\u0301";
    const std::pair<std::string, std::string> cases[] = {
        {filler + "b c", filler + "b"}, {filler + "\u00e9 c", filler}, {filler + "e\u0301 c", filler},
        {shorter + "\U0001F1F8\U0001F1EA c", shorter}, {"e" + marks, "e" + marks.substr(0, 2047 * 2)},
    };
    for (const auto& [markdown, expected] : cases) {
        const std::string cut = descriptionStyledText(markdown).value_or("(nothing)");
        EXPECT_TRUE(cut == expected) << cut.size() << " bytes, ending " << testing::PrintToString(cut.substr(cut.size() - 8));
    }
}

} // namespace
} // namespace kavo::screens
