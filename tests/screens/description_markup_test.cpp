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

struct MarkupCase {
    const char* name;
    std::string_view markdown;
    std::string_view styled;
};

void PrintTo(const MarkupCase& c, std::ostream* out)
{
    *out << c.name;
}

std::string caseName(const testing::TestParamInfo<MarkupCase>& info)
{
    return info.param.name;
}

class DescriptionMarkup : public testing::TestWithParam<MarkupCase> {};

TEST_P(DescriptionMarkup, RendersAsStyledText)
{
    const MarkupCase& c = GetParam();
    const std::optional<std::string> styled = descriptionStyledText(c.markdown);
    ASSERT_TRUE(styled.has_value()) << c.markdown;
    EXPECT_EQ(*styled, c.styled) << "from: " << c.markdown;
}

INSTANTIATE_TEST_SUITE_P(
    PlainText, DescriptionMarkup,
    testing::Values(
        MarkupCase{"Empty", ""sv, ""sv},
        MarkupCase{"MarkupCharacters", "a < b & c > \"d\" 'e'"sv, "a &lt; b &amp; c &gt; &quot;d&quot; 'e'"sv},
        // StyledText would read "AT&T" up to the next ';' or space as an entity.
        MarkupCase{"BareAmpersand", "AT&T"sv, "AT&amp;T"sv},
        MarkupCase{"LooksLikeTag", "<notatag"sv, "&lt;notatag"sv},
        // StyledText folds a raw no-break space into ordinary white space.
        MarkupCase{"NoBreakSpace", "10\u00a0km"sv, "10&nbsp;km"sv},
        MarkupCase{"NulCharacter", "a\0b"sv, "a\uFFFDb"sv},
        MarkupCase{"WhiteSpaceCollapsed", "  lots   of\tspace  "sv, "lots of space"sv},
        MarkupCase{"NonAscii", "Caf\u00e9 \u6587\u5b66 \U0001F3AC"sv, "Caf\u00e9 \u6587\u5b66 \U0001F3AC"sv}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Links, DescriptionMarkup,
    testing::Values(
        // StyledText takes href verbatim up to a quote: '&' stays raw (an
        // "&amp;" would remain in the link) and the title is not drawn.
        MarkupCase{"QueryAndTitle", "[x](http://a.org/?a=1&b=2 \"title\")"sv, "<a href=\"http://a.org/?a=1&b=2\">x</a>"sv},
        MarkupCase{"EntityInDestination", "[x](http://a.org/?a=1&amp;b=2)"sv, "<a href=\"http://a.org/?a=1&b=2\">x</a>"sv},
        MarkupCase{"Parentheses", "[Film](https://a.org/Film_(1927))"sv, "<a href=\"https://a.org/Film_(1927)\">Film</a>"sv},
        MarkupCase{"EscapedCharacters", "[a\\]b](http://a.org/\\(x\\))"sv, "<a href=\"http://a.org/(x)\">a]b</a>"sv},
        // A quote of either kind would end the attribute value early.
        MarkupCase{"Apostrophe", "[x](http://a.org/it's)"sv, "<a href=\"http://a.org/it%27s\">x</a>"sv},
        MarkupCase{"QuoteEntity", "[x](http://a.org/?q=&quot;a&quot;)"sv, "<a href=\"http://a.org/?q=%22a%22\">x</a>"sv},
        MarkupCase{"EscapedQuote", "[x](http://a.org/\\\")"sv, "<a href=\"http://a.org/%22\">x</a>"sv},
        MarkupCase{"SpaceAndAngles", "[x](<http://a.org/a b\\<c\\>>)"sv, "<a href=\"http://a.org/a%20b%3Cc%3E\">x</a>"sv},
        MarkupCase{"PercentKept", "[x](http://a.org/a%20b)"sv, "<a href=\"http://a.org/a%20b\">x</a>"sv},
        MarkupCase{"NonAsciiKept", "[x](https://b\u00fccher.example/\u00e9)"sv, "<a href=\"https://b\u00fccher.example/\u00e9\">x</a>"sv},
        MarkupCase{"Reference", "[a][r]\n\n[r]: http://x.org \"t\""sv, "<a href=\"http://x.org\">a</a>"sv},
        // StyledText ignores <a> without a target yet pops a format at </a>,
        // which would end the bold early; so no tag at all.
        MarkupCase{"EmptyDestination", "**[x]() y**"sv, "<b>x y</b>"sv},
        MarkupCase{"FormattingInside", "[*a* **b** ~~c~~ `d`](u)"sv, "<a href=\"u\"><i>a</i> <b>b</b> <s>c</s> d</a>"sv},
        MarkupCase{"InsideStrong", "**see [a](u)**"sv, "<b>see <a href=\"u\">a</a></b>"sv},
        MarkupCase{"UrlAutolink", "<https://x.org/a?b=1&c=2>"sv, "<a href=\"https://x.org/a?b=1&c=2\">https://x.org/a?b=1&amp;c=2</a>"sv},
        MarkupCase{"EmailAutolink", "<me@x.org>"sv, "<a href=\"mailto:me@x.org\">me@x.org</a>"sv},
        MarkupCase{"BareUrlIsText", "see https://x.org"sv, "see https://x.org"sv}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Emphasis, DescriptionMarkup,
    testing::Values(
        MarkupCase{"AllKinds", "*a* _b_ **c** __d__ ***e*** ~~f~~"sv,
                   "<i>a</i> <i>b</i> <b>c</b> <b>d</b> <i><b>e</b></i> <s>f</s>"sv},
        // StyledText has no monospace tag; <code> would be dropped by it anyway.
        MarkupCase{"CodeSpanIsPlain", "`a <b> & *c*`"sv, "a &lt;b&gt; &amp; *c*"sv},
        MarkupCase{"CodeSpanBacktick", "``a ` b``"sv, "a ` b"sv},
        MarkupCase{"Unmatched", "*a **b"sv, "*a **b"sv},
        MarkupCase{"Intraword", "snake_case_name"sv, "snake_case_name"sv}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Images, DescriptionMarkup,
    testing::Values(
        MarkupCase{"AltText", "a ![b](i.png \"t\") c"sv, "a b c"sv},
        MarkupCase{"AltIsPlain", "![*em* **alt** [l](u)](i.png)"sv, "em alt l"sv},
        MarkupCase{"InsideLink", "[![alt](i.png)](u)"sv, "<a href=\"u\">alt</a>"sv},
        MarkupCase{"NoAlt", "![](i.png)"sv, ""sv}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    RawHtml, DescriptionMarkup,
    testing::Values(
        MarkupCase{"Image", "a <img src=\"x.png\"> b"sv, "a b"sv},
        MarkupCase{"ImageHandler", "<img src=x onerror=alert(1)>hi"sv, "hi"sv},
        // Tags StyledText knows are dropped too: only Markdown makes tags.
        MarkupCase{"KnownTags", "<b>bold</b> <i>it</i> <a href=\"http://x\">t</a>"sv, "bold it t"sv},
        MarkupCase{"ScriptContent", "a <script>alert(1)</script> b"sv, "a b"sv},
        MarkupCase{"ScriptAnyCase", "<SCRIPT type=\"x\">a *b*</Script>c"sv, "c"sv},
        MarkupCase{"StyleContent", "<style>p{}</style>x"sv, "x"sv},
        MarkupCase{"UnclosedScriptEndsWithBlock", "a <style> b\n\nc"sv, "a c"sv},
        // A description is a piece of a line, so a leading block tag keeps its text.
        MarkupCase{"LeadingBlockTag", "<p>Great site</p>"sv, "Great site"sv},
        MarkupCase{"BlockTagLines", "<div>\nblock\n</div>"sv, "block"sv},
        MarkupCase{"Comment", "<!-- note --> x"sv, "x"sv},
        MarkupCase{"Declarations", "<!DOCTYPE html>a <?php x ?>b <![CDATA[z]]>c"sv, "a b c"sv}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Entities, DescriptionMarkup,
    testing::Values(
        MarkupCase{"NamedAndNumeric", "&copy; &#169; &#xA9; &eacute; &mdash; &apos;"sv, "\u00a9 \u00a9 \u00a9 \u00e9 \u2014 '"sv},
        MarkupCase{"DecodedMarkupStaysText", "&lt;b&gt; &#60;img&#62; &quot;"sv, "&lt;b&gt; &lt;img&gt; &quot;"sv},
        MarkupCase{"EscapedAmpersand", "&amp;lt;"sv, "&amp;lt;"sv},
        MarkupCase{"NoBreakSpace", "a&nbsp;b"sv, "a&nbsp;b"sv},
        MarkupCase{"UnknownNameIsText", "&bogus;"sv, "&amp;bogus;"sv},
        MarkupCase{"NoCharacter", "&#0; &#xD800; &#1114112;"sv, "\uFFFD \uFFFD \uFFFD"sv},
        MarkupCase{"BackslashBlocksEntity", "\\&amp;"sv, "&amp;amp;"sv}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    BackslashEscapes, DescriptionMarkup,
    testing::Values(
        MarkupCase{"Punctuation", "\\*not\\* \\_x\\_ \\[a\\](b) \\`c\\`"sv, "*not* _x_ [a](b) `c`"sv},
        MarkupCase{"AngleBrackets", "\\<b\\>"sv, "&lt;b&gt;"sv},
        MarkupCase{"Literal", "a\\b \\\\"sv, "a\\b \\"sv}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Blocks, DescriptionMarkup,
    testing::Values(
        MarkupCase{"Paragraphs", "p1\n\np2\n\n\np3"sv, "p1 p2 p3"sv},
        MarkupCase{"SoftAndHardBreaks", "a\nb  \nc\\\nd"sv, "a b c d"sv},
        MarkupCase{"SpanAfterBreak", "*a*\n*b*"sv, "<i>a</i> <i>b</i>"sv},
        MarkupCase{"Headings", "# Title\ntext\n\nSub\n---"sv, "Title text Sub"sv},
        MarkupCase{"Lists", "- a\n- *b*\n\n1. c"sv, "a <i>b</i> c"sv},
        MarkupCase{"Quote", "> quoted\n> more"sv, "quoted more"sv},
        MarkupCase{"FencedCode", "```sh\ncode <x>\n  block\n```"sv, "code &lt;x&gt; block"sv},
        MarkupCase{"IndentedCode", "    indented & code"sv, "indented &amp; code"sv},
        MarkupCase{"Rule", "a\n\n***\n\nb"sv, "a b"sv}),
    caseName);

TEST(DescriptionMarkupInput, InvalidUtf8GivesNothing)
{
    for (const std::string_view bad : {"\xff"sv, "ok \xc3"sv, "\xc0\xaf"sv, "\xed\xa0\x80"sv, "\xf4\x90\x80\x80"sv,
                                       "[a](http://x/\xfe)"sv}) {
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

// Guards the property test below against a checker that lets everything pass.
TEST(DescriptionMarkupProperty, FaultCheckerRejectsUnsafeText)
{
    for (const std::string_view bad :
         {"<img src=\"x\">"sv, "<b>x"sv, "<b><i>x</b></i>"sv, "</a>"sv, "<code>x</code>"sv, "<a href='x'>y</a>"sv,
          "<a href=\"x\" onclick=\"y\">z</a>"sv, "<a href=\"x y\">z</a>"sv, "a > b"sv, "AT&T"sv, "&copy;"sv,
          "<a href=\"u\"><a href=\"v\">x</a></a>"sv, "<font color=\"red\">x</font>"sv}) {
        EXPECT_NE(styledTextFault(bad), "") << bad;
    }
    EXPECT_EQ(styledTextFault("<a href=\"u?a=1&b=2\"><i>a&amp;b</i> <b>&lt;c&gt;</b></a> <s>d</s>&nbsp;"), "");
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

std::string randomMarkdown(std::mt19937& random)
{
    std::uniform_int_distribution<std::size_t> pieceCount(1, 40);
    std::uniform_int_distribution<std::size_t> piece(0, markdownPieces.size() - 1);
    std::string markdown;
    for (std::size_t n = pieceCount(random); n > 0; --n) markdown += markdownPieces[piece(random)];
    return markdown;
}

TEST(DescriptionMarkupProperty, RandomMarkdownOnlyMakesSafeBalancedTags)
{
    std::mt19937 random(20240611);
    int withLink = 0;
    int withFormat = 0;
    for (int n = 0; n < 20000; ++n) {
        const std::string markdown = randomMarkdown(random);
        const std::optional<std::string> styled = descriptionStyledText(markdown);
        ASSERT_TRUE(styled.has_value()) << testing::PrintToString(markdown);
        ASSERT_EQ(styled->find("<img"), std::string::npos) << testing::PrintToString(markdown);
        ASSERT_EQ(styledTextFault(*styled), "") << testing::PrintToString(markdown) << "\n-> " << *styled;
        if (styled->find("<a ") != std::string::npos) ++withLink;
        if (styled->find("<i>") != std::string::npos || styled->find("<b>") != std::string::npos) ++withFormat;
    }
    // The inputs have to exercise the tag-writing paths, not just escaping.
    EXPECT_GT(withLink, 200);
    EXPECT_GT(withFormat, 1000);
}

TEST(DescriptionMarkupProperty, PlainWordsComeThroughWithSingleSpaces)
{
    constexpr std::array words = {"alpha"sv, "B2"sv, "caf\u00e9"sv, "\u6587\u5b66"sv, "x"sv, "42"sv};
    constexpr std::array gaps = {" "sv, "  "sv, "\n"sv, "\n\n"sv, "\t"sv, " \n "sv};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> wordCount(1, 12);
    std::uniform_int_distribution<std::size_t> word(0, words.size() - 1);
    std::uniform_int_distribution<std::size_t> gap(0, gaps.size() - 1);
    for (int n = 0; n < 2000; ++n) {
        std::string markdown;
        std::string expected;
        for (std::size_t count = wordCount(random); count > 0; --count) {
            const std::string_view w = words[word(random)];
            markdown.append(gaps[gap(random)]).append(w);
            expected.append(expected.empty() ? "" : " ").append(w);
        }
        markdown += gaps[gap(random)];
        EXPECT_EQ(descriptionStyledText(markdown), expected) << testing::PrintToString(markdown);
    }
}

// The end of a long text, to say how it differs.
std::string tail(std::string_view text)
{
    return testing::PrintToString(std::string(text.substr(text.size() - std::min<std::size_t>(text.size(), 16))));
}

// However long a description is, a bounded prefix of it is rendered, in time
// that does not grow with it, and the start reads as the whole would.
TEST(DescriptionMarkupLimits, LongDescriptionsRenderABoundedPrefix)
{
    const std::string unit = "[link](http://x.org/?a=1&b=2) *em* **b** `c` <b>x</b> &copy; ![i](j) ";
    std::string typical;
    while (typical.size() < 20'000'000) typical += unit;
    const std::string brackets(20'000'000, '[');

    for (const std::string_view markdown : {std::string_view(typical), std::string_view(brackets)}) {
        const auto start = std::chrono::steady_clock::now();
        const std::optional<std::string> styled = descriptionStyledText(markdown);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        ASSERT_TRUE(styled.has_value());
        // Rendering all 20 MB takes one to four seconds; the prefix well under a millisecond.
        EXPECT_LT(elapsed, std::chrono::milliseconds(250));
        EXPECT_LT(styled->size(), 8 * kDescriptionRenderLimit);
        EXPECT_EQ(styledTextFault(*styled), "") << tail(*styled);
    }
    EXPECT_TRUE(descriptionStyledText(typical)->starts_with(*descriptionStyledText(unit)));
    EXPECT_TRUE(descriptionStyledText(brackets) == std::string(kDescriptionRenderLimit, '['));
}

TEST(DescriptionMarkupLimits, CutsWhereAUserPerceivedCharacterEnds)
{
    const std::string filler(kDescriptionRenderLimit - 1, 'a');
    const std::string shorter(kDescriptionRenderLimit - 5, 'a');
    std::string marks;
    for (int i = 0; i < 3000; ++i) marks += "\u0301";
    const struct {
        const char* name;
        std::string markdown;
        std::string styled;
    } cases[] = {
        {"a character ends at the limit", filler + "b c", filler + "b"},
        {"the limit inside a two-byte character", filler + "\u00e9 c", filler},
        {"a combining mark after the limit", filler + "e\u0301 c", filler},
        {"a flag of two regional indicators", shorter + "\U0001F1F8\U0001F1EA c", shorter},
        {"one cluster longer than the limit, cut at a code point", "e" + marks, "e" + marks.substr(0, 2047 * 2)},
    };
    for (const auto& c : cases) {
        const std::string styled = descriptionStyledText(c.markdown).value_or("(nothing)");
        EXPECT_TRUE(styled == c.styled) << c.name << ": " << styled.size() << " bytes, ending " << tail(styled);
    }
}

} // namespace
} // namespace kavo::screens
