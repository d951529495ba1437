// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Unicode text operations on UTF-8. Every function has an ASCII fast path and
// calls ICU only where a byte >= 0x80 is involved.
namespace kavo::text {

/// Splits text at each of the seven line-break characters (LF, VT, FF, CR,
/// NEL, LINE SEPARATOR, PARAGRAPH SEPARATOR), each one separately, so CR LF
/// yields an extra empty line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    /// Gives the next line (without its break) and its 1-based line number as
    /// an editor counts them (CR LF is one break). False at the end.
    bool next(std::string_view& line, std::size_t& lineNumber);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t countedBreaks_ = 0;
    bool done_ = false;
};

/// Removes tab and Unicode space separators (general category Zs) from both
/// ends; line breaks and other controls stay.
[[nodiscard]] std::string_view trim(std::string_view text);

/// True when `text` starts with `prefix` as user-perceived characters: the
/// bytes match and the last character of the prefix is not extended in `text`
/// by a combining mark, variation selector, ZWJ or spacing mark. For prefixes
/// made of starters (ASCII and symbols) this is grapheme-cluster comparison;
/// no character canonically decomposes into one of them, so canonical
/// equivalence adds nothing.
[[nodiscard]] inline bool startsWith(std::string_view text, std::string_view prefix);

/// Whether the character at `offset` (a byte >= 0x80) attaches to the one before it.
[[nodiscard]] bool extendsCluster(std::string_view text, std::size_t offset);

// Inline: the parser asks this of every line with a literal prefix, and the
// byte comparison then compiles to a few instructions.
inline bool startsWith(std::string_view text, std::string_view prefix)
{
    if (!text.starts_with(prefix)) return false;
    if (text.size() == prefix.size() || static_cast<unsigned char>(text[prefix.size()]) < 0x80) return true;
    return !extendsCluster(text, prefix.size());
}

/// Full Unicode lowercasing (root locale, so "I" becomes "i" and "\u0130"
/// becomes "i\u0307", and one character may become several).
[[nodiscard]] std::string toLower(std::string_view text);

/// Appends the lowercased text to `out` (no temporary for ASCII text).
void appendLower(std::string& out, std::string_view text);

/// The longest prefix of `text` of at most `maxBytes` bytes that ends where a
/// user-perceived character ends, so no accent, emoji sequence or multi-byte
/// character loses a piece; `text` itself when it is no longer.
[[nodiscard]] std::string_view leadingCharacters(std::string_view text, std::size_t maxBytes);

/// Whether `text` is well-formed UTF-8.
[[nodiscard]] bool isValidUtf8(std::string_view text);

/// `text` with each ill-formed UTF-8 subsequence replaced by U+FFFD.
[[nodiscard]] std::string toValidUtf8(std::string_view text);

} // namespace kavo::text
