// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/link_scanner.h"

#include <cstring>

namespace kavo {
namespace {

constexpr std::size_t npos = std::string_view::npos;

std::size_t find(std::string_view text, char c, std::size_t from)
{
    if (from >= text.size()) return npos;
    const void* hit = std::memchr(text.data() + from, c, text.size() - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : npos;
}

// Offset of the next "(" or ")" at or after `from`, or npos.
std::size_t findParen(std::string_view text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '(' || text[i] == ')') return i;
    }
    return npos;
}

/*
 * The target of a link that opens with "(" at `open - 1`: returns the offset
 * of the ")" that closes it, or npos when no match exists at this opening.
 *
 * Reading the pattern's greedy loop (?:[^()]*|\([^()]*\))* followed by \):
 * other characters are consumed freely; a ")" outside a pair ends the target
 * (the loop cannot take it, the final \) must); a "(" must be closed by a ")"
 * before any other parenthesis, and if it is not, no shorter choice helps,
 * because the only ")" the loop consumed sit inside pairs it needed whole.
 */
std::size_t closeTarget(std::string_view text, std::size_t open)
{
    std::size_t i = open;
    for (;;) {
        i = findParen(text, i);
        if (i == npos) return npos;
        if (text[i] == ')') return i;
        const std::size_t inner = findParen(text, i + 1);
        if (inner == npos || text[inner] == '(') return npos;
        i = inner + 1;
    }
}

} // namespace

/*
 * A match can only start at a "[". Its name runs to the first "]" after it
 * ([^\]]+ cannot pass one), must be non-empty, and must be followed by "(".
 * Every "[" before the same "]" therefore shares the same target scan, which
 * is done once and remembered, so a line of many "[" stays linear.
 */
std::vector<LinkMatch> findLinks(std::string_view line)
{
    std::vector<LinkMatch> matches;
    findLinks(line, matches);
    return matches;
}

void findLinks(std::string_view line, std::vector<LinkMatch>& matches, std::size_t maxMatches)
{
    matches.clear();
    std::size_t closeBracket = npos;  // first "]" after the current start
    std::size_t scannedBracket = npos; // the "]" whose target was last scanned
    std::size_t scannedClose = npos;   // that scan's result

    std::size_t start = find(line, '[', 0);
    while (start != npos && matches.size() < maxMatches) {
        if (closeBracket == npos || closeBracket <= start) {
            closeBracket = find(line, ']', start + 1);
            if (closeBracket == npos) break; // no later "[" can match either
        }
        const bool hasName = closeBracket > start + 1;
        const bool opensTarget = closeBracket + 1 < line.size() && line[closeBracket + 1] == '(';
        if (hasName && opensTarget) {
            if (scannedBracket != closeBracket) {
                scannedBracket = closeBracket;
                scannedClose = closeTarget(line, closeBracket + 2);
            }
            if (scannedClose != npos) {
                matches.push_back(LinkMatch{
                    start,
                    scannedClose + 1,
                    line.substr(start + 1, closeBracket - start - 1),
                    line.substr(closeBracket + 2, scannedClose - closeBracket - 2),
                });
                start = find(line, '[', scannedClose + 1);
                continue;
            }
        }
        start = find(line, '[', start + 1);
    }
}

} // namespace kavo
