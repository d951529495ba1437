// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/json_reader.h"
#include "catalog/records.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The catalogue cache form: a JSON array of category objects, each record an
// object keyed by its field names, written in field order.
namespace kavo {

struct EncodeOptions {
    /// Leaving identifiers out gives a form that is stable across parses (used for golden files).
    bool includeIds = true;
};

[[nodiscard]] std::string encodeCategories(const std::vector<KVCategory>& categories, EncodeOptions options = {});

/// Streams the encoding to `out`; false when writing failed.
[[nodiscard]] bool writeCategories(const std::vector<KVCategory>& categories, std::FILE* out,
                                   EncodeOptions options = {});

/// The same encoding, written one category at a time as each is added, so
/// that a catalogue need never be held whole (see KVParser::parse with a
/// CategorySink). Memory: one chunk of output, whatever the catalogue's size.
class CategoriesFileWriter {
public:
    explicit CategoriesFileWriter(std::FILE* out, EncodeOptions options = {});
    ~CategoriesFileWriter();
    CategoriesFileWriter(const CategoriesFileWriter&) = delete;
    CategoriesFileWriter& operator=(const CategoriesFileWriter&) = delete;

    void add(const KVCategory& category);
    /// Closes the list and flushes `out`; false when any write failed.
    [[nodiscard]] bool finish();

private:
    struct Stream;
    std::FILE* out_;
    std::unique_ptr<Stream> stream_;
};

/// The decoded catalogue, or why the document was refused. All or nothing.
using CategoriesOrError = std::variant<std::vector<KVCategory>, json::DecodeError>;

[[nodiscard]] CategoriesOrError decodeCategories(std::string_view json);

/// The same; a string with kDecodePadding bytes of spare capacity (see
/// readRegularFile) is decoded in place instead of being copied first.
[[nodiscard]] CategoriesOrError decodeCategories(const std::string& json);

/// Spare capacity that lets decodeCategories work on a string in place.
inline constexpr std::size_t kDecodePadding = 64;

/// Whether `text` can be decoded in place: it has kDecodePadding spare bytes.
[[nodiscard]] inline bool hasDecodePadding(const std::string& text)
{
    return text.capacity() - text.size() >= kDecodePadding;
}

} // namespace kavo
