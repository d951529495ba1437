// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/records.h"

#include <array>
#include <cstdint>

namespace kavo {
namespace {

constexpr std::array<std::string_view, 4> kBadgeRawValues = {"star", "globe", "arrow", "none"};

/// Order-sensitive combination of field hashes (the 64-bit variant of boost's hash_combine).
class Hasher {
public:
    Hasher& add(std::size_t value)
    {
        state_ ^= value + 0x9E3779B97F4A7C15ULL + (state_ << 12) + (state_ >> 4);
        return *this;
    }
    Hasher& add(const Uuid& id) { return add(id.hash()); }
    Hasher& add(std::string_view text) { return add(std::hash<std::string_view>{}(text)); }
    Hasher& add(const Url& url) { return add(std::string_view(url.text())); }
    Hasher& add(KVBadge badge) { return add(hashValue(badge)); }

    // Presence is hashed too, so an absent value and a present empty one differ.
    template <typename T> Hasher& add(const std::optional<T>& value)
    {
        add(std::size_t{value.has_value()});
        return value ? add(*value) : *this;
    }

    // The length goes in first, so moving an element across a list boundary changes the hash.
    template <typename T> Hasher& add(const std::vector<T>& list)
    {
        add(list.size());
        for (const T& element : list) add(hashValue(element));
        return *this;
    }

    [[nodiscard]] std::size_t value() const { return static_cast<std::size_t>(state_); }

private:
    std::uint64_t state_ = 0;
};

} // namespace

std::optional<KVBadge> badgeFromRawValue(std::string_view raw)
{
    for (std::size_t i = 0; i < kBadgeRawValues.size(); ++i) {
        if (kBadgeRawValues[i] == raw) return static_cast<KVBadge>(i);
    }
    return std::nullopt;
}

std::string_view rawValue(KVBadge badge)
{
    return kBadgeRawValues[static_cast<std::size_t>(badge)];
}

std::size_t hashValue(KVBadge badge)
{
    return std::hash<std::string_view>{}(rawValue(badge));
}

std::size_t hashValue(const KVLink& link)
{
    return Hasher().add(link.id).add(link.name).add(link.url).value();
}

std::size_t hashValue(const KVEntry& entry)
{
    return Hasher()
        .add(entry.id)
        .add(entry.name)
        .add(entry.url)
        .add(entry.description)
        .add(entry.badge)
        .add(entry.relatedLinks)
        .value();
}

std::size_t hashValue(const KVSection& section)
{
    return Hasher()
        .add(section.id)
        .add(section.title)
        .add(section.url)
        .add(section.note)
        .add(section.entries)
        .value();
}

std::size_t hashValue(const KVCategory& category)
{
    return Hasher()
        .add(category.id)
        .add(category.title)
        .add(category.url)
        .add(category.note)
        .add(category.entries)
        .add(category.sections)
        .value();
}

} // namespace kavo
