// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/unicode_text.h"

#include <simdjson.h>
#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace kavo::text {
namespace {

const std::uint8_t* bytesOf(std::string_view text)
{
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

bool isTrimmedSpace(UChar32 c)
{
    return c == '\t' || c == ' ' || (c >= 0x80 && u_charType(c) == U_SPACE_SEPARATOR);
}

// Length in bytes of the line break starting at `pos`, or 0.
std::size_t lineBreakLength(std::string_view text, std::size_t pos)
{
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c >= 0x0A && c <= 0x0D) return 1;
    if (c == 0xC2 && pos + 1 < text.size() && static_cast<unsigned char>(text[pos + 1]) == 0x85) return 2;
    if (c == 0xE2 && pos + 2 < text.size() && static_cast<unsigned char>(text[pos + 1]) == 0x80) {
        const auto third = static_cast<unsigned char>(text[pos + 2]);
        if (third == 0xA8 || third == 0xA9) return 3;
    }
    return 0;
}

// Whether any byte of the word could start a line break: below 0x0E, or one
// of the lead bytes 0xC2 (NEL) and 0xE2 (LS, PS). Exact for "none", so eight
// bytes of ordinary text are passed over at once.
bool mayHoldBreak(std::uint64_t word)
{
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t highs = 0x8080808080808080ULL;
    const std::uint64_t below = (word - ones * 0x0E) & ~word & highs;
    const std::uint64_t c2 = word ^ (ones * 0xC2);
    const std::uint64_t e2 = word ^ (ones * 0xE2);
    const std::uint64_t leads = ((c2 - ones) & ~c2 & highs) | ((e2 - ones) & ~e2 & highs);
    return (below | leads) != 0;
}

} // namespace

bool LineReader::next(std::string_view& line, std::size_t& lineNumber)
{
    if (done_) return false;
    const std::size_t start = pos_;
    lineNumber = countedBreaks_ + 1;
    std::size_t i = start;
    while (i < text_.size()) {
        // Eight bytes of ordinary text are passed over at once; a word that may
        // hold a break is looked at byte by byte.
        std::size_t end = text_.size();
        if (i + 8 <= text_.size()) {
            std::uint64_t word;
            std::memcpy(&word, text_.data() + i, sizeof word);
            if (!mayHoldBreak(word)) {
                i += 8;
                continue;
            }
            end = i + 8;
        }
        for (; i < end; ++i) {
            const auto c = static_cast<unsigned char>(text_[i]);
            if (c > 0x0D && c != 0xC2 && c != 0xE2) continue;
            const std::size_t breakLength = lineBreakLength(text_, i);
            if (breakLength == 0) continue;
            // CR LF is one break for an editor's line count, though it yields two lines.
            if (!(c == '\n' && i > 0 && text_[i - 1] == '\r')) ++countedBreaks_;
            line = text_.substr(start, i - start);
            pos_ = i + breakLength;
            return true;
        }
    }
    line = text_.substr(start);
    done_ = true;
    return true;
}

std::string_view trim(std::string_view text)
{
    const std::uint8_t* bytes = bytesOf(text);
    auto length = static_cast<std::int32_t>(text.size());
    std::int32_t begin = 0;
    while (begin < length) {
        if (bytes[begin] < 0x80) {
            if (bytes[begin] != ' ' && bytes[begin] != '\t') break;
            ++begin;
            continue;
        }
        std::int32_t next = begin;
        UChar32 c;
        U8_NEXT(bytes, next, length, c);
        if (!isTrimmedSpace(c)) break;
        begin = next;
    }
    std::int32_t end = length;
    while (end > begin) {
        if (bytes[end - 1] < 0x80) {
            if (bytes[end - 1] != ' ' && bytes[end - 1] != '\t') break;
            --end;
            continue;
        }
        std::int32_t previous = end;
        UChar32 c;
        U8_PREV(bytes, begin, previous, c);
        if (!isTrimmedSpace(c)) break;
        end = previous;
    }
    return text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
}

bool extendsCluster(std::string_view text, std::size_t offset)
{
    auto position = static_cast<std::int32_t>(offset);
    UChar32 next;
    U8_NEXT(bytesOf(text), position, static_cast<std::int32_t>(text.size()), next);
    if (next < 0) return false; // ill-formed bytes never join a cluster
    switch (u_getIntPropertyValue(next, UCHAR_GRAPHEME_CLUSTER_BREAK)) {
    case U_GCB_EXTEND:
    case U_GCB_ZWJ:
    case U_GCB_SPACING_MARK:
        return true;
    default:
        return false;
    }
}

std::string toLower(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    appendLower(result, text);
    return result;
}

void appendLower(std::string& out, std::string_view text)
{
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        for (char c : text) out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c);
        return;
    }
    icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())))
        .toLower(icu::Locale::getRoot())
        .toUTF8String(out);
}

bool isValidUtf8(std::string_view text)
{
    return simdjson::validate_utf8(text.data(), text.size());
}

std::string toValidUtf8(std::string_view text)
{
    if (isValidUtf8(text)) return std::string(text);
    std::string result;
    result.reserve(text.size() + 16);
    const std::uint8_t* bytes = bytesOf(text);
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        if (bytes[i] < 0x80) {
            result.push_back(static_cast<char>(bytes[i++]));
            continue;
        }
        const std::int32_t start = i;
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) result += "\xEF\xBF\xBD";
        else result.append(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
    }
    return result;
}

/*
 * The boundary rules look at one character to the right of a boundary, so
 * the break iterator is given the prefix and the character that starts at or
 * holds byte `maxBytes`, and nothing more: the cost is bounded by the limit,
 * whatever the text's length. A prefix that is all one cluster (a base with
 * thousands of marks) is cut at a code point instead.
 */
std::string_view leadingCharacters(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes) return text;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    auto codePointStart = static_cast<std::int32_t>(maxBytes);
    U8_SET_CP_START(bytes, 0, codePointStart);
    std::int32_t windowEnd = codePointStart;
    UChar32 next = 0;
    U8_NEXT(bytes, windowEnd, static_cast<std::int32_t>(text.size()), next);

    std::int32_t cut = 0;
    UErrorCode status = U_ZERO_ERROR;
    UText* window = utext_openUTF8(nullptr, text.data(), windowEnd, &status);
    const std::unique_ptr<icu::BreakIterator> characters(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_SUCCESS(status)) {
        characters->setText(window, status);
        if (U_SUCCESS(status)) cut = characters->preceding(windowEnd);
    }
    utext_close(window);
    if (cut <= 0) cut = codePointStart;
    return text.substr(0, static_cast<std::size_t>(cut));
}

} // namespace kavo::text
