// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/json_reader.h"

#include "platform/memory_policy.h"

#include <rapidjson/error/en.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <cstdint>

namespace kavo::json {
namespace {

bool missing(const Field& field, DecodeError& error)
{
    return fail(error, field.key, "missing required key");
}

bool isNull(const Field& field)
{
    return !field.present || field.value.is_null();
}

// simdjson's DOM says what is wrong but not where; on this (rare) path a
// second, validating SAX pass finds the byte offset of the syntax error
// (iteratively: the document may be nested deeper than the stack allows).
std::string locateSyntaxError(std::string_view text)
{
    rapidjson::MemoryStream stream(text.data(), text.size());
    rapidjson::BaseReaderHandler<> ignore;
    rapidjson::Reader reader;
    const rapidjson::ParseResult result =
        reader.Parse<rapidjson::kParseValidateEncodingFlag | rapidjson::kParseIterativeFlag>(stream, ignore);
    if (!result) {
        return std::string(rapidjson::GetParseError_En(result.Code())) + " at byte " + std::to_string(result.Offset());
    }
    return {};
}

} // namespace

std::string DecodeError::message() const
{
    if (path.empty()) return reason;
    return "at " + path + ": " + reason;
}

bool parseDocument(simdjson::dom::parser& parser, std::string_view text, simdjson::dom::element& document,
                   DecodeError& error, bool readablePastEnd)
{
    // A cache file's working buffers are sized for the worst case, several
    // bytes per byte of JSON, and filled with a few megabytes: in 2 MiB
    // pages that is a few faults instead of thousands (see the cache bytes).
    constexpr std::size_t kLargeDocument = 4u << 20;
    if (text.size() >= kLargeDocument && parser.allocate(text.size()) == simdjson::SUCCESS) {
        const std::size_t capacity = parser.capacity();
        adviseHugePages(parser.doc.tape.get(), capacity * sizeof(std::uint64_t));
        adviseHugePages(parser.doc.string_buf.get(), capacity * 5 / 3);
        adviseHugePages(parser.implementation->structural_indexes.get(), capacity * sizeof(std::uint32_t));
    }
    const simdjson::error_code code = parser.parse(text.data(), text.size(), !readablePastEnd).get(document);
    if (code == simdjson::SUCCESS) return true;
    std::string where = locateSyntaxError(text);
    return fail(error, {}, "malformed JSON: " + (where.empty() ? std::string(simdjson::error_message(code)) : where));
}

bool fail(DecodeError& error, std::string_view key, std::string reason)
{
    error.path.clear();
    if (!key.empty()) prefixPath(error, key);
    error.reason = std::move(reason);
    return false;
}

void prefixPath(DecodeError& error, std::size_t index)
{
    error.path.insert(0, "[" + std::to_string(index) + "]");
}

void prefixPath(DecodeError& error, std::string_view key)
{
    std::string component = ".";
    component.append(key);
    error.path.insert(0, component);
}

bool asObject(simdjson::dom::element value, simdjson::dom::object& object, DecodeError& error)
{
    if (value.get_object().get(object) != simdjson::SUCCESS) return fail(error, {}, "expected an object");
    return true;
}

bool readString(const Field& field, std::string& out, DecodeError& error)
{
    if (!field.present) return missing(field, error);
    std::string_view text;
    if (field.value.get_string().get(text) != simdjson::SUCCESS) return fail(error, field.key, "expected a string");
    out.assign(text);
    return true;
}

bool readOptionalString(const Field& field, std::optional<std::string>& out, DecodeError& error)
{
    if (isNull(field)) {
        out.reset();
        return true;
    }
    std::string_view text;
    if (field.value.get_string().get(text) != simdjson::SUCCESS) {
        return fail(error, field.key, "expected a string or null");
    }
    out.emplace(text);
    return true;
}

bool readUuid(const Field& field, Uuid& out, DecodeError& error)
{
    if (!field.present) return missing(field, error);
    std::string_view text;
    if (field.value.get_string().get(text) != simdjson::SUCCESS) return fail(error, field.key, "expected a string");
    const std::optional<Uuid> id = Uuid::fromString(text);
    if (!id) return fail(error, field.key, "\"" + std::string(text) + "\" is not a UUID");
    out = *id;
    return true;
}

bool readUrl(const Field& field, std::optional<Url>& out, DecodeError& error)
{
    if (!field.present) return missing(field, error);
    std::string_view text;
    if (field.value.get_string().get(text) != simdjson::SUCCESS) return fail(error, field.key, "expected a string");
    out = Url::parse(text);
    if (!out) return fail(error, field.key, "\"" + std::string(text) + "\" is not a valid URL");
    return true;
}

bool readOptionalUrl(const Field& field, std::optional<Url>& out, DecodeError& error)
{
    if (isNull(field)) {
        out.reset();
        return true;
    }
    return readUrl(field, out, error);
}

bool readNumber(const Field& field, double& out, DecodeError& error)
{
    if (!field.present) return missing(field, error);
    if (field.value.get_double().get(out) != simdjson::SUCCESS) return fail(error, field.key, "expected a number");
    return true;
}

} // namespace kavo::json
