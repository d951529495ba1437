// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/catalog_json.h"

#include "catalog/catalogue_diff.h"
#include "catalog/json_writer.h"


namespace kavo {
namespace {

// ---------------------------------------------------------------------------
// Encoding
// ---------------------------------------------------------------------------

template <typename Stream> class CatalogWriter {
public:
    CatalogWriter(Stream& stream, EncodeOptions options) : out_(stream), options_(options) {}

    void write(const std::vector<KVCategory>& categories)
    {
        out_.startArray();
        for (const KVCategory& category : categories) write(category);
        out_.endArray();
    }

    // The same array, one category at a time.
    void begin() { out_.startArray(); }
    void add(const KVCategory& category) { write(category); }
    void end() { out_.endArray(); }

    void write(const CatalogueDiff& diff)
    {
        out_.startObject();
        const std::pair<std::string_view, const std::vector<LinkedEntry>*> lists[] = {
            {"added", &diff.added}, {"removed", &diff.removed}, {"changed", &diff.changed}};
        for (const auto& [name, list] : lists) {
            out_.key(name);
            out_.startArray();
            for (const LinkedEntry& entry : *list) {
                out_.startObject();
                writeFields(*entry.entry);
                out_.member("category", entry.category->title);
                out_.endObject();
            }
            out_.endArray();
        }
        out_.endObject();
    }

private:
    void writeId(const Uuid& id)
    {
        if (options_.includeIds) out_.member("id", id);
    }

    void write(const KVLink& link)
    {
        out_.startObject();
        writeId(link.id);
        out_.member("name", link.name);
        out_.member("url", link.url);
        out_.endObject();
    }

    void write(const KVEntry& entry)
    {
        out_.startObject();
        writeFields(entry);
        out_.endObject();
    }

    void writeFields(const KVEntry& entry)
    {
        writeId(entry.id);
        out_.member("name", entry.name);
        out_.member("url", entry.url);
        out_.optionalMember("description", entry.description);
        out_.key("badge");
        out_.verbatimString(rawValue(entry.badge));
        out_.key("relatedLinks");
        writeList(entry.relatedLinks);
    }

    void write(const KVSection& section)
    {
        out_.startObject();
        writeId(section.id);
        out_.member("title", section.title);
        out_.optionalMember("url", section.url);
        out_.optionalMember("note", section.note);
        out_.key("entries");
        writeList(section.entries);
        out_.endObject();
    }

    void write(const KVCategory& category)
    {
        out_.startObject();
        writeId(category.id);
        out_.member("title", category.title);
        out_.optionalMember("url", category.url);
        out_.optionalMember("note", category.note);
        out_.key("entries");
        writeList(category.entries);
        out_.key("sections");
        writeList(category.sections);
        out_.endObject();
    }

    template <typename T> void writeList(const std::vector<T>& list)
    {
        out_.startArray();
        for (const T& element : list) write(element);
        out_.endArray();
    }

    json::Writer<Stream> out_;
    EncodeOptions options_;
};

// Close to the encoded size (a little over, unless much text needs escaping),
// so the output is allocated once instead of growing through copies.
std::size_t estimatedSize(const std::vector<KVCategory>& categories)
{
    constexpr std::size_t kRecordOverhead = 96; // id, keys, quotes and punctuation
    auto entriesSize = [](const std::vector<KVEntry>& entries) {
        std::size_t size = 0;
        for (const KVEntry& entry : entries) {
            size += kRecordOverhead + entry.name.size() + entry.url.text().size() +
                    (entry.description ? entry.description->size() + 16 : 0);
            for (const KVLink& link : entry.relatedLinks) {
                size += kRecordOverhead + link.name.size() + link.url.text().size();
            }
        }
        return size;
    };
    std::size_t size = 2;
    for (const KVCategory& category : categories) {
        size += kRecordOverhead + category.title.size() + (category.note ? category.note->size() : 0) +
                entriesSize(category.entries);
        for (const KVSection& section : category.sections) {
            size += kRecordOverhead + section.title.size() + (section.note ? section.note->size() : 0) +
                    entriesSize(section.entries);
        }
    }
    return size + size / 32;
}

// ---------------------------------------------------------------------------
// Decoding
// ---------------------------------------------------------------------------

using simdjson::dom::element;
using simdjson::dom::object;
using json::DecodeError;
using json::Field;

bool decodeLink(element value, std::vector<KVLink>& out, DecodeError& error)
{
    object fields;
    if (!json::asObject(value, fields, error)) return false;
    std::array<Field, 3> f{{{"id"}, {"name"}, {"url"}}};
    json::collectFields(fields, f);
    Uuid id;
    std::string name;
    std::optional<Url> url;
    if (!json::readUuid(f[0], id, error) || !json::readString(f[1], name, error) || !json::readUrl(f[2], url, error)) {
        return false;
    }
    out.push_back(KVLink{id, std::move(name), std::move(*url)});
    return true;
}

bool decodeEntry(element value, std::vector<KVEntry>& out, DecodeError& error)
{
    object fields;
    if (!json::asObject(value, fields, error)) return false;
    std::array<Field, 6> f{{{"id"}, {"name"}, {"url"}, {"description"}, {"badge"}, {"relatedLinks"}}};
    json::collectFields(fields, f);
    Uuid id;
    std::string name;
    std::optional<Url> url;
    std::optional<std::string> description;
    std::string badgeText;
    if (!json::readUuid(f[0], id, error) || !json::readString(f[1], name, error) ||
        !json::readUrl(f[2], url, error) || !json::readOptionalString(f[3], description, error) ||
        !json::readString(f[4], badgeText, error)) {
        return false;
    }
    const std::optional<KVBadge> badge = badgeFromRawValue(badgeText);
    if (!badge) return json::fail(error, "badge", "\"" + badgeText + "\" is not a badge");
    std::vector<KVLink> related;
    related.reserve(json::arraySize(f[5]));
    if (!json::readArray(f[5], error, [&](element link, DecodeError& e) { return decodeLink(link, related, e); })) {
        return false;
    }
    out.push_back(KVEntry{id, std::move(name), std::move(*url), std::move(description), *badge, std::move(related)});
    return true;
}

bool readEntries(const Field& field, std::vector<KVEntry>& entries, DecodeError& error)
{
    entries.reserve(json::arraySize(field));
    return json::readArray(field, error, [&](element entry, DecodeError& e) { return decodeEntry(entry, entries, e); });
}

bool decodeSection(element value, std::vector<KVSection>& out, DecodeError& error)
{
    object fields;
    if (!json::asObject(value, fields, error)) return false;
    std::array<Field, 5> f{{{"id"}, {"title"}, {"url"}, {"note"}, {"entries"}}};
    json::collectFields(fields, f);
    KVSection section;
    if (!json::readUuid(f[0], section.id, error) || !json::readString(f[1], section.title, error) ||
        !json::readOptionalUrl(f[2], section.url, error) || !json::readOptionalString(f[3], section.note, error) ||
        !readEntries(f[4], section.entries, error)) {
        return false;
    }
    out.push_back(std::move(section));
    return true;
}

bool decodeCategory(element value, std::vector<KVCategory>& out, DecodeError& error)
{
    object fields;
    if (!json::asObject(value, fields, error)) return false;
    std::array<Field, 6> f{{{"id"}, {"title"}, {"url"}, {"note"}, {"entries"}, {"sections"}}};
    json::collectFields(fields, f);
    KVCategory category;
    if (!json::readUuid(f[0], category.id, error) || !json::readString(f[1], category.title, error) ||
        !json::readOptionalUrl(f[2], category.url, error) || !json::readOptionalString(f[3], category.note, error) ||
        !readEntries(f[4], category.entries, error)) {
        return false;
    }
    category.sections.reserve(json::arraySize(f[5]));
    if (!json::readArray(f[5], error,
                         [&](element section, DecodeError& e) { return decodeSection(section, category.sections, e); })) {
        return false;
    }
    out.push_back(std::move(category));
    return true;
}

} // namespace

std::string encodeCategories(const std::vector<KVCategory>& categories, EncodeOptions options)
{
    std::string json;
    json::StringOutput output(json, estimatedSize(categories));
    CatalogWriter<json::StringOutput> writer(output, options);
    writer.write(categories);
    output.finish();
    return json;
}

struct CategoriesFileWriter::Stream {
    Stream(std::FILE* file, EncodeOptions options) : output(file), writer(output, options) {}
    json::FileOutput output;
    CatalogWriter<json::FileOutput> writer;
};

CategoriesFileWriter::CategoriesFileWriter(std::FILE* out, EncodeOptions options)
    : out_(out), stream_(std::make_unique<Stream>(out, options))
{
    stream_->writer.begin();
}

CategoriesFileWriter::~CategoriesFileWriter() = default;

void CategoriesFileWriter::add(const KVCategory& category)
{
    stream_->writer.add(category);
}

bool CategoriesFileWriter::finish()
{
    stream_->writer.end();
    stream_->output.Flush();
    return !stream_->output.failed() && std::fflush(out_) == 0 && !std::ferror(out_);
}

std::string encodeCatalogueDiff(const CatalogueDiff& diff)
{
    std::string text;
    json::StringOutput output(text, 64 + (diff.added.size() + diff.removed.size() + diff.changed.size()) * 256);
    CatalogWriter<json::StringOutput> writer(output, EncodeOptions{});
    writer.write(diff);
    output.finish();
    return text;
}

bool writeCategories(const std::vector<KVCategory>& categories, std::FILE* out, EncodeOptions options)
{
    CategoriesFileWriter writer(out, options);
    for (const KVCategory& category : categories) writer.add(category);
    return writer.finish();
}

namespace {

CategoriesOrError decode(std::string_view json, bool readablePastEnd)
{
    simdjson::dom::parser parser;
    element document;
    DecodeError error;
    if (!json::parseDocument(parser, json, document, error, readablePastEnd)) return error;
    std::vector<KVCategory> categories;
    simdjson::dom::array array;
    if (document.get_array().get(array) == simdjson::SUCCESS) categories.reserve(array.size());
    if (!json::readArray(document, error,
                         [&](element category, DecodeError& e) { return decodeCategory(category, categories, e); })) {
        return error;
    }
    return categories;
}

static_assert(kDecodePadding >= simdjson::SIMDJSON_PADDING);

} // namespace

CategoriesOrError decodeCategories(std::string_view json)
{
    return decode(json, false);
}

CategoriesOrError decodeCategories(const std::string& json)
{
    return decode(json, hasDecodePadding(json));
}

} // namespace kavo
