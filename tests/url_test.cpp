// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/url.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

struct UrlCase {
    const char* text;
    bool accepted;
};

void PrintTo(const UrlCase& c, std::ostream* out)
{
    *out << '"' << c.text << '"';
}

class UrlAcceptance : public testing::TestWithParam<UrlCase> {};

TEST_P(UrlAcceptance, DecidesAndKeepsTextUnchanged)
{
    const UrlCase& c = GetParam();
    const std::optional<Url> url = Url::parse(c.text);
    ASSERT_EQ(url.has_value(), c.accepted) << c.text;
    if (url) {
        EXPECT_EQ(url->text(), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boundary, UrlAcceptance,
    testing::Values(
        // absolute and relative references, as written in the page
        UrlCase{"https://example.org/books?page=2#top", true}, UrlCase{"/alpha", true}, UrlCase{"../x", true},
        UrlCase{"mailto:a@b", true}, UrlCase{"#section", true}, UrlCase{"?q=1", true}, UrlCase{"//cdn.example", true},
        UrlCase{"https://example.org/Film_(1927)", true}, UrlCase{"https://[2001:db8::1]:8080/", true},
        UrlCase{"https://example.org/%E2%82%AC", true}, UrlCase{"urn:isbn:0451450523", true},
        // IRIs: non-ASCII letters where the grammar allows ordinary letters
        UrlCase{"https://example.org/caf\u00e9/cr\u00e8me", true}, UrlCase{"https://b\u00fccher.example/", true},
        UrlCase{"https://example.org/\u6587\u5b66?q=\u97f3", true}, UrlCase{"https://example.org/#\u00e9t\u00e9", true},
        // refused: empty, white space, controls, outside the grammar
        UrlCase{"", false}, UrlCase{" ", false}, UrlCase{"https://example.org/a b", false},
        UrlCase{"https://example.org/\ta", false}, UrlCase{"https://example.org/\u00a0", false},
        UrlCase{"https://example.org/\u3000x", false}, UrlCase{"https://example.org/\u0085", false},
        UrlCase{"https://example.org/\x01", false}, UrlCase{"https://example.org/a|b", false},
        UrlCase{"https://example.org/<x>", false}, UrlCase{"https://example.org/%zz", false},
        UrlCase{"https://example.org/%4", false}, UrlCase{"https://example.org/?a[]=1", false},
        UrlCase{"https://exa mple.org", false}, UrlCase{"1abc:x", false}, UrlCase{"https://h:80x/", false},
        UrlCase{"\u00e9:x", false}, UrlCase{"https://[\u00e9]/", false}, UrlCase{"https://example.org/\xff", false},
        UrlCase{"https://example.org/\ue000", false}),
    [](const testing::TestParamInfo<UrlCase>& param) {
        return (param.param.accepted ? "Accepts" : "Refuses") + std::to_string(param.index);
    });

} // namespace
} // namespace kavo
