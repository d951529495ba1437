// SPDX-License-Identifier: GPL-3.0-or-later
// The JSON of the cache and the personal files: the round trip, the form
// written, what reading forgives, and that one bad value refuses the whole file.
#include "catalog/catalog_json.h"
#include "catalog/personal_records.h"
#include "fixtures.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

template <typename List, typename Result> List accepted(Result decoded)
{
    if (auto* list = std::get_if<List>(&decoded)) return std::move(*list);
    ADD_FAILURE() << "refused: " << std::get<json::DecodeError>(decoded).message();
    return {};
}

// One category with one section and one entry of each shape, as we write it.
constexpr std::string_view kValid =
    R"([{"id":"6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B","title":"Tools","url":"/tools","note":"n",)"
    R"("entries":[{"id":"0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","name":"Eps","url":"/eps","description":"d",)"
    R"("badge":"star","relatedLinks":[{"id":"1A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","name":"R","url":"/r"}]}],)"
    R"("sections":[{"id":"2A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","title":"S","entries":[]}]}])";

TEST(CatalogJson, RoundTripKeepsEveryFieldInTheCompactForm)
{
    const std::vector<KVCategory> catalogue = fixtures::makeCatalogue(60, 7);
    const std::string encoded = encodeCategories(catalogue);
    const auto decoded = accepted<std::vector<KVCategory>>(decodeCategories(encoded));
    EXPECT_EQ(decoded, catalogue);
    EXPECT_EQ(encodeCategories(decoded), encoded);

    // Field order, upper-case ids, absent optionals left out (never null).
    const Uuid id = *Uuid::fromString("6f1c2b0a-3d4e-4f56-8a7b-9c0d1e2f3a4b");
    const KVEntry entry{id, "E", *Url::parse("/e"), {}, KVBadge::none, {}};
    EXPECT_EQ(encodeCategories({KVCategory{id, "T", Url::parse("/t"), {}, {entry}, {}}}),
              R"([{"id":"6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B","title":"T","url":"/t","entries":[{"id":)"
              R"("6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B","name":"E","url":"/e","badge":"none","relatedLinks":[]}],)"
              R"("sections":[]}])");
    EXPECT_EQ(encodeCategories({}), "[]");
}

// Keys come in any order, unknown ones are ignored, null stands for an absent optional.
TEST(CatalogJson, ReadsKeysInAnyOrderIgnoresUnknownOnesAndTakesNullAsAbsent)
{
    const auto nulls = accepted<std::vector<KVCategory>>(decodeCategories(std::string_view(
        R"([{"title":"","url":null,"note":null,"extra":{"deep":[1,{"x":null}]},"entries":[{"badge":"none",)"
        R"("url":"\/e","description":null,"name":"","relatedLinks":[],"id":"0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3"}],)"
        R"("sections":[],"id":"6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B"}])")));
    ASSERT_EQ(nulls.size(), 1u);
    EXPECT_FALSE(nulls[0].url || nulls[0].note || nulls[0].entries.at(0).description);
    EXPECT_EQ(nulls[0].entries[0].url.text(), "/e");
}

// Each corruption of kValid, and where the refusal must point.
TEST(CatalogJson, OneBadValueRefusesTheWholeDocument)
{
    const std::tuple<std::string_view, std::string_view, const char*> corruptions[] = {
        {R"("star")", R"("Star")", "[0].entries[0].badge"},
        {R"(,"sections":[{"id":"2A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","title":"S","entries":[]}])", "", "[0].sections"},
        {R"("entries":[]})", R"("entries":null})", "[0].sections[0].entries"},
        {R"("title":"Tools")", R"("title":7)", "[0].title"},
        {R"("6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B")", R"("6F1C2B0A3D4E4F568A7B9C0D1E2F3A4B")", "[0].id"},
        {R"("id":"2A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3",)", "", "[0].sections[0].id"},
        {R"("url":"/r")", R"("url":"/e r")", "[0].entries[0].relatedLinks[0].url"},
        {R"("url":"/tools")", R"("url":"")", "[0].url"},
        {R"("description":"d")", R"("description":["d"])", "[0].entries[0].description"},
        {R"("entries":[{"id":"0A1B)", R"("entries":[1,{"id":"0A1B)", "[0].entries[0]"},
        {R"([{"id":"6F1C)", R"({"x":[{"id":"6F1C)", ""},
        {R"(]}]}])", R"(]}]})", ""},
        {R"("name":"Eps")", "\"name\":\"E\xff\"", ""},
        {R"("title":"S",)", R"("title":"S",,)", ""},
    };
    for (const auto& [find, replace, path] : corruptions) {
        std::string json(kValid);
        json.replace(json.find(find), find.size(), replace);
        json.shrink_to_fit(); // no spare capacity: decoded from a padded copy
        std::string padded = json;
        padded.reserve(json.size() + kDecodePadding); // decoded in place
        for (const std::string* text : {&json, &padded}) {
            const CategoriesOrError decoded = decodeCategories(*text);
            const auto* error = std::get_if<json::DecodeError>(&decoded);
            ASSERT_NE(error, nullptr) << "accepted: " << json;
            EXPECT_EQ(error->path, path) << error->message();
        }
    }
}

// Nesting far deeper than the stack allows is refused, not followed.
TEST(CatalogJson, DeepNestingIsRefusedWithoutExhaustingTheStack)
{
    const std::string deep = R"([{"x":)" + std::string(100000, '[') + std::string(100000, ']') + "}]";
    EXPECT_TRUE(std::holds_alternative<json::DecodeError>(decodeCategories(deep)));
}

TEST(PersonalJson, RoundTripKeepsFractionalDatesInTheFilesForm)
{
    const Uuid id = *Uuid::fromString("ABCDEF01-2345-6789-FACE-000000000001");
    const std::vector<HistoryEntry> history{{id, "He said \"hi\"\n\t\u2615", *Url::parse("https://e.org/caf\u00e9"), 7.125}};
    const std::vector<FavoriteEntry> favorites{{id, "Gamma", *Url::parse("https://e.org/g"), KVBadge::globe, 1.5}};
    EXPECT_EQ(encodeFavorites(favorites), R"([{"id":"ABCDEF01-2345-6789-FACE-000000000001","name":"Gamma",)"
                                          R"("url":"https://e.org/g","badge":"globe","addedAt":1.5}])");
    EXPECT_EQ(accepted<std::vector<HistoryEntry>>(decodeHistory(encodeHistory(history))), history);
    EXPECT_EQ(accepted<std::vector<FavoriteEntry>>(decodeFavorites(encodeFavorites(favorites))), favorites);
    const SeenRecord seen[] = {{"https://e.org/g", 7.125}, {"/a", std::nullopt}};
    EXPECT_EQ(encodeSeen(seen), R"([{"url":"https://e.org/g","firstSeenAt":7.125},{"url":"/a"}])");
}

// A list whose second record is bad is refused whole: nothing read before it is kept.
TEST(PersonalJson, OneBadRecordOrBadgeRefusesTheFile)
{
    const std::string good = R"({"id":"0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0","name":"K","url":"/k","badge":"star",)"
                             R"("viewedAt":1.5,"addedAt":2.5,"firstSeenAt":3.5})";
    const auto refusedAt = [](const auto& decoded) {
        const auto* error = std::get_if<json::DecodeError>(&decoded);
        return error ? error->path.substr(0, 3) : std::string("accepted");
    };
    const auto decodeSeenFile = [](const std::string& file) -> std::variant<int, json::DecodeError> {
        if (auto error = decodeSeen(file, [](const SeenRecord&) {})) return *error;
        return 0;
    };
    // What to corrupt, and in which files it is read: history "h", favourites "f", seen "s".
    const std::tuple<std::string_view, std::string_view, std::string_view> corruptions[] = {
        {R"("name":"K",)", "", "hf"}, {"E1F0", "E1F", "hf"}, {R"("url":"/k")", R"("url":"/k k")", "hfs"},
        {"1.5", R"("1.5")", "h"}, {"2.5", "null", "f"}, {R"("star")", R"("Star")", "f"}, {R"("star")", R"("")", "f"},
        {R"("url":"/k",)", "", "hfs"}, {R"("url":"/k")", R"("url":["/k"])", "hfs"}, {"3.5", "[3.5]", "s"},
    };
    for (const auto& [find, replace, files] : corruptions) {
        std::string bad = good;
        bad.replace(bad.find(find), find.size(), replace);
        const std::string file = "[" + good + "," + bad + "]";
        if (files.find('h') != std::string_view::npos) { EXPECT_EQ(refusedAt(decodeHistory(file)), "[1]") << file; }
        if (files.find('f') != std::string_view::npos) { EXPECT_EQ(refusedAt(decodeFavorites(file)), "[1]") << file; }
        if (files.find('s') != std::string_view::npos) { EXPECT_EQ(refusedAt(decodeSeenFile(file)), "[1]") << file; }
    }
    for (const std::string& notAList : {good, std::string("[1]"), "[" + good}) {
        EXPECT_NE(refusedAt(decodeFavorites(notAList)), "accepted") << notAList;
        EXPECT_NE(refusedAt(decodeSeenFile(notAList)), "accepted") << notAList;
    }
    // A null date is no date: the link is seen.
    std::vector<std::optional<ReferenceSeconds>> dates;
    EXPECT_FALSE(decodeSeen(R"([{"url":"/k","firstSeenAt":null,"x":1}])", [&](const SeenRecord& r) { dates.push_back(r.firstSeenAt); }));
    EXPECT_EQ(dates, std::vector<std::optional<ReferenceSeconds>>{std::nullopt});
}

} // namespace
} // namespace kavo
