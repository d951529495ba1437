// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/personal_records.h"

#include "platform/unicode_text.h"

namespace kavo {

std::string storableRecordName(std::string_view name)
{
    // Only the part that can survive the cut is checked, so a name of
    // megabytes costs no more than a short one. A character broken by taking
    // that part starts at or after the cut and is dropped with the rest;
    // replacing ill-formed bytes only moves what follows further out.
    constexpr std::size_t kLongestCharacter = 4;
    std::string stored = text::toValidUtf8(name.substr(0, kMaxRecordNameBytes + kLongestCharacter - 1));
    if (stored.size() > kMaxRecordNameBytes) {
        std::size_t cut = kMaxRecordNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(stored[cut]) & 0xC0) == 0x80) --cut;
        stored.resize(cut);
    }
    return stored;
}

} // namespace kavo
