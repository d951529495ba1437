// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/unicode_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kavo::text {
namespace {

std::vector<std::pair<std::size_t, std::string>> linesOf(std::string_view text)
{
    std::vector<std::pair<std::size_t, std::string>> lines;
    LineReader reader(text);
    std::string_view line;
    std::size_t number = 0;
    while (reader.next(line, number)) lines.emplace_back(number, std::string(line));
    return lines;
}

using Lines = std::vector<std::pair<std::size_t, std::string>>;

TEST(LineReader, SplitsAtEachOfTheSevenBreaksSeparately)
{
    EXPECT_EQ(linesOf(""), (Lines{{1, ""}}));
    EXPECT_EQ(linesOf("a\nb\n"), (Lines{{1, "a"}, {2, "b"}, {3, ""}}));
    // CR LF gives an extra empty line, but editors count it as one break.
    EXPECT_EQ(linesOf("a\r\nb\r\n"), (Lines{{1, "a"}, {2, ""}, {2, "b"}, {3, ""}, {3, ""}}));
    EXPECT_EQ(linesOf("a\rb\vc\fd\u0085e\u2028f\u2029g"),
              (Lines{{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}, {6, "f"}, {7, "g"}}));
    // Neighbours of the multi-byte breaks are not breaks.
    EXPECT_EQ(linesOf("\u00a0\u2027\u202a"), (Lines{{1, "\u00a0\u2027\u202a"}}));
    EXPECT_EQ(linesOf(std::string("a\xc2", 2)), (Lines{{1, std::string("a\xc2", 2)}}));
}

TEST(Trim, RemovesTabAndSpaceSeparatorsOnly)
{
    const std::pair<std::string, std::string> cases[] = {
        {" \ta b\t ", "a b"},
        {"\u00a0\u2003a\u3000\u202f", "a"},
        {"   ", ""},
        // not space separators: zero-width space, BOM, controls, line breaks
        {"\u200ba\ufeff", "\u200ba\ufeff"},
        {"\x01 a \n", "\x01 a \n"},
        // a combining mark after a space keeps the mark
        {" \u0301a", "\u0301a"},
    };
    for (const auto& [input, expected] : cases) EXPECT_EQ(trim(input), expected) << input;
}

TEST(StartsWith, ComparesUserPerceivedCharacters)
{
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"* [a](b)", "* ", true},
        {"* \u0301[a](b)", "* ", false},    // the space carries a combining mark
        {"\u21aa\ufe0f x", "\u21aa", false}, // marker plus variation selector is another character
        {"\u2b50\u200d\u2b50", "\u2b50", false}, // joined by ZWJ
        {"\U0001F310x", "\U0001F310", true},
        {"#\u0903", "#", false}, // spacing mark
        {"#", "##", false},
    };
    for (const auto& [text, prefix, expected] : cases) EXPECT_EQ(startsWith(text, prefix), expected) << text << " / " << prefix;
}

TEST(ToLower, FullUnicodeLowercasingWithoutLocaleRules)
{
    const std::pair<std::string, std::string> cases[] = {
        {"AZ az 09 Z", "az az 09 z"}, // the "Z" after the first eight bytes takes the byte-wise path
        {"\u0130stanbul", "i\u0307stanbul"}, // dotted capital I: root locale, not Turkish
        {"STRASSE \u00c4\u00d6\u00dc", "strasse \u00e4\u00f6\u00fc"},
        {"\u03a3\u039f\u03a6\u039f\u03a3 \u6587", "\u03c3\u03bf\u03c6\u03bf\u03c2 \u6587"}, // word-final sigma
    };
    for (const auto& [input, expected] : cases) EXPECT_EQ(toLower(input), expected) << input;
    // ASCII is lowered eight bytes at a time: every byte at every place in such a step; only A-Z change.
    for (std::size_t shift = 0; shift < 8; ++shift) {
        std::string ascii(shift, '.');
        std::string expected = ascii;
        for (char c = 0; c >= 0; ++c) {
            ascii += c;
            expected += c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        }
        EXPECT_EQ(toLower(ascii), expected) << shift;
    }
}

TEST(Utf8, IllFormedSequencesBecomeReplacementCharacters)
{
    EXPECT_TRUE(isValidUtf8("caf\u00e9 \U0001F310"));
    EXPECT_FALSE(isValidUtf8("\xff"));
    EXPECT_EQ(toValidUtf8("ok \u00e9"), "ok \u00e9");
    EXPECT_EQ(toValidUtf8("a\xff" "b"), "a\ufffd" "b");
    EXPECT_EQ(toValidUtf8("\xe2\x82"), "\ufffd");                // truncated sequence: one maximal subpart
    EXPECT_EQ(toValidUtf8("\xed\xa0\x80"), "\ufffd\ufffd\ufffd"); // encoded surrogate
    EXPECT_EQ(toValidUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_TRUE(isValidUtf8(toValidUtf8("\xc0\xaf\xf8\x88\x80\x80\x80 x")));
}

} // namespace
} // namespace kavo::text
