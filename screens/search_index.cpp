// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/search_index.h"

#include "platform/unicode_text.h"

#include <cstring>

namespace kavo::screens {
namespace {

constexpr std::size_t kFieldsPerEntry = 3;

} // namespace

SearchIndex::SearchIndex(const std::vector<KVCategory>& catalogue)
    : first_(catalogue.empty() ? nullptr : catalogue.data())
{
    std::size_t entries = 0;
    for (const KVCategory& category : catalogue) {
        entries += category.entries.size();
        for (const KVSection& section : category.sections) entries += section.entries.size();
    }
    fieldBounds_.reserve(entries * kFieldsPerEntry + 1);
    categoryFirstEntry_.reserve(catalogue.size());

    text_.reserve(entries * 96);
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
        const void* hit = memmem(text + position, size - position, query.data(), query.size());
        if (hit == nullptr) break;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - text);
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
