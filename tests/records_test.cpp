// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/records.h"
#include "fixtures.h"

#include <gtest/gtest.h>

#include <functional>

namespace kavo {
namespace {

// Each change makes a record unequal to the original and changes its hash.
template <typename Record> void expectEveryChangeCounts(const Record& base, std::vector<std::function<void(Record&)>> changes)
{
    for (std::size_t i = 0; i < changes.size(); ++i) {
        Record changed = base;
        changes[i](changed);
        EXPECT_TRUE(changed != base && hashValue(changed) != hashValue(base)) << "change " << i;
    }
    EXPECT_EQ(std::hash<Record>{}(Record(base)), std::hash<Record>{}(base));
}

// Every field, the identifier included; an absent optional differs from an
// empty one, and an entry differs by the list it stands in.
TEST(Records, EveryFieldTakesPartInEqualityAndHash)
{
    KVEntry entry = fixtures::entry("Name", "/a");
    entry.description = "d";
    entry.relatedLinks.push_back(KVLink{Uuid::random(), "More", *Url::parse("/b")});
    expectEveryChangeCounts<KVEntry>(entry, {
        [](KVEntry& e) { e.id = Uuid::random(); }, [](KVEntry& e) { e.name += "x"; },
        [](KVEntry& e) { e.url = *Url::parse("/c"); }, [](KVEntry& e) { e.description.reset(); },
        [](KVEntry& e) { e.description = ""; }, [](KVEntry& e) { e.badge = KVBadge::star; },
        [](KVEntry& e) { e.relatedLinks.clear(); }, [](KVEntry& e) { e.relatedLinks[0].id = Uuid::random(); },
        [](KVEntry& e) { e.relatedLinks[0].name = "Less"; }, [](KVEntry& e) { e.relatedLinks[0].url = *Url::parse("/d"); },
    });
    const KVSection section{Uuid::random(), "S", Url::parse("/s"), "n", {entry}};
    expectEveryChangeCounts<KVSection>(section, {
        [](KVSection& s) { s.id = Uuid::random(); }, [](KVSection& s) { s.title = "T"; },
        [](KVSection& s) { s.url.reset(); }, [](KVSection& s) { s.note.reset(); }, [](KVSection& s) { s.note = ""; },
        [](KVSection& s) { s.entries.clear(); }, [](KVSection& s) { s.entries[0].badge = KVBadge::globe; },
    });
    // The same text as the link or as the note: whether an optional is there is part of the hash.
    const KVSection linkOnly{section.id, "S", Url::parse("/s"), {}, {}}, noteOnly{section.id, "S", {}, "/s", {}};
    EXPECT_NE(hashValue(linkOnly), hashValue(noteOnly));
    expectEveryChangeCounts<KVCategory>(KVCategory{Uuid::random(), "C", Url::parse("/c"), "n", {entry}, {section}}, {
        [](KVCategory& c) { c.id = Uuid::random(); }, [](KVCategory& c) { c.title = "D"; },
        [](KVCategory& c) { c.url.reset(); }, [](KVCategory& c) { c.note.reset(); }, [](KVCategory& c) { c.note = ""; },
        [](KVCategory& c) { c.entries[0].name = "N"; }, [](KVCategory& c) { c.sections[0].title = "U"; },
        [](KVCategory& c) { c.sections[0].entries.push_back(c.entries[0]), c.entries.clear(); },
    });
}

} // namespace
} // namespace kavo
