// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/url.h"

#include <uriparser/Uri.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
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
