// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/url.h"

#include <uriparser/Uri.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>

namespace kavo {
namespace {

// RFC 3987 "ucschar": the code points an IRI may carry where an unreserved
// ASCII character is allowed. Private-use "iprivate" is only valid in a query;
// rejecting it everywhere is the simple and safe choice.
bool isIriCharacter(UChar32 c)
{
    if (c < 0xA0) return false;
    if (u_isUWhiteSpace(c) || u_iscntrl(c)) return false;
    if (c <= 0xD7FF) return true;
    if (c >= 0xF900 && c <= 0xFDCF) return true;
    if (c >= 0xFDF0 && c <= 0xFFEF) return true;
    if (c >= 0x10000 && c <= 0xEFFFD) return (c & 0xFFFF) <= 0xFFFD;
    return false;
}

bool parsesAsUriReference(std::string_view ascii)
{
    UriUriA uri;
    const char* errorPos = nullptr;
    const int status = uriParseSingleUriExA(&uri, ascii.data(), ascii.data() + ascii.size(), &errorPos);
    if (status != URI_SUCCESS) return false;
    uriFreeUriMembersA(&uri);
    return true;
}

} // namespace

bool Url::isAcceptable(std::string_view text)
{
    if (text.empty()) return false;
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) return parsesAsUriReference(text);

    // An IRI is checked by mapping each non-ASCII code point to a percent-escape:
    // percent-escapes are allowed exactly where RFC 3987 allows ucschar (user
    // info, host names, path, query, fragment) and nowhere else (scheme, port,
    // IP literals), so the URI grammar then decides the rest.
    std::string mapped;
    mapped.reserve(text.size() + 8);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        if (bytes[i] < 0x80) {
            mapped.push_back(static_cast<char>(bytes[i++]));
            continue;
        }
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0 || !isIriCharacter(c)) return false;
        mapped += "%80";
    }
    return parsesAsUriReference(mapped);
}

std::optional<Url> Url::parse(std::string_view text)
{
    if (!isAcceptable(text)) return std::nullopt;
    return Url(std::string(text));
}

} // namespace kavo
