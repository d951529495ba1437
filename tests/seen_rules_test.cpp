// SPDX-License-Identifier: GPL-3.0-or-later
// What is new: the rules of SeenLinks step by step, each state also read back
// through its file; and the catalogue diff, which applies the same rule.
#include "catalog/catalogue_diff.h"
#include "catalog/personal_records.h"
#include "fixtures.h"

#include <gtest/gtest.h>

#include <list>
#include <sstream>

namespace kavo {
namespace {

constexpr ReferenceSeconds kDay = 24 * 60 * 60;

// "a b | c": entries linked "/a" and "/b" in one category, "/c" in a second; "": no entry at all.
std::vector<KVCategory> catalogue(const std::string& links)
{
    std::vector<KVCategory> categories(1);
    std::istringstream words(links);
    for (std::string word; words >> word;) {
        if (word == "|") categories.emplace_back();
        else categories.back().entries.push_back(fixtures::entry(word + std::to_string(categories.size()), "/" + word));
    }
    return categories;
}

// The links new at `now`, in page order, each with the day it was first seen: "b@1 c@5".
std::string describeNew(const SeenLinks& seen, const std::vector<KVCategory>& shown, ReferenceSeconds now)
{
    std::string text;
    for (const LinkedEntry& entry : entriesByLink(shown)) {
        if (const auto since = seen.newSince(entry.key, now)) {
            text += (text.empty() ? "" : " ") + entry.entry->url.text().substr(1) + "@" + std::to_string(int(*since / kDay));
        }
    }
    return text;
}

struct RulesCase {
    const char* rule;
    std::vector<const char*> steps; ///< "LINKS @DAY": a download; "mark": every mark goes
    double checkDay;
    const char* expected;
};

class SeenRules : public testing::TestWithParam<RulesCase> {};

TEST_P(SeenRules, NewEntriesAfterEachDownload)
{
    const RulesCase& c = GetParam();
    std::list<std::vector<KVCategory>> downloads; // kept: a state's records point into its catalogue
    std::optional<SeenLinks> seen;
    for (const std::string step : c.steps) {
        if (step == "mark") {
            seen = seen->allSeen();
            continue;
        }
        const std::vector<KVCategory>& downloaded = downloads.emplace_back(catalogue(step.substr(0, step.find('@'))));
        const ReferenceSeconds at = std::stod(step.substr(step.find('@') + 1)) * kDay;
        seen = seen ? seen->next(downloaded, at) : SeenLinks::baseline(downloaded);
    }
    const ReferenceSeconds now = c.checkDay * kDay;
    EXPECT_EQ(describeNew(*seen, downloads.back(), now), c.expected);
    EXPECT_EQ(seen->anyNew(now), *c.expected != '\0');

    // The same through the file: only what is new keeps a date there.
    const std::string file = encodeSeen(seen->records(downloads.back(), now));
    SeenLinks::Reader reader;
    ASSERT_FALSE(decodeSeen(file, [&reader](const SeenRecord& record) { reader.add(record); })) << file;
    const SeenLinks reread = std::move(reader).finish();
    EXPECT_EQ(describeNew(reread, downloads.back(), now), c.expected) << file;
    EXPECT_EQ(reread.size(), seen->size());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SeenRules,
    testing::Values(
        RulesCase{"the first download is the baseline", {"a b @0"}, 0, ""},
        RulesCase{"a link not in the download before is new", {"a b @0", "a b c @2"}, 2, "c@2"},
        RulesCase{"new for seven days after it was first seen", {"a @0", "a b @1", "a b c @5"}, 7.99, "b@1 c@5"},
        RulesCase{"no longer new once seven days are over", {"a @0", "a b @1", "a b c @5"}, 8, "c@5"},
        RulesCase{"a link keeps its first date through later downloads", {"a @0", "a b @1", "b a @3"}, 3, "b@1"},
        RulesCase{"marking as seen clears every mark at once", {"a @0", "a b @1", "a b c @2", "mark"}, 2, ""},
        RulesCase{"after a mark, the next download's links are new", {"a @0", "a b @1", "mark", "a b c @2"}, 2, "c@2"},
        RulesCase{"a link removed and added back is new again", {"a b @0", "a @1", "a b @2"}, 2, "b@2"},
        RulesCase{"duplicate links on one page count once, in page order", {"a @0", "c b | b a c @1"}, 1, "c@1 b@1"},
        RulesCase{"a catalogue of 0 entries is a baseline too", {"@0", "a @1"}, 1, "a@1"},
        RulesCase{"a download of 0 entries drops every link", {"a @0", "@1", "a @2"}, 2, "a@2"}),
    [](const auto& row) {
        std::string name = row.param.rule;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

// Added, removed and changed follow the app's rule: the first entry of a link, page order,
// identifiers aside; a changed entry is listed as it is in the new catalogue.
TEST(CatalogueDiff, ListsEntriesByLinkInPageOrder)
{
    const auto before = fixtures::parse("# \u25ba Old\n* [A](/a) - same\n* [B](/b)\n* [C](/c), [R](/r)\n* [D](/d)\n");
    const auto after = fixtures::parse("# \u25ba New\n* [E](/e)\n* [C](/c), [R](/r2)\n* [A](/a) - same\n"
                                       "* \u2b50 [D](/d)\n* [F](/f)\n* [E again](/e)\n");
    const CatalogueDiff diff = diffCatalogues(before, after);
    const auto names = [](const std::vector<LinkedEntry>& list) {
        std::string text;
        for (const LinkedEntry& entry : list) text += entry.entry->name + "/" + entry.category->title + " ";
        return text;
    };
    EXPECT_EQ(names(diff.added), "E/New F/New ");
    EXPECT_EQ(names(diff.removed), "B/Old ");
    EXPECT_EQ(names(diff.changed), "C/New D/New ");
    const SeenLinks seen = SeenLinks::baseline(before).next(after, 0);
    EXPECT_EQ(describeNew(seen, after, 0), "e@0 f@0");
}

} // namespace
} // namespace kavo
