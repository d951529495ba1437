// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kavo {

/// A link target that passed URL acceptance, kept exactly as written.
///
/// Accepted: every RFC 3986 URI reference, relative references included
/// ("/alpha", "../x", "mailto:a@b", "#top"), and the same with non-ASCII letters
/// where RFC 3987 allows them (IRIs), so accented paths stay usable.
/// Rejected: the empty string, any white space or control character, stray
/// "%" and characters outside the grammar ("<", "|", "[" outside a host literal…).
/// Equality is equality of the text, not a semantic comparison.
class Url {
public:
    [[nodiscard]] static std::optional<Url> parse(std::string_view text);

    /// True when `parse` would accept `text`; does not copy.
    [[nodiscard]] static bool isAcceptable(std::string_view text);

    [[nodiscard]] const std::string& text() const { return text_; }

    friend bool operator==(const Url&, const Url&) = default;

private:
    explicit Url(std::string text) : text_(std::move(text)) {}
    std::string text_;
};

} // namespace kavo
