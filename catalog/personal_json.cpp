// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/catalog_json.h"
#include "catalog/json_writer.h"
#include "catalog/personal_records.h"

namespace kavo {
namespace {

using simdjson::dom::element;
using json::DecodeError;
using json::Field;

template <typename Entry, typename WriteFields> std::string encodeList(const std::vector<Entry>& entries, WriteFields&& fields)
{
    std::string text;
    json::StringOutput output(text, 64 + entries.size() * 160);
    json::Writer<json::StringOutput> writer(output);
    writer.startArray();
    for (const Entry& entry : entries) {
        writer.startObject();
        fields(writer, entry);
        writer.endObject();
    }
    writer.endArray();
    output.finish();
    return text;
}

// The whole document, or why it was refused: every element must decode.
template <typename Entry, typename DecodeEntry>
std::variant<std::vector<Entry>, DecodeError> decodeList(std::string_view text, DecodeEntry&& decodeEntry)
{
    simdjson::dom::parser parser;
    element document;
    DecodeError error;
    if (!json::parseDocument(parser, text, document, error)) return error;
    std::vector<Entry> entries;
    if (!json::readArray(document, error, [&](element value, DecodeError& e) {
            simdjson::dom::object object;
            if (!json::asObject(value, object, e)) return false;
            std::optional<Entry> entry = decodeEntry(object, e);
            if (!entry) return false;
            entries.push_back(std::move(*entry));
            return true;
        })) {
        return error;
    }
    return entries;
}

} // namespace

std::string encodeHistory(const std::vector<HistoryEntry>& entries)
{
    return encodeList(entries, [](json::Writer<json::StringOutput>& out, const HistoryEntry& entry) {
        out.member("id", entry.id);
        out.member("name", entry.name);
        out.member("url", entry.url);
        out.member("viewedAt", entry.viewedAt);
    });
}

HistoryOrError decodeHistory(std::string_view text)
{
    return decodeList<HistoryEntry>(text, [](simdjson::dom::object object, DecodeError& error) {
        std::array<Field, 4> f{{{"id"}, {"name"}, {"url"}, {"viewedAt"}}};
        json::collectFields(object, f);
        Uuid id;
        std::string name;
        std::optional<Url> url;
        double viewedAt = 0;
        if (!json::readUuid(f[0], id, error) || !json::readString(f[1], name, error) ||
            !json::readUrl(f[2], url, error) || !json::readNumber(f[3], viewedAt, error)) {
            return std::optional<HistoryEntry>();
        }
        return std::optional<HistoryEntry>(HistoryEntry{id, std::move(name), std::move(*url), viewedAt});
    });
}

std::string encodeFavorites(const std::vector<FavoriteEntry>& entries)
{
    return encodeList(entries, [](json::Writer<json::StringOutput>& out, const FavoriteEntry& entry) {
        out.member("id", entry.id);
        out.member("name", entry.name);
        out.member("url", entry.url);
        out.key("badge");
        out.verbatimString(rawValue(entry.badge));
        out.member("addedAt", entry.addedAt);
    });
}

FavoritesOrError decodeFavorites(std::string_view text)
{
    return decodeList<FavoriteEntry>(text, [](simdjson::dom::object object, DecodeError& error) {
        std::array<Field, 5> f{{{"id"}, {"name"}, {"url"}, {"badge"}, {"addedAt"}}};
        json::collectFields(object, f);
        Uuid id;
        std::string name;
        std::optional<Url> url;
        std::string badgeText;
        double addedAt = 0;
        if (!json::readUuid(f[0], id, error) || !json::readString(f[1], name, error) ||
            !json::readUrl(f[2], url, error) || !json::readString(f[3], badgeText, error) ||
            !json::readNumber(f[4], addedAt, error)) {
            return std::optional<FavoriteEntry>();
        }
        const std::optional<KVBadge> badge = badgeFromRawValue(badgeText);
        if (!badge) {
            (void)json::fail(error, "badge", "\"" + badgeText + "\" is not a badge");
            return std::optional<FavoriteEntry>();
        }
        return std::optional<FavoriteEntry>(FavoriteEntry{id, std::move(name), std::move(*url), *badge, addedAt});
    });
}

std::string encodeSeen(std::span<const SeenRecord> records)
{
    std::string text;
    json::StringOutput output(text, 64 + records.size() * 64);
    json::Writer<json::StringOutput> writer(output);
    writer.startArray();
    for (const SeenRecord& record : records) {
        writer.startObject();
        writer.key("url");
        writer.verbatimString(record.url);
        if (record.firstSeenAt) writer.member("firstSeenAt", *record.firstSeenAt);
        writer.endObject();
    }
    writer.endArray();
    output.finish();
    return text;
}

std::optional<DecodeError> decodeSeen(const std::string& text, const std::function<void(const SeenRecord&)>& record)
{
    simdjson::dom::parser parser;
    element document;
    DecodeError error;
    if (!json::parseDocument(parser, text, document, error, hasDecodePadding(text))) return error;
    const bool read = json::readArray(document, error, [&record](element value, DecodeError& e) {
        simdjson::dom::object object;
        if (!json::asObject(value, object, e)) return false;
        std::array<Field, 2> f{{{"url"}, {"firstSeenAt"}}};
        json::collectFields(object, f);
        // Checked in place: the link is handed over without a copy.
        std::string_view url;
        if (!f[0].present || f[0].value.get_string().get(url) != simdjson::SUCCESS || !Url::isAcceptable(url)) {
            return json::fail(e, "url", f[0].present ? "expected a valid URL" : "missing required key");
        }
        double date = 0;
        const bool dated = f[1].present && !f[1].value.is_null();
        if (dated && !json::readNumber(f[1], date, e)) return false;
        record({url, dated ? std::optional(date) : std::nullopt});
        return true;
    });
    if (!read) return error;
    return std::nullopt;
}

} // namespace kavo
