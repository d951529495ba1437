// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/symbols.h"

#include <array>
#include <utility>

namespace kavo::screens {
namespace {

// Symbol names as the screens speak of them, and the Material Icons glyph
// drawn for each (its ligature name in the comment).
constexpr std::array<std::pair<std::string_view, char32_t>, 38> kSymbols{{
    {"play.tv.fill", 0xe639},                 // live_tv
    {"music.note", 0xe405},                   // music_note
    {"book.fill", 0xea19},                    // menu_book
    {"gamecontroller.fill", 0xea28},          // sports_esports
    {"paintbrush.fill", 0xe3ae},              // brush
    {"wrench.fill", 0xe869},                  // build
    {"graduationcap.fill", 0xe80c},           // school
    {"bubble.left.fill", 0xe0ca},             // chat_bubble
    {"arrow.down.circle.fill", 0xf000},       // download_for_offline
    {"magnifyingglass", 0xe8b6},              // search
    {"iphone", 0xe32c},                       // smartphone
    {"desktopcomputer", 0xe30c},              // desktop_windows
    {"gamecontroller", 0xe338},               // videogame_asset
    {"folder.fill", 0xe2c7},                  // folder
    {"exclamationmark.triangle.fill", 0xe002},// warning
    {"clock", 0xe8b5},                        // schedule
    {"arrow.up.forward.app", 0xe89e},         // open_in_new
    {"star.fill", 0xe838},                    // star
    {"star", 0xe83a},                         // star_border
    {"star.slash", 0xe59a},                   // bookmark_remove
    {"globe", 0xe80b},                        // public
    {"arrow.turn.right", 0xe5da},             // subdirectory_arrow_right
    {"ellipsis", 0xe5d3},                     // more_horiz
    {"chevron.right", 0xe5cc},                // chevron_right
    {"chevron.down", 0xe5cf},                 // expand_more
    {"chevron.up", 0xe5ce},                   // expand_less
    {"checkmark.circle", 0xe86c},             // check_circle
    {"doc.on.doc", 0xe14d},                   // content_copy
    {"square.and.arrow.up", 0xe80d},          // share
    {"gearshape", 0xe8b8},                    // settings
    {"arrow.clockwise", 0xe5d5},              // refresh
    {"trash", 0xe872},                        // delete
    {"clock.arrow.circlepath", 0xe889},       // history
    {"info.circle", 0xe88e},                  // info
    {"chevron.left", 0xe5c4},                 // arrow_back
    {"xmark", 0xe5cd},                        // close
    {"envelope", 0xe0be},                     // email
    {"link", 0xe157},                         // link
}};

} // namespace

std::optional<char32_t> symbolGlyph(std::string_view name)
{
    for (const auto& [symbol, glyph] : kSymbols) {
        if (symbol == name) return glyph;
    }
    return std::nullopt;
}

std::vector<std::string_view> symbolNames()
{
    std::vector<std::string_view> names;
    for (const auto& [symbol, glyph] : kSymbols) names.push_back(symbol);
    return names;
}

} // namespace kavo::screens
