// SPDX-License-Identifier: GPL-3.0-or-later
// The link scanner finds exactly the matches RE2 finds for the link pattern.
#include "catalog/link_scanner.h"

#include <re2/re2.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const RE2 pattern(R"(\[([^\]]+)\]\(((?:[^()]*|\([^()]*\))*)\))", RE2::Latin1);
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::vector<kavo::LinkMatch> found = kavo::findLinks(line);

    std::size_t next = 0;
    std::size_t count = 0;
    re2::StringPiece groups[3];
    while (next <= line.size() &&
           pattern.Match(re2::StringPiece(line.data(), line.size()), next, line.size(), RE2::UNANCHORED, groups, 3)) {
        if (count >= found.size()) std::abort();
        const kavo::LinkMatch& match = found[count++];
        const auto begin = static_cast<std::size_t>(groups[0].data() - line.data());
        if (match.begin != begin || match.end != begin + groups[0].size() ||
            match.name.data() != groups[1].data() || match.name.size() != groups[1].size() ||
            match.target.data() != groups[2].data() || match.target.size() != groups[2].size()) {
            std::abort();
        }
        next = match.end;
    }
    if (count != found.size()) std::abort();
    return 0;
}
