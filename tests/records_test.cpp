// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/parser.h"
#include "catalog/records.h"

#include <gtest/gtest.h>

#include <functional>

namespace kavo {
namespace {

KVEntry sampleEntry()
{
    return KVEntry{Uuid::random(), "Name", *Url::parse("/a"), "desc", KVBadge::star,
                   {KVLink{Uuid::random(), "More", *Url::parse("/b")}}};
}

TEST(Records, BadgeRawValuesAreExactlyTheFourCaseNames)
{
    for (KVBadge badge : {KVBadge::star, KVBadge::globe, KVBadge::arrow, KVBadge::none}) {
        EXPECT_EQ(badgeFromRawValue(rawValue(badge)), badge);
    }
    EXPECT_EQ(rawValue(KVBadge::globe), "globe");
    for (const char* bad : {"Star", "", " none", "NONE", "stars"}) EXPECT_FALSE(badgeFromRawValue(bad)) << bad;
}

// Every field takes part in equality and hashing, the identifier included.
TEST(Records, EveryEntryFieldTakesPartInEqualityAndHash)
{
    const KVEntry base = sampleEntry();
    const std::function<void(KVEntry&)> changes[] = {
        [](KVEntry& e) { e.id = Uuid::random(); },
        [](KVEntry& e) { e.name += "x"; },
        [](KVEntry& e) { e.url = *Url::parse("/other"); },
        [](KVEntry& e) { e.description.reset(); },
        [](KVEntry& e) { e.description = ""; },
        [](KVEntry& e) { e.badge = KVBadge::none; },
        [](KVEntry& e) { e.relatedLinks.clear(); },
        [](KVEntry& e) { e.relatedLinks[0].id = Uuid::random(); },
        [](KVEntry& e) { e.relatedLinks[0].name = "Less"; },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        KVEntry changed = base;
        changes[i](changed);
        EXPECT_NE(changed, base) << "change " << i;
        EXPECT_NE(hashValue(changed), hashValue(base)) << "change " << i;
    }
    const KVEntry copy = base;
    EXPECT_EQ(copy, base);
    EXPECT_EQ(std::hash<KVEntry>{}(copy), std::hash<KVEntry>{}(base));
}

TEST(Records, ListBoundariesAndOptionalPresenceChangeTheHash)
{
    const KVEntry entry = sampleEntry();
    const Uuid id = Uuid::random();
    // The same entry in the category's own list or in its section's list.
    const KVCategory direct{id, "C", std::nullopt, std::nullopt, {entry}, {KVSection{id, "S", {}, {}, {}}}};
    const KVCategory nested{id, "C", std::nullopt, std::nullopt, {}, {KVSection{id, "S", {}, {}, {entry}}}};
    EXPECT_NE(direct, nested);
    EXPECT_NE(hashValue(direct), hashValue(nested));

    KVSection withNote{id, "S", std::nullopt, std::string(), {}};
    KVSection withoutNote{id, "S", std::nullopt, std::nullopt, {}};
    EXPECT_NE(withNote, withoutNote);
    EXPECT_NE(hashValue(withNote), hashValue(withoutNote));
    withoutNote.note = "";
    EXPECT_EQ(withNote, withoutNote);
    EXPECT_EQ(hashValue(withNote), hashValue(withoutNote));
}

TEST(Records, ParsingTheSameLineTwiceGivesUnequalRecordsWithEqualContent)
{
    const KVParser parser;
    const std::string page = "# \u25BA T\n* [A](/a), [B](/b) - d\n";
    const auto first = parser.parse(page);
    const auto second = parser.parse(page);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(first, second);
    EXPECT_NE(first[0].entries.at(0), second[0].entries.at(0));
    KVEntry sameId = second[0].entries.at(0);
    sameId.id = first[0].entries[0].id;
    sameId.relatedLinks.at(0).id = first[0].entries[0].relatedLinks.at(0).id;
    EXPECT_EQ(sameId, first[0].entries[0]);
}

} // namespace
} // namespace kavo
