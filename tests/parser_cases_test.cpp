// SPDX-License-Identifier: GPL-3.0-or-later
// Parser cases kept as data: tests/data/<rule>.json beside <rule>.md, the
// expected catalogue in the cache form without identifiers.
#include "catalog/catalog_json.h"
#include "catalog/parser.h"
#include "fixtures.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace kavo {
namespace {

std::vector<std::string> caseNames()
{
    std::vector<std::string> names;
    for (const auto& file : std::filesystem::directory_iterator(KAVO_TEST_DATA_DIR)) {
        // A case is its expected result; other pages here serve other suites.
        if (file.path().extension() == ".json") names.push_back(file.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string pretty(const rapidjson::Document& document)
{
    rapidjson::StringBuffer buffer;
    rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(buffer);
    writer.SetIndent(' ', 2);
    document.Accept(writer);
    return buffer.GetString();
}

class ParserCases : public ::testing::TestWithParam<std::string> {};

TEST_P(ParserCases, ParsesToTheExpectedCatalogue)
{
    const std::string name = GetParam();
    const std::string page = fixtures::readTestFile(name + ".md");
    const std::string actualJson = encodeCategories(KVParser().parse(page), EncodeOptions{.includeIds = false});

    rapidjson::Document expected;
    rapidjson::Document actual;
    expected.Parse(fixtures::readTestFile(name + ".json").c_str());
    ASSERT_FALSE(expected.HasParseError()) << name << ".json is not valid JSON";
    actual.Parse(actualJson.c_str(), actualJson.size());
    ASSERT_FALSE(actual.HasParseError());

    // RapidJSON compares objects by member name, so key order in the files is free.
    if (actual != expected) {
        const std::string failFile = name + ".json.fail";
        std::ofstream(failFile) << pretty(actual) << "\n";
        FAIL() << name << ": the parse differs from " << name << ".json; actual written to "
               << std::filesystem::absolute(failFile) << "\n--- expected\n" << pretty(expected) << "\n--- actual\n"
               << pretty(actual);
    }
}

INSTANTIATE_TEST_SUITE_P(Data, ParserCases, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) { return param.param; });

} // namespace
} // namespace kavo
