// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/url.h"

#include <gtest/gtest.h>
#include <uriparser/Uri.h>

#include <random>
#include <string>

namespace kavo {
namespace {

TEST(Url, AcceptsUriAndIriReferencesAsWritten)
{
    for (const char* text : {
             "https://example.org/books?page=2#top", "/alpha", "../x", "mailto:a@b", "#section", "?q=1", "//cdn.example",
             "https://example.org/Film_(1927)", "https://[2001:db8::1]:8080/", "https://example.org/%E2%82%AC",
             "urn:isbn:0451450523",
             // non-ASCII letters where the grammar allows ordinary ones, beyond the first plane too
             "https://example.org/caf\u00e9/cr\u00e8me", "https://b\u00fccher.example/", "https://example.org/\u6587?q=\u97f3",
             "https://example.org/#\u00e9t\u00e9", "https://example.org/\U0001F310", "https://example.org/\U00020000"}) {
        const std::optional<Url> url = Url::parse(text);
        ASSERT_TRUE(url.has_value()) << text;
        EXPECT_EQ(url->text(), text);
    }
}

TEST(Url, RefusesEmptyTextSpaceControlsAndWhatTheGrammarLacks)
{
    for (const char* text : {
             "", " ", "https://example.org/a b", "https://example.org/\ta", "https://example.org/\u00a0",
             "https://example.org/\u3000x", "https://example.org/\u0085", "https://example.org/\x01", "https://example.org/a|b",
             "https://example.org/<x>", "https://example.org/%zz", "https://example.org/%4", "https://example.org/?a[]=1",
             "https://exa mple.org", "1abc:x", "https://h:80x/", "\u00e9:x", "https://[\u00e9]/", "https://example.org/\xff",
             // private use and noncharacters, in the first plane and beyond
             "https://example.org/\ue000", "https://example.org/\ufdd0", "https://example.org/\U0001FFFE",
             "https://example.org/\U000F0000"}) {
        EXPECT_FALSE(Url::parse(text).has_value()) << text;
    }
}

// Links of the common shape are accepted in one pass of their own; the full
// grammar decides the rest. On ASCII text both must give the same verdict:
// random texts with a scheme-like start and the characters each part may or
// may not hold, compared with uriparser's own reading.
TEST(Url, CommonShapeAgreesWithTheFullGrammar)
{
    const auto grammarAccepts = [](const std::string& text) {
        UriUriA uri;
        const char* error = nullptr;
        if (uriParseSingleUriExA(&uri, text.data(), text.data() + text.size(), &error) != URI_SUCCESS) return false;
        uriFreeUriMembersA(&uri);
        return true;
    };
    const char* starts[] = {"https://", "h+1.-://", "a://", "1a://", "http:", "http:/", "", "//"};
    const char* pieces[] = {"a", "Z", "0", "9", "-", ".", "_", "~", "!", "$", "&", "'", "(", ")", "*", "+", ",",
                            ";", "=", ":", "@", "/", "?", "#", "%", "%4", "%4f", "%g0", "[", "]", " ", "|", "<",
                            "\"", "\\", "^", "`", "{", "}", "\x7f", "\x01", "//", "::", "[::1]"};
    std::mt19937 random(20);
    for (int i = 0; i < 200'000; ++i) {
        std::string text = starts[random() % std::size(starts)];
        for (auto count = random() % 10; count > 0; --count) text += pieces[random() % std::size(pieces)];
        ASSERT_EQ(Url::isAcceptable(text), !text.empty() && grammarAccepts(text)) << text;
    }
}

} // namespace
} // namespace kavo
