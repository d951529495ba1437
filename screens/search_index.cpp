// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/search_index.h"

#include "platform/memory_policy.h"
#include "platform/unicode_text.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kavo::screens {
namespace {

constexpr std::size_t kFieldsPerEntry = 3;

/*
 * The first occurrence of `needle` (two bytes or more) in `text` from `from`,
 * or npos. A query is short and its hits are few; the C library's memmem
 * walks such a needle a byte at a time. Here sixteen positions are tested at
 * once: a position is a candidate when both the needle's first and its last
 * byte sit where they belong, and only candidates are compared whole.
 */
std::size_t find(std::string_view text, std::size_t from, std::string_view needle)
{
    const std::size_t size = text.size();
    const std::size_t last = needle.size() - 1;
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i final = _mm_set1_epi8(needle.back());
    for (; i + last + 16 <= size; i += 16) {
        const auto* block = reinterpret_cast<const __m128i*>(text.data() + i);
        const auto* blockEnd = reinterpret_cast<const __m128i*>(text.data() + i + last);
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(first, _mm_loadu_si128(block)),
                                           _mm_cmpeq_epi8(final, _mm_loadu_si128(blockEnd)));
        for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(both)); mask != 0; mask &= mask - 1) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (std::memcmp(text.data() + at + 1, needle.data() + 1, last - 1) == 0) return at;
        }
    }
#endif
    if (i >= size) return std::string_view::npos;
    const void* hit = memmem(text.data() + i, size - i, needle.data(), needle.size());
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
}

} // namespace

SearchIndex::SearchIndex(const std::vector<KVCategory>& catalogue)
    : first_(catalogue.empty() ? nullptr : catalogue.data())
{
    // The text is sized from the fields, so it is allocated once: lowering
    // keeps ASCII's length and changes other text's by little.
    std::size_t entries = 0;
    std::size_t bytes = 0;
    auto measure = [&entries, &bytes](const std::vector<KVEntry>& list) {
        entries += list.size();
        for (const KVEntry& entry : list) {
            bytes += entry.name.size() + entry.url.text().size() + (entry.description ? entry.description->size() : 0);
        }
    };
    for (const KVCategory& category : catalogue) {
        measure(category.entries);
        for (const KVSection& section : category.sections) measure(section.entries);
    }
    fieldBounds_.reserve(entries * kFieldsPerEntry + 1);
    categoryFirstEntry_.reserve(catalogue.size());

    text_.reserve(bytes + bytes / 32);
    adviseHugePages(text_.data(), text_.capacity());
    auto addField = [this](std::string_view field) {
        fieldBounds_.push_back(static_cast<std::uint32_t>(text_.size()));
        text::appendLower(text_, field);
    };
    auto addEntries = [&addField](const std::vector<KVEntry>& list) {
        for (const KVEntry& entry : list) {
            addField(entry.name);
            addField(entry.description ? std::string_view(*entry.description) : std::string_view());
            addField(entry.url.text());
        }
    };
    std::uint32_t ordinal = 0;
    for (const KVCategory& category : catalogue) {
        categoryFirstEntry_.push_back(ordinal);
        addEntries(category.entries);
        ordinal += static_cast<std::uint32_t>(category.entries.size());
        for (const KVSection& section : category.sections) {
            addEntries(section.entries);
            ordinal += static_cast<std::uint32_t>(section.entries.size());
        }
    }
    fieldBounds_.push_back(static_cast<std::uint32_t>(text_.size()));
}

/*
 * One scan of all lowered fields with memmem. A hit that runs past the end
 * of its field is no match (it joins two fields); the scan goes on from the
 * next byte. A hit inside a field marks its entry, and the scan jumps to the
 * next entry, since one hit decides.
 */
std::vector<std::uint8_t> SearchIndex::matches(std::string_view query) const
{
    std::vector<std::uint8_t> flags(entryCount(), 0);
    if (query.empty() || text_.empty()) return flags;
    const char* text = text_.data();
    const std::size_t size = text_.size();
    const std::size_t fieldCount = fieldBounds_.size() - 1;
    std::size_t position = 0;
    std::size_t field = 0;
    while (position < size) {
        std::size_t at;
        if (query.size() == 1) {
            const void* hit = std::memchr(text + position, query.front(), size - position);
            if (hit == nullptr) break;
            at = static_cast<std::size_t>(static_cast<const char*>(hit) - text);
        } else {
            at = find(text_, position, query);
            if (at == std::string_view::npos) break;
        }
        while (fieldBounds_[field + 1] <= at) ++field;
        if (at + query.size() > fieldBounds_[field + 1]) {
            position = at + 1;
            continue;
        }
        const std::size_t entry = field / kFieldsPerEntry;
        flags[entry] = 1;
        field = (entry + 1) * kFieldsPerEntry;
        if (field >= fieldCount) break;
        position = fieldBounds_[field];
    }
    return flags;
}

std::vector<FilteredCategory> SearchIndex::filter(const std::vector<const KVCategory*>& list,
                                                  const std::vector<std::uint8_t>& matches) const
{
    std::vector<FilteredCategory> result;
    for (const KVCategory* category : list) {
        std::uint32_t ordinal = categoryFirstEntry_[static_cast<std::size_t>(category - first_)];
        FilteredCategory filtered;
        filtered.source = category;
        for (std::uint32_t i = 0; i < category->entries.size(); ++i, ++ordinal) {
            if (matches[ordinal]) filtered.entries.push_back(i);
        }
        for (std::uint32_t s = 0; s < category->sections.size(); ++s) {
            FilteredCategory::Section kept{s, {}};
            for (std::uint32_t i = 0; i < category->sections[s].entries.size(); ++i, ++ordinal) {
                if (matches[ordinal]) kept.entries.push_back(i);
            }
            if (!kept.entries.empty()) filtered.sections.push_back(std::move(kept));
        }
        if (filtered.entries.empty() && filtered.sections.empty()) continue;
        filtered.id = Uuid::random(); // a search result is a new category each time
        result.push_back(std::move(filtered));
    }
    return result;
}

std::size_t FilteredCategory::entryCount() const
{
    std::size_t count = entries.size();
    for (const Section& section : sections) count += section.entries.size();
    return count;
}

KVCategory FilteredCategory::materialize() const
{
    KVCategory category{id, source->title, source->url, source->note, {}, {}};
    category.entries.reserve(entries.size());
    for (std::uint32_t i : entries) category.entries.push_back(source->entries[i]);
    for (const Section& kept : sections) {
        const KVSection& original = source->sections[kept.sourceIndex];
        KVSection section{original.id, original.title, original.url, original.note, {}};
        section.entries.reserve(kept.entries.size());
        for (std::uint32_t i : kept.entries) section.entries.push_back(original.entries[i]);
        category.sections.push_back(std::move(section));
    }
    return category;
}

std::vector<FilteredCategory> search(const SearchIndex& index, const std::vector<const KVCategory*>& list,
                                     std::string_view query)
{
    return index.filter(list, index.matches(text::toLower(query)));
}

} // namespace kavo::screens
