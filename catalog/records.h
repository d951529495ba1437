// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/url.h"
#include "platform/uuid.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The catalogue's value records. Plain values: copying copies the content, no
// record refers to another except by containment. Equality and hashing take
// every field, `id` included, in declaration order.
namespace kavo {

/// The marker shown in front of an entry; the raw value is the case name.
enum class KVBadge { star, globe, arrow, none };

/// Exactly "star", "globe", "arrow" or "none" (case-sensitive); nothing else.
[[nodiscard]] std::optional<KVBadge> badgeFromRawValue(std::string_view raw);
[[nodiscard]] std::string_view rawValue(KVBadge badge);

/// One further link of an entry.
struct KVLink {
    Uuid id;
    std::string name;
    Url url;

    friend bool operator==(const KVLink&, const KVLink&) = default;
};

/// One resource: a named link with an optional description, a badge and further links.
struct KVEntry {
    Uuid id;
    std::string name;
    Url url;
    std::optional<std::string> description;
    KVBadge badge = KVBadge::none;
    std::vector<KVLink> relatedLinks;

    friend bool operator==(const KVEntry&, const KVEntry&) = default;
};

/// A titled group of entries inside a category.
struct KVSection {
    Uuid id;
    std::string title;
    std::optional<Url> url;
    std::optional<std::string> note;
    std::vector<KVEntry> entries;

    friend bool operator==(const KVSection&, const KVSection&) = default;
};

/// A top-level category: entries before its first section, then its sections.
struct KVCategory {
    Uuid id;
    std::string title;
    std::optional<Url> url;
    std::optional<std::string> note;
    std::vector<KVEntry> entries;
    std::vector<KVSection> sections;

    friend bool operator==(const KVCategory&, const KVCategory&) = default;
};

/// Calls `visit(entry, category)` for each entry of a catalogue, in page order.
template <typename Visit> void forEachEntry(const std::vector<KVCategory>& catalogue, Visit&& visit)
{
    for (const KVCategory& category : catalogue) {
        for (const KVEntry& entry : category.entries) visit(entry, category);
        for (const KVSection& section : category.sections) {
            for (const KVEntry& entry : section.entries) visit(entry, category);
        }
    }
}

[[nodiscard]] std::size_t hashValue(KVBadge badge);
[[nodiscard]] std::size_t hashValue(const KVLink& link);
[[nodiscard]] std::size_t hashValue(const KVEntry& entry);
[[nodiscard]] std::size_t hashValue(const KVSection& section);
[[nodiscard]] std::size_t hashValue(const KVCategory& category);

} // namespace kavo

template <> struct std::hash<kavo::KVLink> {
    std::size_t operator()(const kavo::KVLink& v) const { return kavo::hashValue(v); }
};
template <> struct std::hash<kavo::KVEntry> {
    std::size_t operator()(const kavo::KVEntry& v) const { return kavo::hashValue(v); }
};
template <> struct std::hash<kavo::KVSection> {
    std::size_t operator()(const kavo::KVSection& v) const { return kavo::hashValue(v); }
};
template <> struct std::hash<kavo::KVCategory> {
    std::size_t operator()(const kavo::KVCategory& v) const { return kavo::hashValue(v); }
};
