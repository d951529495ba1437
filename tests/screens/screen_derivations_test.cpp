// SPDX-License-Identifier: GPL-3.0-or-later
// The derivations behind the main and category screens: category order, the
// entry search, the main list's rows and their keys, telling a list row by
// row, the open category, the detail rows, the entry row's rules and the
// symbol table.
#include "catalog/parser.h"
#include "platform/unicode_text.h"
#include "screens/category_detail_rows.h"
#include "screens/category_order.h"
#include "screens/entry_row_rules.h"
#include "screens/list_diff.h"
#include "screens/main_list.h"
#include "screens/navigation.h"
#include "screens/presentation_rules.h"
#include "screens/repeat_guard.h"
#include "screens/search_index.h"
#include "screens/symbols.h"

#include <gtest/gtest.h>
#include <unicode/locid.h>

#include <algorithm>
#include <cctype>
#include <numeric>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace kavo::screens {
namespace {

std::vector<KVCategory> parse(std::string_view page) { return KVParser().parse(page); }

std::vector<KVCategory> titled(const std::vector<std::string>& titles)
{
    std::vector<KVCategory> categories;
    for (const std::string& title : titles) categories.push_back(KVCategory{Uuid::random(), title, {}, {}, {}, {}});
    return categories;
}

KVEntry entry(std::string name)
{
    return KVEntry{Uuid::random(), std::move(name), *Url::parse("https://same.example/"), {}, KVBadge::none, {}};
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

// "[Title: direct names {Section: names}]" for each category.
std::string describe(const std::vector<KVCategory>& categories)
{
    std::string out;
    for (const KVCategory& category : categories) {
        out += "[" + category.title + ":";
        for (const KVEntry& e : category.entries) out += " " + e.name;
        for (const KVSection& s : category.sections) {
            out += " {" + s.title + ":";
            for (const KVEntry& e : s.entries) out += " " + e.name;
            out += "}";
        }
        out += "]";
    }
    return out;
}

// ---------------------------------------------------------------------------
// Category order

TEST(CategoryOrder, CollatesByLocaleIgnoringCaseAndKeepsTiesInCatalogueOrder)
{
    const std::tuple<const char*, std::vector<std::string>, std::vector<std::size_t>> cases[] = {
        {"en_US", {"banana", "Äpfel", "apfel", "Zebra", "Apfel"}, {2, 4, 1, 0, 3}},
        {"sv_SE", {"Äpple", "Zebra", "apple", "Örn", "Ål"}, {2, 1, 4, 0, 3}},
        {"en_US", {"video", "Video", "Audio", "VIDEO"}, {2, 0, 1, 3}},
        {"en_US", {"Video", "video"}, {0, 1}},
        {"en_US", {"Jena", "İzmir", "izmir", "Izmir"}, {2, 3, 1, 0}},
        {"en_US", {"文学", "σοφία", "Zeta", "Σοφία", "alpha"}, {4, 2, 1, 3, 0}},
        {"en_US", {"e\u0301te", "ete", "\u00e9te"}, {1, 0, 2}},                              // canonically equal
        {"en_US", {"Straße", "Strand", "STRASSE", "Strasbourg", "Strauss"}, {1, 3, 2, 0, 4}}, // ß goes with ss
    };
    for (const auto& [locale, titles, expected] : cases) {
        const std::vector<KVCategory> catalogue = titled(titles);
        EXPECT_EQ(positions(catalogue, sortedCategories(catalogue, locale)), expected) << locale << " " << titles[0];
    }
}

// Enough ties, in every mix of case, for an order that is not stable to show.
TEST(CategoryOrder, ManyTitlesEqualButForCaseKeepCatalogueOrder)
{
    std::vector<std::string> titles;
    std::vector<std::size_t> audio, video;
    for (std::size_t i = 0; i < 64; ++i) {
        const bool isAudio = i % 3 == 1;
        std::string title = isAudio ? "audio" : "video";
        for (std::size_t j = 0; j < title.size(); ++j) {
            if ((i >> j) & 1) title[j] = static_cast<char>(title[j] - 'a' + 'A');
        }
        titles.push_back(title);
        (isAudio ? audio : video).push_back(i);
    }
    audio.insert(audio.end(), video.begin(), video.end());
    const std::vector<KVCategory> catalogue = titled(titles);
    EXPECT_EQ(positions(catalogue, sortedCategories(catalogue, "en_US")), audio);
}

// "en_US_POSIX" is the current locale ICU takes for a process started with LANG=C or C.UTF-8.
TEST(CategoryOrder, CurrentLocaleIgnoresCaseToo)
{
    const icu::Locale saved = icu::Locale::getDefault();
    const std::vector<KVCategory> catalogue = titled({"b", "Zulu", "A", "a", "B"});
    for (const char* locale : {"en_US", "de_DE", "en_US_POSIX"}) {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale(locale), status);
        EXPECT_EQ(positions(catalogue, sortedCategories(catalogue)), (std::vector<std::size_t>{2, 3, 0, 4, 1}))
            << "current locale " << locale;
    }
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(saved, status);
}

TEST(CategoryOrder, AnyUnicodeTitlesSortToOneConsistentOrder)
{
    const std::vector<std::string> titles = {"", "İ", "ı", "i\u0307", "ß", "ẞ", "SS", "Σ", "ς", "σ", "文学",
                                             "中文", "😀", "\u0301", "Ω", "ǅ", "ﬃ", "ffi", "a\u200db", "ab"};
    std::vector<std::size_t> identity(titles.size());
    std::iota(identity.begin(), identity.end(), 0u);
    for (const char* locale : {"en_US", "sv_SE", "tr_TR", "zh_CN", "root"}) {
        const std::vector<KVCategory> catalogue = titled(titles);
        const std::vector<std::size_t> order = positions(catalogue, sortedCategories(catalogue, locale));
        EXPECT_TRUE(std::is_permutation(order.begin(), order.end(), identity.begin(), identity.end())) << locale;
        EXPECT_EQ(positions(catalogue, sortedCategories(catalogue, locale)), order) << locale;
        // Titles already in that order stay in it: the comparison is consistent, not an artefact of the input.
        std::vector<std::string> inOrder;
        for (std::size_t i : order) inOrder.push_back(titles[i]);
        const std::vector<KVCategory> again = titled(inOrder);
        EXPECT_EQ(positions(again, sortedCategories(again, locale)), identity) << locale;
    }
}

TEST(CategoryOrder, SplitKeepsTheSortedOrderAndSendsLinkHeadingsToLinks)
{
    const std::vector<KVCategory> catalogue = parse("# ► [Zulu Wiki](https://zulu.example/)\n# ► mirrors\n"
                                                    "# ► [alpha site](https://alpha.example/)\n# ► Books\n"
                                                    "# ► [Beta](not a url)\n");
    const SplitCategories split = splitLinkCategories(sortedCategories(catalogue, "en_US"));
    std::vector<std::string> plain, links;
    for (const KVCategory* category : split.categories) plain.push_back(category->title);
    for (const KVCategory* category : split.links) links.push_back(category->title + " " + category->url->text());
    EXPECT_EQ(plain, (std::vector<std::string>{"Beta", "Books", "mirrors"}));
    EXPECT_EQ(links, (std::vector<std::string>{"alpha site https://alpha.example/", "Zulu Wiki https://zulu.example/"}));
}

// ---------------------------------------------------------------------------
// Search: the index against a direct reading of the rules

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
        std::vector<KVSection> sections;
        for (const KVSection& s : category->sections) {
            if (std::vector<KVEntry> kept = matching(s.entries); !kept.empty()) {
                sections.push_back(KVSection{s.id, s.title, s.url, s.note, std::move(kept)});
            }
        }
        std::vector<KVEntry> direct = matching(category->entries);
        if (direct.empty() && sections.empty()) continue;
        result.push_back(KVCategory{category->id, category->title, category->url, category->note, std::move(direct),
                                    std::move(sections)});
    }
    return result;
}

// Compares one search with the reference, all but the identities; returns the new identities.
std::vector<Uuid> expectSameAsReference(const SearchIndex& index, const std::vector<const KVCategory*>& list,
                                        const std::string& query)
{
    std::vector<KVCategory> found;
    std::vector<Uuid> ids;
    for (const FilteredCategory& filtered : search(index, list, query)) {
        KVCategory category = filtered.materialize();
        EXPECT_NE(category.id, filtered.source->id);
        EXPECT_EQ(filtered.entryCount(), entryCount(category));
        ids.push_back(std::exchange(category.id, filtered.source->id));
        found.push_back(std::move(category));
    }
    const std::vector<KVCategory> expected = referenceSearch(list, query);
    EXPECT_TRUE(found == expected) << "query \"" << query << "\"\n  found:    " << describe(found)
                                   << "\n  expected: " << describe(expected);
    return ids;
}

TEST(Search, FindsEntriesByNameDescriptionOrAddressOnly)
{
    const std::vector<KVCategory> catalogue = parse("# ► Streaming Video\n* **Note** - hidden treasure\n***\n"
                                                    "* [Alpha](https://alpha.example/path) - first Description\n"
                                                    "* [Beta](https://beta.example/)\n* [Bana](https://b.example/) - nana\n"
                                                    "## ▷ Section Title\n"
                                                    "* [Gamma Ray](https://gamma.example/), [Secret](https://s.example/)\n");
    const SearchIndex index(catalogue);
    const std::pair<std::string, std::string> cases[] = {
        {"ALPHA", "[Streaming Video: Alpha]"},
        {"beta.example", "[Streaming Video: Beta]"},
        {"first ", "[Streaming Video: Alpha]"},
        {" ray", "[Streaming Video: {Section Title: Gamma Ray}]"},
        {"http", "[Streaming Video: Alpha Beta Bana {Section Title: Gamma Ray}]"},
        {"NAN", "[Streaming Video: Bana]"}, // "bana"+"nana" holds "nan" across the fields first
        {"ray ", ""},              // the trailing space takes part
        {"betahttps", ""},         // end of a name, start of an address (no description)
        {"alphafirst", ""},        // end of a name, start of a description
        {"descriptionhttps", ""},  // end of a description, start of an address
        {"pathbeta", ""},          // end of one entry's address, start of the next entry's name
        {"streaming", ""}, {"treasure", ""}, {"section", ""}, {"secret", ""}, {"s.example", ""},
    };
    for (const auto& [query, expected] : cases) {
        std::vector<KVCategory> found;
        for (const FilteredCategory& filtered : search(index, {&catalogue[0]}, query)) found.push_back(filtered.materialize());
        EXPECT_EQ(describe(found), expected) << "query \"" << query << "\"";
    }
}

constexpr std::string_view kWords[] = {"Video", "video", "VIDEO", "Free", "Music", "ÉTÉ", "été", "İstanbul", "ıi",
                                       "Straße", "STRASSE", "ΣΟΦΟΣ", "σοφος", "Οδός", "文学", "漫画", "HD", "x", "nana", "Bana"};
constexpr std::string_view kHosts[] = {"alpha.example", "Beta.Example", "ete.example", "video.example"};
constexpr std::string_view kPaths[] = {"", "video", "Été", "文学", "free-hd", "Music/x", "ΣΟΦΟΣ"};

// Random pages in the house style, and random pieces of their text to search for.
struct Random {
    std::mt19937 rng;

    std::size_t below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); }
    bool chance(std::size_t percent) { return below(100) < percent; }
    template <std::size_t N> std::string any(const std::string_view (&list)[N]) { return std::string(list[below(N)]); }
    std::string words(std::size_t most)
    {
        std::string out = any(kWords);
        for (std::size_t n = below(most); n > 0; --n) out += " " + any(kWords);
        return out;
    }
    std::string link() { return "https://" + any(kHosts) + "/" + any(kPaths); }
    std::string note() { return chance(30) ? "* **Note** - " + words(3) + "\n***\n" : ""; }
    std::string entries(std::size_t most)
    {
        std::string out;
        for (std::size_t n = below(most + 1); n > 0; --n) {
            out += std::string("* ") + (chance(20) ? "⭐ " : "") + "[" + words(3) + "](" + link() + ")";
            if (chance(30)) out += ", [" + words(2) + "](" + link() + ")";
            out += (chance(60) ? " - " + words(4) : "") + "\n";
        }
        return out;
    }
    std::string page()
    {
        std::string out;
        for (std::size_t c = 1 + below(5); c > 0; --c) {
            out += "# ► " + (chance(30) ? "[" + words(2) + "](" + link() + ")" : words(3)) + "\n" + note() + entries(3);
            for (std::size_t s = below(4); s > 0; --s) out += "## ▷ " + words(2) + "\n" + note() + entries(4);
        }
        return out;
    }
    // A piece of `text` cut at character boundaries (at its start or end when asked), ASCII letters in random case.
    std::string piece(const std::string& text, bool fromStart = false, bool toEnd = false)
    {
        std::vector<std::size_t> cuts;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) cuts.push_back(i);
        }
        std::size_t from = fromStart ? 0 : below(cuts.size()), to = toEnd ? cuts.size() - 1 : below(cuts.size());
        if (from > to) std::swap(from, to);
        std::string out = text.substr(cuts[from], cuts[to] - cuts[from]);
        for (char& ch : out) {
            if (std::isalpha(static_cast<unsigned char>(ch)) && chance(50)) ch = static_cast<char>(ch ^ 0x20);
        }
        return out;
    }
    // Pieces of entry fields (some with a space before or after), the end of one field joined
    // to the start of the next, pieces of titles, notes and related links, and single letters.
    std::vector<std::string> queries(const std::vector<KVCategory>& catalogue)
    {
        std::vector<std::string> fields, elsewhere;
        auto addEntries = [&](const std::vector<KVEntry>& list) {
            for (const KVEntry& e : list) {
                fields.insert(fields.end(), {e.name, e.description.value_or(""), e.url.text()});
                for (const KVLink& related : e.relatedLinks) elsewhere.push_back(related.name);
            }
        };
        for (const KVCategory& category : catalogue) {
            elsewhere.push_back(category.title + " " + category.note.value_or(""));
            addEntries(category.entries);
            for (const KVSection& s : category.sections) {
                elsewhere.push_back(s.title + " " + s.note.value_or(""));
                addEntries(s.entries);
            }
        }
        std::vector<std::string> out = {" ", "é", "É", "ß", "ss", "σ", "Σ", "ς", "İ", "i\u0307", "文", "://", "zzz"};
        for (std::size_t i = 0; i < 30 && !fields.empty(); ++i) {
            const std::size_t at = below(fields.size());
            std::string query = piece(fields[at]);
            if (i % 3 == 0 && at + 1 < fields.size()) query = piece(fields[at], false, true) + piece(fields[at + 1], true);
            if (i % 3 == 1) query = (chance(50) ? " " : "") + query + (chance(50) ? " " : "");
            out.push_back(query);
        }
        for (std::size_t i = 0; i < 8; ++i) out.push_back(piece(elsewhere[below(elsewhere.size())]));
        std::erase(out, "");
        return out;
    }
};

TEST(Search, AgreesWithTheRulesOverRandomCatalogues)
{
    for (unsigned seed = 1; seed <= 250; ++seed) {
        Random random{std::mt19937(seed)};
        const std::string page = random.page();
        const std::vector<KVCategory> catalogue = parse(page);
        const SearchIndex index(catalogue);
        const SplitCategories split = splitLinkCategories(sortedCategories(catalogue, "en_US"));
        SCOPED_TRACE("seed " + std::to_string(seed) + ", page:\n" + page);
        for (const std::string& query : random.queries(catalogue)) {
            // Both lists, and the first again: every result of every run is a new category.
            std::set<std::string> ids;
            std::size_t results = 0;
            for (const auto* list : {&split.categories, &split.links, &split.categories}) {
                for (const Uuid& id : expectSameAsReference(index, *list, query)) {
                    ids.insert(id.toString());
                    ++results;
                }
            }
            EXPECT_EQ(ids.size(), results) << "a search reused an identity, query \"" << query << "\"";
        }
    }
}

// The search's own counts are checked against the records it makes, above.
TEST(Search, EntryCountAddsDirectAndSectionEntries)
{
    const std::vector<KVEntry> four(4, entry("f"));
    const KVCategory twelve{Uuid::random(), "Twelve", {}, {}, {entry("a"), entry("b"), entry("c")},
                            {section({}, four), section({}, {}), section({}, {four[0], entry("x"), four[1], four[2], four[3]})}};
    EXPECT_EQ(entryCount(twelve), 12u);
    EXPECT_EQ(entryCount(KVCategory{Uuid::random(), "Nothing", {}, std::string("n"), {}, {section({}, {})}}), 0u);
}

// ---------------------------------------------------------------------------
// Main list

constexpr std::string_view kMainPage =
    "# ► Zeta Video\n* [Alpha Player](https://alpha.example/) - plays things\n* [Beta](https://beta.example/)\n"
    "## ▷ More\n* [Gamma](https://gamma.example/) - an alpha mention\n"
    "# ► [Docs Link](https://docs.example/)\n* [Alpha Docs](https://d.example/)\n"
    "# ► apples\n* [Delta](https://delta.example/)\n# ► [Empty Link](https://empty.example/)\n";

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

// Runs of row kinds, e.g. "History*5 Category*2 Link"; each section's run
// must follow its header row, which is left out here.
std::string kinds(const MainList& list)
{
    static const char* const names[] = {"Loading", "Error", "History", "Favorite", "Category", "Link", "NoResults", "Empty"};
    std::string out;
    for (std::size_t i = 0, run = 1; i < list.rows.size(); i += run, run = 1) {
        const MainRowKind kind = list.rows[i].kind;
        if (kind == MainRowKind::SectionHeader) {
            EXPECT_TRUE(i + 1 < list.rows.size() && list.rows[i + 1].kind == static_cast<MainRowKind>(list.rows[i].index));
            continue;
        }
        const bool section = kind == MainRowKind::History || kind == MainRowKind::Favorite ||
                             kind == MainRowKind::Category || kind == MainRowKind::Link;
        EXPECT_EQ(section, i > 0 && list.rows[i - 1].kind == MainRowKind::SectionHeader) << names[static_cast<int>(kind)];
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
    };
    const Case cases[] = {
        {false, false, false, 0, 0, "", "Empty"},
        {false, true, false, 0, 0, "", "Loading"},
        {false, true, true, 0, 0, "", "Loading Error"},
        {false, false, true, 0, 0, "", "Error Empty"},
        {false, false, false, 0, 0, "x", "NoResults"},
        {false, true, false, 3, 0, "x", "Loading"},
        {false, false, false, 7, 12, "", "History*5 Favorite*10 Empty"},
        {true, false, false, 0, 0, "", "Category*2 Link*2"},
        {true, true, false, 3, 0, "", "History*3 Category*2 Link*2"},
        {true, false, true, 7, 12, "", "Error History*5 Favorite*10 Category*2 Link*2"},
        {true, false, false, 0, 12, "", "Favorite*10 Category*2 Link*2"},
        {true, false, false, 7, 12, "ALPHA", "Category Link"},
        {true, false, false, 7, 12, "alpha p", "Category"},
        {true, false, false, 3, 3, "zzz", ""},
        {true, true, true, 3, 3, "zzz", "Error"},
        {true, false, false, 3, 3, " ", "Category Link"},
    };
    for (const Case& c : cases) {
        const Services services{c.loaded ? parse(kMainPage) : std::vector<KVCategory>{}};
        MainListState state = services.state(c.search);
        std::tie(state.isLoading, state.hasError, state.historyCount, state.favoriteCount) =
            std::tie(c.loading, c.error, c.history, c.favorites);
        const MainList list = buildMainList(state);
        EXPECT_EQ(kinds(list), c.expected) << "loaded " << c.loaded << ", loading " << c.loading << ", error " << c.error
                                           << ", history " << c.history << ", favourites " << c.favorites
                                           << ", search \"" << c.search << "\"";
        // Each kind's rows count up from 0; category and link rows share `categories`.
        std::size_t next[8] = {};
        for (const MainRow& row : list.rows) {
            if (row.kind == MainRowKind::SectionHeader) continue;
            const bool categoryRow = row.kind == MainRowKind::Category || row.kind == MainRowKind::Link;
            EXPECT_EQ(row.index, next[categoryRow ? 4 : static_cast<int>(row.kind)]++);
            if (categoryRow) {
                EXPECT_EQ(list.categories.at(row.index).category->url.has_value(), row.kind == MainRowKind::Link);
            }
        }
        EXPECT_EQ(next[4], list.categories.size());
    }
}

TEST(MainList, CategoryRowsCountAndOpenTheWholeCategoryOrItsSearchResult)
{
    const Services services{parse(kMainPage)};
    const MainList all = buildMainList(services.state());
    std::vector<std::string> rows;
    for (const MainRow& row : all.rows) {
        if (row.kind == MainRowKind::SectionHeader) continue;
        const KVCategory opened = all.categoryFor(row);
        EXPECT_TRUE(opened == *all.categories[row.index].category) << opened.title;
        rows.push_back(opened.title + " " + std::to_string(all.categories[row.index].entryCount));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"apples 1", "Zeta Video 3", "Docs Link 1", "Empty Link 0"}));

    const MainList found = buildMainList(services.state("ALPHA"));
    ASSERT_EQ(kinds(found), "Category Link");
    const KVCategory zeta = found.categoryFor(found.rows[1]); // after the header
    EXPECT_NE(zeta.id, found.categories[0].category->id);
    EXPECT_EQ(describe({zeta}), "[Zeta Video: Alpha Player {More: Gamma}]");
    EXPECT_EQ(found.categories[0].entryCount, 2u);
    const KVCategory docs = found.categoryFor(found.rows[3]);
    EXPECT_EQ(docs.url, found.categories[1].category->url);
    EXPECT_EQ(found.categories[1].entryCount, 1u);

    // Opened from a search that matched only a section's entry, the screen has no "General" part.
    const MainList sectionOnly = buildMainList(services.state("mention"));
    ASSERT_EQ(kinds(sectionOnly), "Category");
    const std::vector<DetailRow> detail = detailRows(sectionOnly.categoryFor(sectionOnly.rows[1]));
    ASSERT_EQ(detail.size(), 2u);
    EXPECT_EQ(detail[0].kind, DetailRowKind::Header);
    EXPECT_EQ(detail[0].section, 0);
}

// ---------------------------------------------------------------------------
// Category detail rows

// "note", "general", "e<i>", "s<n>", "s<n>.note", "s<n>.e<i>"
std::string encode(const std::vector<DetailRow>& rows)
{
    std::string out;
    for (const DetailRow& row : rows) {
        const std::string in = row.section < 0 ? "" : "s" + std::to_string(row.section);
        out += out.empty() ? "" : " ";
        switch (row.kind) {
        case DetailRowKind::CategoryNote: out += "note"; break;
        case DetailRowKind::Header: out += in.empty() ? "general" : in; break;
        case DetailRowKind::SectionNote: out += in + ".note"; break;
        case DetailRowKind::Entry: out += in + (in.empty() ? "e" : ".e") + std::to_string(row.entry); break;
        }
    }
    return out;
}

TEST(DetailRows, PresenceNotContentDecidesEachRow)
{
    const std::pair<KVCategory, std::string> cases[] = {
        {{Uuid::random(), "Bare", {}, {}, {}, {}}, ""},
        {{Uuid::random(), "Empty note", {}, std::string(), {}, {}}, "note"},
        {{Uuid::random(), "Direct", {}, {}, {entry("a"), entry("b")}, {}}, "general e0 e1"},
        {{Uuid::random(), "Sections only", {}, {}, {}, {section({}, {entry("a")})}}, "s0 s0.e0"},
        {{Uuid::random(), "All", {}, std::string("n"), {entry("a"), entry("b")},
          {section({}, {entry("c")}), section(std::string("x"), {}), section({}, {})}},
         "note general e0 e1 s0 s0.e0 s1 s1.note s2"},
        {{Uuid::random(), "Section notes", {}, {}, {},
          {section(std::string(), {entry("a"), entry("b")}), section(std::string("only"), {})}},
         "s0 s0.note s0.e0 s0.e1 s1 s1.note"},
    };
    for (const auto& [category, expected] : cases) EXPECT_EQ(encode(detailRows(category)), expected) << category.title;
}

TEST(DetailRows, TheKeyboardStopsOnlyAtEntries)
{
    // note general e0 s0 s0.note s1 s1.e0
    const KVCategory category{Uuid::random(), "Keys", {}, std::string("n"), {entry("a")},
                              {section(std::string("x"), {}), section({}, {entry("b")})}};
    const std::vector<DetailRow> rows = detailRows(category);
    const std::tuple<std::ptrdiff_t, int, std::optional<std::size_t>> cases[] = {
        {0, 1, 2}, {2, 1, 2}, {3, 1, 6}, {5, -1, 2}, {1, -1, std::nullopt}, {-3, 1, 2}, {99, -1, 6}, {99, 1, 6},
    };
    for (const auto& [from, step, expected] : cases) {
        EXPECT_EQ(entryRowFrom(rows, from, step), expected) << from << " by " << step;
    }
    EXPECT_EQ(entryRowFrom({}, 0, 1), std::nullopt);
}

TEST(DetailRows, EntryRowsStandForTheirOwnEntriesEvenWhenTheyLookAlike)
{
    const KVCategory category{Uuid::random(), "Twins", {}, {}, {entry("direct")},
                              {section({}, {entry("same"), entry("same")})}};
    std::vector<Uuid> ids;
    for (const DetailRow& row : detailRows(category)) {
        if (row.kind == DetailRowKind::Entry) ids.push_back(entryFor(category, row).id);
    }
    EXPECT_EQ(ids, (std::vector<Uuid>{category.entries[0].id, category.sections[0].entries[0].id,
                                      category.sections[0].entries[1].id}));
}

// ---------------------------------------------------------------------------
// Telling a list row by row

std::vector<std::string> applied(std::vector<std::string> rows, const std::vector<std::string>& after,
                                 const std::vector<ListEdit>& edits)
{
    applyListEdits<std::string>(rows, edits, after, [](const ListEdit&, bool) {});
    return rows;
}

using Keys = std::vector<std::string>;

TEST(ListEdits, TurnOneListIntoTheOtherInFewSteps)
{
    using K = ListEdit::Kind;
    const std::tuple<Keys, Keys, std::vector<ListEdit>> cases[] = {
        {{"a", "b", "c"}, {"a", "b", "c"}, {}},
        {{"a", "b"}, {"n", "a", "b"}, {{K::Insert, 0, 1}}},
        {{"a", "b", "c"}, {"c", "a", "b"}, {{K::Move, 2, 1, 0}}},
        {{"a", "x", "y", "b"}, {"a", "b"}, {{K::Remove, 1, 2}}},
        {{"h1", "h2", "c1"}, {"h3", "h1", "c1", "c2", "c3"}, {{K::Remove, 1, 1}, {K::Insert, 0, 1}, {K::Insert, 3, 2}}},
        {{}, {"a", "b"}, {{K::Insert, 0, 2}}},
        {{"a", "b"}, {}, {{K::Remove, 0, 2}}},
    };
    for (const auto& [before, after, expected] : cases) {
        const std::optional<std::vector<ListEdit>> edits = planListEdits(before, after);
        ASSERT_TRUE(edits);
        EXPECT_EQ(*edits, expected) << ::testing::PrintToString(before) << " to " << ::testing::PrintToString(after);
        EXPECT_EQ(applied(before, after, *edits), after);
    }
}

TEST(ListEdits, AnyTwoListsOrAResetWhenTheyHaveLittleInCommon)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        // Two picks of up to 12 of 16 keys, in random orders.
        auto pick = [&random] {
            Keys keys;
            for (int k = 0; k < 16; ++k) {
                if (random() % 4 != 0) keys.push_back("k" + std::to_string(k));
            }
            std::shuffle(keys.begin(), keys.end(), random);
            keys.resize(std::min<std::size_t>(keys.size(), random() % 13));
            return keys;
        };
        const Keys before = pick();
        const Keys after = pick();
        const std::optional<std::vector<ListEdit>> edits = planListEdits(before, after);
        ASSERT_TRUE(edits);
        EXPECT_EQ(applied(before, after, *edits), after);
        for (const ListEdit& edit : *edits) {
            if (edit.kind == ListEdit::Kind::Move) {
                EXPECT_LT(edit.to, edit.first);
            }
        }
    }
    Keys many(500);
    for (std::size_t i = 0; i < many.size(); ++i) many[i] = std::to_string(i);
    Keys shuffled = many;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    EXPECT_FALSE(planListEdits(many, shuffled).has_value());
}

TEST(MainList, RowKeysStayWithTheirItemsAndNeverRepeat)
{
    const std::vector<KVCategory> catalogue =
        parse("# ► Same\n* [a](https://a.example/)\n# ► Same\n* [b](https://b.example/)\n"
              "# ► [Same](https://same.example/)\n* [c](https://c.example/)\n");
    const Services services{catalogue};
    auto history = [](std::initializer_list<const char*> urls) {
        std::vector<HistoryEntry> entries;
        for (const char* url : urls) entries.push_back({Uuid::random(), "n", *Url::parse(url), 0});
        return entries;
    };
    const std::vector<FavoriteEntry> favorites = {{Uuid::random(), "f", *Url::parse("https://a.example/"), KVBadge::none, 0}};
    auto keys = [&](const std::vector<HistoryEntry>& entries) {
        MainListState state = services.state();
        state.historyCount = entries.size();
        state.favoriteCount = favorites.size();
        return rowKeys(buildMainList(state), entries, favorites);
    };
    // A link opened twice in a loaded file, a link that is also a favourite,
    // two categories and a link category of one title: all told apart.
    const Keys first = keys(history({"https://a.example/", "https://b.example/", "https://a.example/"}));
    EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), first.size());
    // Opening another link adds its row; every other row keeps its key.
    const Keys second = keys(history({"https://c.example/", "https://a.example/", "https://b.example/", "https://a.example/"}));
    Keys others = second;
    others.erase(others.begin() + 1); // the new row, under the section's header
    EXPECT_EQ(others, first);
    EXPECT_EQ(std::count(second.begin(), second.end(), second[1]), 1);
}

TEST(Navigation, ShowsWhatWasOpenedUntilASearchNoLongerFindsIt)
{
    std::vector<KVCategory> catalogue =
        parse("# ► Video\n* [Alpha](https://alpha.example/)\n## ▷ Old\n* [Beta](https://beta.example/)\n"
              "# ► [Docs](https://docs.example/)\n* [Gamma](https://gamma.example/)\n");
    const Services services{catalogue};
    auto derive = [&](std::string_view search) {
        const MainList list = buildMainList(services.state(search));
        return std::pair{list, rowKeys(list, {}, {})};
    };
    Navigation navigation;
    auto [all, allKeys] = derive("");
    navigation.open(all, allKeys, 3); // a link category opens no screen (rows: header, Video, header, Docs)
    EXPECT_FALSE(navigation.isOpen());
    navigation.open(all, allKeys, 1);
    ASSERT_TRUE(navigation.isOpen());
    EXPECT_EQ(describe({*navigation.shown()}), "[Video: Alpha {Old: Beta}]");

    auto [found, foundKeys] = derive("beta");
    navigation.searchChanged(found, foundKeys);
    EXPECT_EQ(describe({*navigation.shown()}), "[Video: {Old: Beta}]");
    EXPECT_EQ(navigation.key(), allKeys[1]);
    auto [none, noneKeys] = derive("gamma"); // only the link category has it
    navigation.searchChanged(none, noneKeys);
    EXPECT_FALSE(navigation.isOpen());
    EXPECT_EQ(navigation.key(), "");
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

// ---------------------------------------------------------------------------
// Entry row

TEST(EntryRow, BadgeIconFollowsTheBadge)
{
    const std::tuple<KVBadge, std::string_view, std::string_view> cases[] = {
        {KVBadge::star, "star.fill", "orange"},
        {KVBadge::globe, "globe", "blue"},
        {KVBadge::arrow, "arrow.turn.right", "secondary"},
        {KVBadge::none, "", ""},
    };
    for (const auto& [badge, symbol, color] : cases) {
        EXPECT_EQ(badgeIcon(badge).symbol, symbol) << rawValue(badge);
        EXPECT_EQ(badgeIcon(badge).color, color) << rawValue(badge);
    }
}

TEST(EntryRow, RelatedLinksMenuWinsOverTheFavouriteStar)
{
    const KVEntry plain = entry("plain");
    KVEntry linked = entry("linked");
    linked.relatedLinks.push_back(KVLink{Uuid::random(), "mirror", *Url::parse("https://m.example/")});
    EXPECT_EQ(trailingAccessory(linked, true), TrailingAccessory::RelatedLinksMenu);
    EXPECT_EQ(trailingAccessory(linked, false), TrailingAccessory::RelatedLinksMenu);
    EXPECT_EQ(trailingAccessory(plain, true), TrailingAccessory::FavoriteStar);
    EXPECT_EQ(trailingAccessory(plain, false), TrailingAccessory::Chevron);
}

// ---------------------------------------------------------------------------
// Symbols

TEST(Symbols, EveryNameTheScreensUseHasAPrivateUseGlyph)
{
    std::set<std::string_view> used = {"gearshape", "arrow.clockwise", "exclamationmark.triangle.fill", "clock",
                                       "star.fill", "arrow.up.forward.app", "magnifyingglass", "ellipsis",
                                       "chevron.right", "chevron.left", "doc.on.doc", "square.and.arrow.up",
                                       "star", "star.slash", "trash", "clock.arrow.circlepath"};
    std::set<std::string_view> icons;
    for (std::string_view title : {"Streaming", "Music", "Books", "Games", "Anime", "Tools", "Education", "Social",
                                   "Downloads", "Search", "Android", "Windows", "Emulators", ""}) {
        icons.insert(iconName(title));
    }
    ASSERT_EQ(icons.size(), 14u) << "each title should reach a different row of the icon table";
    used.insert(icons.begin(), icons.end());
    for (KVBadge badge : {KVBadge::star, KVBadge::globe, KVBadge::arrow}) used.insert(badgeIcon(badge).symbol);
    const std::vector<std::string_view> names = symbolNames();
    EXPECT_EQ(std::set<std::string_view>(names.begin(), names.end()).size(), names.size());
    used.insert(names.begin(), names.end());
    for (std::string_view name : used) {
        const std::optional<char32_t> glyph = symbolGlyph(name);
        EXPECT_TRUE(glyph && *glyph >= 0xE000 && *glyph <= 0xF8FF) << name;
    }
    EXPECT_FALSE(symbolGlyph("").has_value());
    EXPECT_FALSE(symbolGlyph("Star.Fill").has_value());
}

} // namespace
} // namespace kavo::screens
