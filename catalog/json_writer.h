// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/url.h"
#include "platform/uuid.h"

#include <rapidjson/writer.h>

#include <optional>
#include <string>
#include <string_view>

namespace kavo::json {

/// Compact JSON output for our files through RapidJSON's writer, which does
/// all string escaping. No indentation, keys in the order they are written.
template <typename OutputStream> class Writer {
public:
    explicit Writer(OutputStream& stream) : writer_(stream) {}

    void startObject() { writer_.StartObject(); }
    void endObject() { writer_.EndObject(); }
    void startArray() { writer_.StartArray(); }
    void endArray() { writer_.EndArray(); }

    void key(std::string_view name) { writer_.Key(name.data(), static_cast<rapidjson::SizeType>(name.size())); }

    void string(std::string_view text)
    {
        writer_.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
    }

    void number(double value) { writer_.Double(value); }

    void uuid(const Uuid& id)
    {
        char text[Uuid::kTextLength];
        id.writeText(text);
        string(std::string_view(text, sizeof text));
    }

    void url(const Url& target) { string(target.text()); }

    void member(std::string_view name, std::string_view text)
    {
        key(name);
        string(text);
    }
    void member(std::string_view name, const Uuid& id)
    {
        key(name);
        uuid(id);
    }
    void member(std::string_view name, const Url& target)
    {
        key(name);
        url(target);
    }
    void member(std::string_view name, double value)
    {
        key(name);
        number(value);
    }

    /// An absent optional is left out entirely, never written as null.
    template <typename T> void optionalMember(std::string_view name, const std::optional<T>& value)
    {
        if (value) member(name, *value);
    }

private:
    rapidjson::Writer<OutputStream> writer_;
};

} // namespace kavo::json
