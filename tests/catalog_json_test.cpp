// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/catalog_json.h"
#include "fixtures.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

std::vector<KVCategory> decodeOk(std::string_view json)
{
    CategoriesOrError decoded = decodeCategories(json);
    if (auto* error = std::get_if<json::DecodeError>(&decoded)) {
        ADD_FAILURE() << "refused: " << error->message() << "\n" << json.substr(0, 2000);
        return {};
    }
    return std::get<std::vector<KVCategory>>(std::move(decoded));
}

// One category with one section and one entry per shape, written as we write it.
constexpr std::string_view kValid =
    R"([{"id":"6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B","title":"Tools","url":"/tools","note":"n",)"
    R"("entries":[{"id":"0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","name":"Eps","url":"/eps","description":"d",)"
    R"("badge":"star","relatedLinks":[{"id":"1A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","name":"R","url":"/r"}]}],)"
    R"("sections":[{"id":"2A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","title":"S","entries":[]}]}])";

TEST(CatalogJson, LargeCatalogueSurvivesTheRoundTripWithIdentifiers)
{
    const std::vector<KVCategory> catalogue = fixtures::makeCatalogue(60, 7);
    const std::string encoded = encodeCategories(catalogue);
    const std::vector<KVCategory> decoded = decodeOk(encoded);
    EXPECT_EQ(decoded, catalogue);
    EXPECT_EQ(encodeCategories(decoded), encoded);
}

TEST(CatalogJson, WritesCompactFieldOrderUpperCaseIdsAndNoNulls)
{
    const Uuid categoryId = *Uuid::fromString("6f1c2b0a-3d4e-4f56-8a7b-9c0d1e2f3a4b");
    const Uuid entryId = *Uuid::fromString("0a1b2c3d-4e5f-4a6b-8c7d-8e9fa0b1c2d3");
    const std::vector<KVCategory> tools{
        KVCategory{categoryId, "Tools", Url::parse("/tools"), std::nullopt,
                   {KVEntry{entryId, "Eps", *Url::parse("/eps"), std::nullopt, KVBadge::none, {}}},
                   {}}};
    EXPECT_EQ(encodeCategories(tools),
              R"([{"id":"6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B","title":"Tools","url":"/tools","entries":[{"id":)"
              R"("0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","name":"Eps","url":"/eps","badge":"none","relatedLinks":[]}],)"
              R"("sections":[]}])");
    // The same document with escaped slashes, as other encoders write it, reads back equal.
    EXPECT_EQ(decodeOk(R"([{"id":"6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B","title":"Tools","url":"\/tools","entries":)"
                       R"([{"id":"0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","name":"Eps","url":"\/eps","badge":"none",)"
                       R"("relatedLinks":[]}],"sections":[]}])"),
              tools);
    EXPECT_EQ(encodeCategories({}), "[]");
}

TEST(CatalogJson, ReadsKeysInAnyOrderIgnoresUnknownKeysAndTakesNullAsAbsent)
{
    const std::vector<KVCategory> reference = decodeOk(kValid);
    ASSERT_EQ(reference.size(), 1u);
    const std::string_view equivalent =
        R"([{"sections":[{"entries":[],"title":"S","id":"2a1b2c3d-4e5f-4a6b-8c7d-8e9fa0b1c2d3","url":null,"note":null}],)"
        R"("extra":{"deep":[1,2,{"x":null}]},"entries":[{"relatedLinks":[{"url":"/r","name":"R","future":true,)"
        R"("id":"1A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3"}],"badge":"star","description":"d","url":"/eps","name":"Eps",)"
        R"("id":"0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3"}],"note":"n","url":"/tools","title":"Tools",)"
        R"("id":"6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B"}])";
    EXPECT_EQ(decodeOk(equivalent), reference);

    const std::vector<KVCategory> nulls =
        decodeOk(R"([{"id":"6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B","title":"","url":null,"note":null,"entries":)"
                 R"([{"id":"0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","name":"","url":"/e","description":null,)"
                 R"("badge":"none","relatedLinks":[]}],"sections":[]}])");
    ASSERT_EQ(nulls.size(), 1u);
    EXPECT_FALSE(nulls[0].url || nulls[0].note || nulls[0].entries.at(0).description);
    EXPECT_EQ(encodeCategories(nulls).find("null"), std::string::npos);
}

struct Corruption {
    const char* name;
    std::string_view find;
    std::string_view replace;
    const char* path; // where the refusal must point
};

class CatalogJsonStrictness : public ::testing::TestWithParam<Corruption> {};

TEST_P(CatalogJsonStrictness, OneBadValueRefusesTheWholeDocument)
{
    const Corruption& c = GetParam();
    std::string json(kValid);
    const auto at = json.find(c.find);
    ASSERT_NE(at, std::string::npos) << c.find;
    json.replace(at, c.find.size(), c.replace);
    json.shrink_to_fit(); // no spare capacity: decoded from a padded copy
    std::string padded = json;
    padded.reserve(json.size() + kDecodePadding); // decoded in place
    for (const std::string* text : {&json, &padded}) {
        const CategoriesOrError decoded = decodeCategories(*text);
        const auto* error = std::get_if<json::DecodeError>(&decoded);
        ASSERT_NE(error, nullptr) << "accepted: " << json;
        EXPECT_EQ(error->path, c.path) << error->message();
    }
}

// In place, the parser may read into the spare capacity but must stop at the
// string's end whatever lies beyond it.
TEST(CatalogJson, InPlaceDecodingEndsAtTheStringsEnd)
{
    std::string empty = "[]" + std::string(kDecodePadding, 'x');
    empty.resize(2);
    ASSERT_GE(empty.capacity() - empty.size(), kDecodePadding);
    EXPECT_TRUE(std::holds_alternative<std::vector<KVCategory>>(decodeCategories(empty)));

    std::string truncated = std::string(kValid) + std::string(kDecodePadding, ']');
    truncated.resize(kValid.size() - 1);
    EXPECT_TRUE(std::holds_alternative<json::DecodeError>(decodeCategories(truncated)));
    truncated.push_back(']');
    const CategoriesOrError whole = decodeCategories(truncated);
    ASSERT_TRUE(std::holds_alternative<std::vector<KVCategory>>(whole));
    EXPECT_EQ(std::get<std::vector<KVCategory>>(whole), decodeOk(kValid));
}

INSTANTIATE_TEST_SUITE_P(
    EveryWayToBeWrong, CatalogJsonStrictness,
    testing::Values(
        Corruption{"BadgeCapitalised", R"("star")", R"("Star")", "[0].entries[0].badge"},
        Corruption{"BadgeEmpty", R"("star")", R"("")", "[0].entries[0].badge"},
        Corruption{"BadgeMissing", R"("badge":"star",)", "", "[0].entries[0].badge"},
        Corruption{"RelatedLinksMissing", R"(,"relatedLinks":[{"id":"1A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","name":"R","url":"/r"}])", "", "[0].entries[0].relatedLinks"},
        Corruption{"RelatedLinkUrlEmpty", R"("url":"/r")", R"("url":"")", "[0].entries[0].relatedLinks[0].url"},
        Corruption{"SectionsMissing", R"(,"sections":[{"id":"2A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","title":"S","entries":[]}])", "", "[0].sections"},
        Corruption{"SectionEntriesNull", R"("entries":[]})", R"("entries":null})", "[0].sections[0].entries"},
        Corruption{"TitleNull", R"("title":"Tools")", R"("title":null)", "[0].title"},
        Corruption{"TitleNumber", R"("title":"Tools")", R"("title":7)", "[0].title"},
        Corruption{"IdNotUuid", R"("6F1C2B0A-3D4E-4F56-8A7B-9C0D1E2F3A4B")", R"("6F1C2B0A3D4E4F568A7B9C0D1E2F3A4B")", "[0].id"},
        Corruption{"IdMissing", R"("id":"2A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3",)", "", "[0].sections[0].id"},
        Corruption{"UrlWithSpace", R"("url":"/eps")", R"("url":"/e ps")", "[0].entries[0].url"},
        Corruption{"OptionalUrlRejected", R"("url":"/tools")", R"("url":"")", "[0].url"},
        Corruption{"DescriptionWrongType", R"("description":"d")", R"("description":["d"])", "[0].entries[0].description"},
        Corruption{"EntryNotObject", R"("entries":[{"id":"0A1B)", R"("entries":[1,{"id":"0A1B)", "[0].entries[0]"},
        Corruption{"TopLevelObject", R"([{"id":"6F1C)", R"({"x":[{"id":"6F1C)", ""},
        Corruption{"TrailingGarbage", R"(]}]}])", R"(]}]}]x)", ""},
        Corruption{"Truncated", R"(]}]}])", R"(]}]})", ""},
        Corruption{"InvalidUtf8", R"("name":"Eps")", "\"name\":\"E\xff\"", ""},
        Corruption{"TrailingComma", R"("title":"S",)", R"("title":"S",,)", ""}),
    [](const testing::TestParamInfo<Corruption>& param) { return std::string(param.param.name); });

TEST(CatalogJson, DeepNestingIsRefusedWithoutExhaustingTheStack)
{
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    EXPECT_TRUE(std::holds_alternative<json::DecodeError>(decodeCategories(deep)));
    const std::string deepUnknown = R"([{"x":)" + std::string(100000, '[') + std::string(100000, ']') + "}]";
    EXPECT_TRUE(std::holds_alternative<json::DecodeError>(decodeCategories(deepUnknown)));
}

} // namespace
} // namespace kavo
