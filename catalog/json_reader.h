// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/url.h"
#include "platform/uuid.h"

#include <simdjson.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Strict reading of our JSON files (catalogue cache, history, favourites) from
// a simdjson DOM. Decoding is all-or-nothing: the first error stops it and is
// kept with the path to the value that caused it. Keys may come in any order;
// unknown keys are ignored; null in an optional key means absent.
namespace kavo::json {

/// Why a document was refused, and where.
struct DecodeError {
    std::string path;   ///< e.g. "[3].sections[0].entries[12].badge"; empty for the document itself
    std::string reason; ///< e.g. "\"Star\" is not a badge"

    [[nodiscard]] std::string message() const;
};

/// Parses `text` into `document`, strictly (well-formed JSON and UTF-8, one value, nothing after).
/// On failure fills `error`, with the byte offset of a syntax error where it can be found.
/// simdjson reads whole blocks, up to SIMDJSON_PADDING bytes past the end: unless
/// `readablePastEnd` says that many bytes after `text` are the caller's to read,
/// the text is first copied into a padded buffer.
[[nodiscard]] bool parseDocument(simdjson::dom::parser& parser, std::string_view text,
                                 simdjson::dom::element& document, DecodeError& error, bool readablePastEnd = false);

/// One key of an object being decoded, and its value if the object had it.
struct Field {
    std::string_view key;
    simdjson::dom::element value{};
    bool present = false;
};

/// One pass over the object's members, picking out the keys the decoder knows.
/// A repeated key keeps its last value.
template <std::size_t N> void collectFields(simdjson::dom::object object, std::array<Field, N>& fields)
{
    for (const simdjson::dom::key_value_pair member : object) {
        for (Field& field : fields) {
            if (field.key == member.key) {
                field.value = member.value;
                field.present = true;
                break;
            }
        }
    }
}

/// Records the first failure; every reader returns false once it fails.
[[nodiscard]] bool fail(DecodeError& error, std::string_view key, std::string reason);

/// Puts "[index]" or ".key" in front of the path of an error found deeper down.
void prefixPath(DecodeError& error, std::size_t index);
void prefixPath(DecodeError& error, std::string_view key);

[[nodiscard]] bool asObject(simdjson::dom::element value, simdjson::dom::object& object, DecodeError& error);
[[nodiscard]] bool readString(const Field& field, std::string& out, DecodeError& error);
[[nodiscard]] bool readOptionalString(const Field& field, std::optional<std::string>& out, DecodeError& error);
[[nodiscard]] bool readUuid(const Field& field, Uuid& out, DecodeError& error);
[[nodiscard]] bool readUrl(const Field& field, std::optional<Url>& out, DecodeError& error);
[[nodiscard]] bool readOptionalUrl(const Field& field, std::optional<Url>& out, DecodeError& error);
[[nodiscard]] bool readNumber(const Field& field, double& out, DecodeError& error);

/// Reads a required array, calling `readElement(element, error)` for each element in order.
template <typename ReadElement>
[[nodiscard]] bool readArray(simdjson::dom::element value, DecodeError& error, ReadElement&& readElement)
{
    simdjson::dom::array array;
    if (value.get_array().get(array) != simdjson::SUCCESS) return fail(error, {}, "expected an array");
    std::size_t index = 0;
    for (const simdjson::dom::element element : array) {
        if (!readElement(element, error)) {
            prefixPath(error, index);
            return false;
        }
        ++index;
    }
    return true;
}

template <typename ReadElement>
[[nodiscard]] bool readArray(const Field& field, DecodeError& error, ReadElement&& readElement)
{
    if (!field.present) return fail(error, field.key, "missing required key");
    if (!readArray(field.value, error, readElement)) {
        prefixPath(error, field.key);
        return false;
    }
    return true;
}

/// Reads a required array's length first, so the caller can reserve.
[[nodiscard]] inline std::size_t arraySize(const Field& field)
{
    simdjson::dom::array array;
    return field.present && field.value.get_array().get(array) == simdjson::SUCCESS ? array.size() : 0;
}

} // namespace kavo::json
