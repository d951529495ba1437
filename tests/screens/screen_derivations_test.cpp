// SPDX-License-Identifier: GPL-3.0-or-later
// The derivations behind the main and category screens: category order, the
// entry search, the main list's rows and their keys, telling a list row by
// row, the detail rows and the entry row. (The open category: screen_models_test.)
#include "fixtures.h"
#include "platform/unicode_text.h"
#include "screens/category_detail_rows.h"
#include "screens/category_order.h"
#include "screens/entry_row_rules.h"
#include "screens/lint_rows.h"
#include "screens/list_diff.h"
#include "screens/main_list.h"
#include "screens/navigation.h"
#include "screens/new_entries.h"
#include "screens/presentation_rules.h"
#include "screens/repeat_guard.h"
#include "screens/search_index.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <set>

namespace kavo::screens {
namespace {

using fixtures::entry;
using fixtures::parse;
using Keys = std::vector<std::string>;

std::vector<KVCategory> titled(const Keys& titles)
{
    std::vector<KVCategory> categories;
    for (const std::string& title : titles) categories.push_back(KVCategory{Uuid::random(), title, {}, {}, {}, {}});
    return categories;
}

KVSection section(std::optional<std::string> note, std::vector<KVEntry> entries)
{
    return KVSection{Uuid::random(), "Section", {}, std::move(note), std::move(entries)};
}

std::vector<std::size_t> positions(const std::vector<KVCategory>& source, const std::vector<const KVCategory*>& sorted)
{
    std::vector<std::size_t> result;
    for (const KVCategory* category : sorted) result.push_back(static_cast<std::size_t>(category - source.data()));
    return result;
}

// Titles collate by the locale at secondary strength (letters and accents count, case does not),
// and equal titles keep their catalogue order. The POSIX variant that ICU takes for a process
// started with LANG=C orders capitals first; it stands for no language, so the root order serves.
TEST(CategoryOrder, CollatesByLocaleIgnoringCaseAndKeepsTiesInCatalogueOrder)
{
    const std::tuple<const char*, Keys, std::vector<std::size_t>> cases[] = {
        {"en_US", {"banana", "\u00c4pfel", "apfel", "Zebra", "Apfel"}, {2, 4, 1, 0, 3}},
        {"sv_SE", {"\u00c4pple", "Zebra", "apple", "\u00d6rn", "\u00c5l"}, {2, 1, 4, 0, 3}},
        {"en_US_POSIX", {"b", "Zulu", "A", "a", "B"}, {2, 3, 0, 4, 1}},
        {"en_US", {"Stra\u00dfe", "Strand", "STRASSE", "Strasbourg", "Strauss"}, {1, 3, 2, 0, 4}}, // \u00df goes with ss
    };
    for (const auto& [locale, titles, expected] : cases) {
        const std::vector<KVCategory> catalogue = titled(titles);
        EXPECT_EQ(positions(catalogue, sortedCategories(catalogue, locale)), expected) << locale << " " << titles[0];
    }
    // Enough ties, in every mix of case, for an order that is not stable to show.
    Keys titles;
    std::vector<std::size_t> audio, video;
    for (std::size_t i = 0; i < 64; ++i) {
        std::string title = i % 3 == 1 ? "audio" : "video";
        for (std::size_t j = 0; j < title.size(); ++j) {
            if ((i >> j) & 1) title[j] = static_cast<char>(std::toupper(title[j]));
        }
        titles.push_back(title);
        (i % 3 == 1 ? audio : video).push_back(i);
    }
    audio.insert(audio.end(), video.begin(), video.end());
    const std::vector<KVCategory> ties = titled(titles);
    EXPECT_EQ(positions(ties, sortedCategories(ties, "en_US")), audio);
}

constexpr std::string_view kMainPage =
    "# \u25BA Zeta Video\n* [Alpha Player](https://alpha.example/) - plays things\n* [Beta](https://beta.example/)\n"
    "## \u25B7 More\n* [Gamma](https://gamma.example/) - an alpha mention\n"
    "# \u25BA [Docs Link](https://docs.example/)\n* [Alpha Docs](https://d.example/)\n"
    "# \u25BA apples\n* [Delta](https://delta.example/)\n# \u25BA [Empty Link](https://empty.example/)\n";

// The catalogue as the main screen holds it: sorted, split and indexed.
struct Services {
    std::vector<KVCategory> catalogue;
    SplitCategories split = splitLinkCategories(sortedCategories(catalogue, "en_US"));
    SearchIndex index{catalogue};

    MainListState state(std::string_view search = {}) const
    {
        return {.catalogue = &catalogue, .categories = &split.categories, .links = &split.links, .index = &index,
                .searchText = search};
    }
};

// The search read directly off the rules, for comparison with the index.
std::vector<KVCategory> referenceSearch(const std::vector<const KVCategory*>& list, std::string_view query)
{
    const std::string lowered = text::toLower(query);
    auto has = [&lowered](std::string_view field) { return text::toLower(field).find(lowered) != std::string::npos; };
    auto matching = [&has](const std::vector<KVEntry>& entries) {
        std::vector<KVEntry> kept;
        for (const KVEntry& e : entries) {
            if (has(e.name) || (e.description && has(*e.description)) || has(e.url.text())) kept.push_back(e);
        }
        return kept;
    };
    std::vector<KVCategory> result;
    for (const KVCategory* category : list) {
        KVCategory found{category->id, category->title, category->url, category->note, matching(category->entries), {}};
        for (const KVSection& s : category->sections) {
            if (std::vector<KVEntry> kept = matching(s.entries); !kept.empty()) {
                found.sections.push_back(KVSection{s.id, s.title, s.url, s.note, std::move(kept)});
            }
        }
        if (!found.entries.empty() || !found.sections.empty()) result.push_back(std::move(found));
    }
    return result;
}

// The rules: the lowercased query in one field (name, description or link) of an entry,
// titles and notes not searched, the query not trimmed. Over catalogues of hard text
// (quotes, controls, letters whose lowercase form is longer), with queries cut from the
// entries' fields taken back to back, so that many run across the end of one field.
TEST(Search, AgreesWithTheRulesOverRandomCatalogues)
{
    std::mt19937 random(20261206);
    auto below = [&random](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        const std::vector<KVCategory> catalogue = fixtures::makeCatalogue(2, seed);
        const SearchIndex index(catalogue);
        const SplitCategories split = splitLinkCategories(sortedCategories(catalogue, "en_US"));
        std::string fields;
        auto add = [&fields](const std::vector<KVEntry>& entries) {
            for (const KVEntry& e : entries) fields += e.name + e.description.value_or("") + e.url.text();
        };
        for (const KVCategory& category : catalogue) {
            add(category.entries);
            for (const KVSection& section : category.sections) add(section.entries);
        }
        std::vector<std::string> queries = {" ", "\u00e9", "\u00c9", "\u00df", "ss", "\u03c3", "\u03c2", "i\u0307", "://"};
        for (int i = 0; i < 30 && !fields.empty(); ++i) {
            std::size_t from = below(fields.size()), to = std::min(fields.size(), from + 1 + below(10));
            while (from > 0 && (static_cast<unsigned char>(fields[from]) & 0xC0) == 0x80) --from;
            while (to < fields.size() && (static_cast<unsigned char>(fields[to]) & 0xC0) == 0x80) ++to;
            std::string query = fields.substr(from, to - from);
            for (char& ch : query) {
                if (std::isalpha(static_cast<unsigned char>(ch)) && below(2) == 0) ch = static_cast<char>(ch ^ 0x20);
            }
            queries.push_back(query);
        }
        for (const std::string& query : queries) {
            // Every result is a new category, so a search never reuses an identity.
            std::set<std::string> ids;
            for (const auto* list : {&split.categories, &split.links}) {
                std::vector<KVCategory> found;
                for (const FilteredCategory& filtered : search(index, *list, query)) {
                    found.push_back(filtered.materialize());
                    EXPECT_EQ(filtered.entryCount(), entryCount(found.back()));
                    EXPECT_TRUE(ids.insert(found.back().id.toString()).second);
                    EXPECT_NE(found.back().id, filtered.source->id);
                    found.back().id = filtered.source->id;
                }
                ASSERT_TRUE(found == referenceSearch(*list, query)) << "seed " << seed << ", query \"" << query << '"';
            }
        }
    }
}

// Runs of row kinds, e.g. "History*5 Category*2 Link"; each section's run
// must follow its header row, which is left out here.
std::string kinds(const MainList& list)
{
    static const char* const names[] = {"Loading",   "Error",     "History", "Favorite",      "Category",
                                        "Link",      "NoResults", "Empty",   "SectionHeader", "New"};
    std::string out;
    for (std::size_t i = 0, run = 1; i < list.rows.size(); i += run, run = 1) {
        const MainRowKind kind = list.rows[i].kind;
        if (kind == MainRowKind::SectionHeader) {
            EXPECT_TRUE(i + 1 < list.rows.size() && list.rows[i + 1].kind == static_cast<MainRowKind>(list.rows[i].index));
            continue;
        }
        const bool inSection = (kind >= MainRowKind::History && kind <= MainRowKind::Link) || kind == MainRowKind::New;
        EXPECT_EQ(inSection, i > 0 && list.rows[i - 1].kind == MainRowKind::SectionHeader) << names[int(kind)];
        while (i + run < list.rows.size() && list.rows[i + run].kind == kind) ++run;
        out += std::string(out.empty() ? "" : " ") + names[static_cast<int>(kind)];
        if (run > 1) out += "*" + std::to_string(run);
    }
    return out;
}

TEST(MainList, ShowsEachRowKindOnlyUnderItsCondition)
{
    struct Case {
        bool loaded, loading, error;
        std::size_t history, favorites;
        std::string_view search;
        std::string expected;
        std::size_t fresh = 0; // new entries
    };
    const Case cases[] = {
        {false, false, false, 0, 0, "", "Empty"},
        {false, true, true, 0, 0, "", "Loading Error"},
        {false, false, true, 0, 0, "", "Error Empty"},
        {false, false, false, 0, 0, "x", "NoResults"},
        {false, true, false, 3, 0, "x", "Loading"},
        {false, false, false, 7, 12, "", "History*5 Favorite*10 Empty"},
        {true, true, false, 3, 0, "", "History*3 Category*2 Link*2"},
        {true, false, true, 7, 12, "", "Error History*5 Favorite*10 Category*2 Link*2"},
        {true, false, false, 7, 12, "ALPHA", "Category Link"},
        {true, false, false, 7, 12, "alpha p", "Category"},
        {true, true, true, 3, 3, "zzz", "Error NoResults"},
        {true, false, false, 0, 0, "zzz", "NoResults"},
        {true, false, false, 7, 0, "", "New*10 History*5 Category*2 Link*2", 12},
        {true, false, false, 0, 0, "", "New Category*2 Link*2", 1},
        {true, false, false, 7, 0, "ALPHA", "Category Link", 12},
    };
    for (const Case& c : cases) {
        const Services services{c.loaded ? parse(kMainPage) : std::vector<KVCategory>{}};
        MainListState state = services.state(c.search);
        NewEntries fresh;
        if (c.fresh > 0) fresh.newest.resize(c.fresh, {0, &services.catalogue[0].entries[0], &services.catalogue[0]});
        state.fresh = &fresh;
        std::tie(state.isLoading, state.hasError, state.historyCount, state.favoriteCount) =
            std::tie(c.loading, c.error, c.history, c.favorites);
        EXPECT_EQ(kinds(buildMainList(state)), c.expected) << c.loaded << c.loading << c.error << " " << c.history << " "
                                                         << c.favorites << " " << c.search;
    }
}

TEST(MainList, RowKeysStayWithTheirItemsAndNeverRepeat)
{
    const Services services{parse("# \u25BA Same\n* [a](https://a.example/)\n# \u25BA Same\n* [b](https://b.example/)\n"
                                  "# \u25BA [Same](https://same.example/)\n* [c](https://c.example/)\n")};
    const std::vector<FavoriteEntry> favorites = {{Uuid::random(), "f", *Url::parse("https://a.example/"), KVBadge::none, 0}};
    auto keys = [&](std::initializer_list<const char*> urls) {
        std::vector<HistoryEntry> history;
        for (const char* url : urls) history.push_back({Uuid::random(), "n", *Url::parse(url), 0});
        MainListState state = services.state();
        state.historyCount = history.size();
        state.favoriteCount = favorites.size();
        NewEntries fresh; // a new entry of a link that is also a favourite and in the history
        fresh.newest.push_back({0, &services.catalogue[0].entries[0], &services.catalogue[0]});
        state.fresh = &fresh;
        return rowKeys(buildMainList(state), history, favorites);
    };
    // A link opened twice in a loaded file, a link that is also a favourite,
    // two categories and a link category of one title: all told apart.
    const Keys first = keys({"https://a.example/", "https://b.example/", "https://a.example/"});
    EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), first.size());
    // Opening another link adds its row; every other row keeps its key.
    Keys second = keys({"https://c.example/", "https://a.example/", "https://b.example/", "https://a.example/"});
    EXPECT_EQ(std::count(second.begin(), second.end(), second[3]), 1);
    second.erase(second.begin() + 3); // the new row, under "New" and the history's header
    EXPECT_EQ(second, first);
}

// Newest first, ties in page order; a link once, at its first entry; each category counts
// its links once; nothing when the seven days are over.
TEST(NewEntries, NewestFirstTiesInPageOrderEachLinkOnce)
{
    const auto before = parse("# \u25BA A\n* [old](https://old.example/)\n");
    const auto middle = parse("# \u25BA A\n* [old](https://old.example/)\n* [x](https://x.example/)\n");
    const auto after = parse("# \u25BA A\n* [old](https://old.example/)\n* [x](https://x.example/)\n* [y](https://y.example/)\n"
                             "# \u25BA B\n* [y again](https://y.example/)\n## \u25B7 S\n* [y thrice](https://y.example/)\n"
                             "* [z](https://z.example/)\n");
    const SeenLinks seen = SeenLinks::baseline(before).next(middle, 10).next(after, 20);
    const auto described = [&](ReferenceSeconds now) {
        const NewEntries fresh = newEntries(after, seen, now);
        std::string text;
        for (const LinkedEntry& entry : fresh.newest) text += entry.entry->name + " ";
        for (const KVCategory& category : after) text += category.title + std::to_string(fresh.countIn(&category)) + " ";
        return text;
    };
    EXPECT_EQ(described(20), "y z x A2 B2 ");
    EXPECT_EQ(described(10 + kNewForSeconds), "y z A1 B2 ");
    EXPECT_EQ(described(20 + kNewForSeconds), "A0 B0 ");
}

// "note header e0 s0.header s0.note s0.e0 ...": kind and place of each row.
std::string encode(const std::vector<DetailRow>& rows)
{
    static const char* const kinds[] = {"note", "header", "note", "e"};
    std::string out;
    for (const DetailRow& row : rows) {
        out += (row.section < 0 ? "" : "s" + std::to_string(row.section) + ".") + kinds[static_cast<int>(row.kind)] +
               (row.kind == DetailRowKind::Entry ? std::to_string(row.entry) : "") + " ";
    }
    return out;
}

TEST(DetailRows, PresenceNotContentDecidesEachRowAndTheKeyboardStopsAtEntries)
{
    const std::pair<KVCategory, std::string> cases[] = {
        {{Uuid::random(), "Bare", {}, {}, {}, {}}, ""},
        {{Uuid::random(), "Sections only", {}, {}, {}, {section({}, {entry("a")})}}, "s0.header s0.e0 "},
        {{Uuid::random(), "All", {}, std::string(), {entry("a"), entry("b")},
          {section({}, {entry("c")}), section(std::string(), {}), section({}, {})}},
         "note header e0 e1 s0.header s0.e0 s1.header s1.note s2.header "},
    };
    for (const auto& [category, expected] : cases) EXPECT_EQ(encode(detailRows(category)), expected) << category.title;

    // note header e0 s0.header s0.note s1.header s1.e0 s1.e1
    const KVCategory category{Uuid::random(), "Keys", {}, std::string("n"), {entry("a")},
                              {section(std::string("x"), {}), section({}, {entry("b"), entry("b")})}};
    const std::vector<DetailRow> rows = detailRows(category);
    const std::tuple<std::ptrdiff_t, int, std::optional<std::size_t>> steps[] = {
        {0, 1, 2}, {3, 1, 6}, {5, -1, 2}, {1, -1, std::nullopt}, {-3, 1, 2}, {99, -1, 7}, {99, 1, 7},
    };
    for (const auto& [from, step, expected] : steps) EXPECT_EQ(entryRowFrom(rows, from, step), expected) << from;
    EXPECT_EQ(entryRowFrom(std::vector<DetailRow>{}, 0, 1), std::nullopt);
    // Entry rows stand for their own entries, even when they look alike.
    EXPECT_EQ(entryFor(category, rows[7]).id, category.sections[1].entries[1].id);
    // Keyed by item for a new reading of the category; repeats (one link, one title here) are numbered.
    EXPECT_EQ(detailRowKeys(category, rows),
              (Keys{"0:note", "0:general", "0:entry:https://same.example/", "0:header:Section", "0:note:Section",
                    "1:header:Section", "1:entry:https://same.example/", "2:entry:https://same.example/"}));
}

// The preview bar's findings: by line, the page's own first; keyed by what they say, so a finding
// that only moves keeps its key; the lines they speak of counted once; quoted text cut at a character.
TEST(LintRows, SortedKeyedCountedAndClipped)
{
    using Kind = ParseDiagnostic::Kind;
    const std::vector<ParseDiagnostic> findings = sortedFindings({{Kind::EntryWithoutLink, 7, {}, {}},
        {Kind::RelatedTargetRefused, 3, "a", "%zz"}, {Kind::NoCategoryHeading, 0, {}, {}}, {Kind::NoteAtEnd, 2, {}, {}},
        {Kind::RelatedTargetRefused, 3, "a", "%zz"}});
    std::string lines;
    for (const ParseDiagnostic& finding : findings) lines += std::to_string(finding.line) + " ";
    EXPECT_EQ(lines, "0 2 3 3 7 ");
    const Keys keys = findingKeys(findings);
    EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()).size(), keys.size());
    const ParseDiagnostic moved[] = {{Kind::EntryWithoutLink, 9, {}, {}}};
    EXPECT_EQ(findingKeys(moved), Keys{keys.back()});
    EXPECT_EQ(findingLines(findings), 3u);
    EXPECT_EQ(clipped("h\u00E9llo", 2), "h\u2026");
    EXPECT_EQ(clipped("abc", 3), "abc");
}

std::vector<std::string> applied(std::vector<std::string> rows, const Keys& after, const std::vector<ListEdit>& edits)
{
    applyListEdits<std::string>(rows, edits, after, [](const ListEdit&, bool) {});
    return rows;
}

TEST(ListEdits, TurnOneListIntoTheOtherInFewSteps)
{
    using K = ListEdit::Kind;
    const std::tuple<Keys, Keys, std::vector<ListEdit>> cases[] = {
        {{"a", "b", "c"}, {"a", "b", "c"}, {}},
        {{"a", "b", "c"}, {"c", "a", "b"}, {{K::Move, 2, 1, 0}}},
        {{"a", "x", "y", "b"}, {"a", "b"}, {{K::Remove, 1, 2}}},
        {{"h1", "h2", "c1"}, {"h3", "h1", "c1", "c2", "c3"}, {{K::Remove, 1, 1}, {K::Insert, 0, 1}, {K::Insert, 3, 2}}},
    };
    for (const auto& [before, after, expected] : cases) {
        const std::optional<std::vector<ListEdit>> edits = planListEdits(before, after);
        ASSERT_TRUE(edits);
        EXPECT_EQ(*edits, expected) << ::testing::PrintToString(before) << " to " << ::testing::PrintToString(after);
    }
    // Any two picks of up to 12 of 16 keys, in random orders.
    std::mt19937 random(7);
    auto pick = [&random] {
        Keys keys;
        for (int k = 0; k < 16; ++k) {
            if (random() % 4 != 0) keys.push_back("k" + std::to_string(k));
        }
        std::shuffle(keys.begin(), keys.end(), random);
        keys.resize(std::min<std::size_t>(keys.size(), random() % 13));
        return keys;
    };
    for (int round = 0; round < 2000; ++round) {
        const Keys before = pick();
        const Keys after = pick();
        const std::optional<std::vector<ListEdit>> edits = planListEdits(before, after);
        ASSERT_TRUE(edits);
        ASSERT_EQ(applied(before, after, *edits), after);
        for (const ListEdit& edit : *edits) EXPECT_TRUE(edit.kind != K::Move || edit.to < edit.first);
    }
    // Lists with little in common: starting over is the honest answer.
    Keys many(500);
    for (std::size_t i = 0; i < many.size(); ++i) many[i] = std::to_string(i);
    Keys shuffled = many;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    EXPECT_FALSE(planListEdits(many, shuffled).has_value());
}

// The open category, by its row key: its screen follows the search, and closes when the search no longer finds it.
TEST(Navigation, ShowsWhatWasOpenedUntilASearchNoLongerFindsIt)
{
    const Services services{parse("# \u25BA Video\n* [Alpha](https://alpha.example/)\n## \u25B7 Old\n* [Beta](https://beta.example/)\n"
                                  "# \u25BA [Docs](https://docs.example/)\n* [Gamma](https://gamma.example/)\n")};
    Navigation navigation;
    auto follow = [&](std::string_view search, std::optional<std::size_t> open = {}) {
        const MainList list = buildMainList(services.state(search));
        if (open) navigation.open(list, rowKeys(list, {}, {}), *open);
        else navigation.listChanged(list, rowKeys(list, {}, {}));
        return navigation.isOpen() ? navigation.shown()->title + ": " + encode(detailRows(*navigation.shown())) : "";
    };
    EXPECT_EQ(follow("", 3), ""); // a link category opens no screen (rows: header, Video, header, Docs)
    EXPECT_EQ(follow("", 1), "Video: header e0 s0.header s0.e0 ");
    const std::string key = navigation.key();
    EXPECT_EQ(follow("beta"), "Video: s0.header s0.e0 ");
    EXPECT_EQ(navigation.shown()->sections[0].entries[0].name + navigation.key(), "Beta" + key);
    EXPECT_EQ(follow("gamma") + navigation.key(), ""); // only the link category has it
}

TEST(RepeatGuard, OnlyTheSameActivationWithinTheIntervalIsARepeat)
{
    RepeatGuard guard(0.4);
    const std::tuple<const char*, double, bool> steps[] = {
        {"a", 10.0, true}, {"a", 10.3, false}, {"b", 10.35, true}, {"a", 10.5, true},
        {"a", 10.95, true}, {"a", 10.1, true}, // a clock set back is no repeat
    };
    for (const auto& [key, at, counts] : steps) EXPECT_EQ(guard.accept(key, at), counts) << key << " at " << at;
}

TEST(EntryRow, RelatedLinksMenuWinsOverTheFavouriteStar)
{
    KVEntry linked = entry("linked");
    linked.relatedLinks.push_back(KVLink{Uuid::random(), "mirror", *Url::parse("https://m.example/")});
    EXPECT_EQ(trailingAccessory(linked, true), TrailingAccessory::RelatedLinksMenu);
    EXPECT_EQ(trailingAccessory(entry("plain"), true), TrailingAccessory::FavoriteStar);
    EXPECT_EQ(trailingAccessory(entry("plain"), false), TrailingAccessory::Chevron);
}

} // namespace
} // namespace kavo::screens
