// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/url.h"
#include "platform/uuid.h"

#include <rapidjson/writer.h>

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace kavo::json {

/// RapidJSON output stream that writes straight into a std::string: no copy
/// out of a separate buffer, and a reserved append instead of a checked
/// push per character. Call finish() to trim the string to what was written.
class StringOutput {
public:
    using Ch = char;

    StringOutput(std::string& target, std::size_t expectedSize) : target_(target)
    {
        target_.resize(std::max<std::size_t>(expectedSize, 64));
        data_ = target_.data();
    }

    void reserve(std::size_t count)
    {
        if (size_ + count > target_.size()) grow(size_ + count);
    }
    void putUnsafe(char c) { data_[size_++] = c; }
    void Put(char c)
    {
        reserve(1);
        putUnsafe(c);
    }
    void append(std::string_view text)
    {
        reserve(text.size());
        std::memcpy(data_ + size_, text.data(), text.size());
        size_ += text.size();
    }
    void Flush() {}
    void finish() { target_.resize(size_); }

private:
    void grow(std::size_t needed)
    {
        target_.resize(std::max(needed, target_.size() * 2));
        data_ = target_.data();
    }

    std::string& target_;
    char* data_ = nullptr;
    std::size_t size_ = 0;
};

// Found by argument-dependent lookup from inside RapidJSON's writer, in place
// of its generic per-character versions.
inline void PutReserve(StringOutput& output, std::size_t count) { output.reserve(count); }
inline void PutUnsafe(StringOutput& output, char c) { output.putUnsafe(c); }

/// Compact JSON output for our files through RapidJSON's writer, which does
/// all string escaping. No indentation, keys in the order they are written.
template <typename OutputStream> class Writer {
public:
    explicit Writer(OutputStream& stream) : writer_(stream) {}

    void startObject() { writer_.StartObject(); }
    void endObject() { writer_.EndObject(); }
    void startArray() { writer_.StartArray(); }
    void endArray() { writer_.EndArray(); }

    /// Our keys are plain identifiers: they are written as they are, without an escaping pass.
    void key(std::string_view name) { writer_.verbatimString(name); }

    void string(std::string_view text)
    {
        writer_.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
    }

    void number(double value) { writer_.Double(value); }
    void count(std::uint64_t value) { writer_.Uint64(value); }

    void uuid(const Uuid& id)
    {
        char text[Uuid::kTextLength];
        id.writeText(text);
        writer_.verbatimString(std::string_view(text, sizeof text));
    }

    /// An accepted URL holds no quote, backslash or control character (they are
    /// outside the URI grammar), so it needs no escaping pass.
    void url(const Url& target) { writer_.verbatimString(target.text()); }

    /// Writes `text` as a JSON string without escaping; for text known to hold
    /// no quote, backslash or control character (identifiers, keys, links).
    void verbatimString(std::string_view text) { writer_.verbatimString(text); }

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
    // RapidJSON's writer, plus a string written without the escaping scan.
    // Prefix() and EndValue() keep RapidJSON's own bookkeeping of commas,
    // colons and nesting, so the output stays exactly what String() makes.
    class VerbatimWriter : public rapidjson::Writer<OutputStream> {
    public:
        using rapidjson::Writer<OutputStream>::Writer;

        void verbatimString(std::string_view text)
        {
            assert(std::none_of(text.begin(), text.end(),
                                [](char c) { return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20; }));
            this->Prefix(rapidjson::kStringType);
            OutputStream& out = *this->os_;
            if constexpr (requires { out.append(text); }) {
                out.Put('"');
                out.append(text);
                out.Put('"');
            } else {
                out.Put('"');
                for (char c : text) out.Put(c);
                out.Put('"');
            }
            this->EndValue(true);
        }
    };

    VerbatimWriter writer_;
};

} // namespace kavo::json
