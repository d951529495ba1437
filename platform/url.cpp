// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/url.h"

#include <uriparser/Uri.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

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

// uriparser allocates a node per path segment. A page has tens of thousands
// of links, so each check takes its memory from a small stack arena instead
// of the heap; only unusually long URLs spill over to malloc.
class ScratchArena {
public:
    ScratchArena()
    {
        manager_.malloc = &ScratchArena::allocate;
        manager_.calloc = &uriEmulateCalloc;
        manager_.realloc = &ScratchArena::reallocate;
        manager_.reallocarray = &uriEmulateReallocarray;
        manager_.free = &ScratchArena::release;
        manager_.userData = this;
    }
    ScratchArena(const ScratchArena&) = delete;
    ScratchArena& operator=(const ScratchArena&) = delete;

    UriMemoryManager* manager() { return &manager_; }

private:
    static ScratchArena& of(UriMemoryManager* manager) { return *static_cast<ScratchArena*>(manager->userData); }

    bool owns(const void* pointer) const
    {
        const auto* byte = static_cast<const unsigned char*>(pointer);
        return byte >= buffer_ && byte < buffer_ + sizeof buffer_;
    }

    static void* allocate(UriMemoryManager* manager, size_t size)
    {
        ScratchArena& arena = of(manager);
        const size_t rounded = (size + 15) & ~size_t{15};
        if (size == 0 || rounded > sizeof arena.buffer_ - arena.used_) return std::malloc(size);
        void* block = arena.buffer_ + arena.used_;
        arena.used_ += rounded;
        return block;
    }

    static void* reallocate(UriMemoryManager* manager, void* pointer, size_t size)
    {
        ScratchArena& arena = of(manager);
        if (pointer == nullptr || !arena.owns(pointer)) return std::realloc(pointer, size);
        void* moved = allocate(manager, size);
        if (moved == nullptr) return nullptr;
        // Blocks are contiguous, so the old block ends at most where the arena's use ends.
        const auto available = static_cast<size_t>(arena.buffer_ + arena.used_ - static_cast<unsigned char*>(pointer));
        std::memmove(moved, pointer, std::min(size, available));
        return moved;
    }

    static void release(UriMemoryManager* manager, void* pointer)
    {
        if (!of(manager).owns(pointer)) std::free(pointer);
    }

    UriMemoryManager manager_{};
    alignas(16) unsigned char buffer_[4096];
    size_t used_ = 0;
};

bool parsesAsUriReference(std::string_view ascii)
{
    ScratchArena arena;
    UriUriA uri;
    const char* errorPos = nullptr;
    const int status =
        uriParseSingleUriExMmA(&uri, ascii.data(), ascii.data() + ascii.size(), &errorPos, arena.manager());
    if (status != URI_SUCCESS) return false;
    uriFreeUriMembersMmA(&uri, arena.manager());
    return true;
}

// ---------------------------------------------------------------------------
// The common shape, checked in one pass
// ---------------------------------------------------------------------------

// RFC 3986 character classes by byte. Each class holds the one before it.
enum CharClass : std::uint8_t {
    kRegName = 1,  // unreserved and sub-delims: a host name
    kPathChar = 2, // pchar (reg-name, ":" and "@") and "/": a path
    kQueryChar = 4 // the path's, and "?": a query or fragment
};

constexpr std::array<std::uint8_t, 256> kCharClasses = [] {
    std::array<std::uint8_t, 256> table{};
    auto add = [&table](std::string_view chars, std::uint8_t classes) {
        for (char c : chars) table[static_cast<unsigned char>(c)] |= classes;
    };
    constexpr std::uint8_t all = kRegName | kPathChar | kQueryChar;
    add("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-._~!$&'()*+,;=", all);
    add(":@/", kPathChar | kQueryChar);
    add("?", kQueryChar);
    return table;
}();

constexpr bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// At `i`, a percent-escape or a non-ASCII IRI character: both stand where an
// escape may (see Url::isAcceptable). Moves `i` past it; false when there is neither.
bool skipEscapeOrIriCharacter(std::string_view text, std::size_t& i)
{
    if (text[i] == '%') {
        if (i + 2 >= text.size() || !isHexDigit(text[i + 1]) || !isHexDigit(text[i + 2])) return false;
        i += 3;
        return true;
    }
    if (static_cast<unsigned char>(text[i]) < 0x80) return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    auto at = static_cast<std::int32_t>(i);
    UChar32 c;
    U8_NEXT(bytes, at, static_cast<std::int32_t>(text.size()), c);
    if (c < 0 || !isIriCharacter(c)) return false;
    i = static_cast<std::size_t>(at);
    return true;
}

/*
 * Nearly every link on a page is "scheme://host[:port][/path][?query][#fragment]"
 * with a plain host name. That shape is checked here in one pass over a
 * table of RFC 3986's character classes; true means the text is a URI (or
 * IRI) reference. False means only "not certainly": user info, IP literals,
 * relative references, other schemes' forms and every invalid text go to the
 * full grammar, which decides.
 */
bool isPlainHierarchicalUri(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t size = text.size();
    const auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (size == 0 || !isAlpha(text[0])) return false;
    while (i < size && (isAlpha(text[i]) || (text[i] >= '0' && text[i] <= '9') || text[i] == '+' || text[i] == '-' ||
                        text[i] == '.')) {
        ++i;
    }
    if (text.substr(i, 3) != "://") return false;
    i += 3;
    while (i < size) {
        if (kCharClasses[static_cast<unsigned char>(text[i])] & kRegName) ++i;
        else if (!skipEscapeOrIriCharacter(text, i)) break;
    }
    if (i < size && text[i] == ':') {
        ++i;
        while (i < size && text[i] >= '0' && text[i] <= '9') ++i;
    }
    if (i < size && text[i] != '/' && text[i] != '?' && text[i] != '#') return false;
    std::uint8_t allowed = kPathChar; // then the query's characters, which the fragment shares
    bool inFragment = false;
    while (i < size) {
        const char c = text[i];
        if (kCharClasses[static_cast<unsigned char>(c)] & allowed) {
            ++i;
        } else if (c == '?' || (c == '#' && !inFragment)) {
            inFragment = c == '#';
            allowed = kQueryChar;
            ++i;
        } else if (!skipEscapeOrIriCharacter(text, i)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool Url::isAcceptable(std::string_view text)
{
    if (text.empty()) return false;
    if (isPlainHierarchicalUri(text)) return true;
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
