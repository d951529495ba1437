// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/url.h"
#include "platform/uuid.h"

#include <rapidjson/writer.h>

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kavo::json {

/// The fast path both output streams share: RapidJSON reserves room for a
/// whole value, then puts its characters unchecked, and a known-clean string
/// is one copy. What happens when the room runs out is each stream's own.
class ReservingOutput {
public:
    using Ch = char;

    ReservingOutput() = default;
    ReservingOutput(const ReservingOutput&) = delete;
    ReservingOutput& operator=(const ReservingOutput&) = delete;

    void reserve(std::size_t count)
    {
        if (size_ + count > capacity_) makeRoom(count);
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

protected:
    ~ReservingOutput() = default;
    /// Makes room for `count` more bytes after the `size_` written.
    virtual void makeRoom(std::size_t count) = 0;

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

/// RapidJSON output stream that writes straight into a std::string: no copy
/// out of a separate buffer. Call finish() to trim the string to what was written.
class StringOutput final : public ReservingOutput {
public:
    StringOutput(std::string& target, std::size_t expectedSize) : target_(target)
    {
        target_.resize(std::max<std::size_t>(expectedSize, 64));
        setBuffer();
    }

    void Flush() {}
    void finish() { target_.resize(size_); }

private:
    void makeRoom(std::size_t count) override
    {
        target_.resize(std::max(size_ + count, target_.size() * 2));
        setBuffer();
    }
    void setBuffer()
    {
        data_ = target_.data();
        capacity_ = target_.size();
    }

    std::string& target_;
};

/// RapidJSON output stream to a file in large chunks, so the whole text is
/// never held: a catalogue streamed out costs one chunk of memory (more only
/// while one value is longer than a chunk).
class FileOutput final : public ReservingOutput {
public:
    explicit FileOutput(std::FILE* file, std::size_t chunkSize = 256 * 1024) : file_(file) { allocate(chunkSize); }

    void Flush()
    {
        if (size_ != 0 && std::fwrite(data_, 1, size_, file_) != size_) failed_ = true;
        size_ = 0;
    }
    /// True when some chunk could not be written.
    [[nodiscard]] bool failed() const { return failed_; }

private:
    void makeRoom(std::size_t count) override
    {
        Flush();
        if (count > capacity_) allocate(count);
    }
    void allocate(std::size_t size)
    {
        chunk_ = std::make_unique_for_overwrite<char[]>(size);
        data_ = chunk_.get();
        capacity_ = size;
    }

    std::FILE* file_;
    std::unique_ptr<char[]> chunk_;
    bool failed_ = false;
};

// Found by argument-dependent lookup from inside RapidJSON's writer, in place
// of its generic per-character versions.
inline void PutReserve(StringOutput& output, std::size_t count) { output.reserve(count); }
inline void PutUnsafe(StringOutput& output, char c) { output.putUnsafe(c); }
inline void PutReserve(FileOutput& output, std::size_t count) { output.reserve(count); }
inline void PutUnsafe(FileOutput& output, char c) { output.putUnsafe(c); }

/// Whether `text` holds what JSON must escape: a quote, a backslash or a
/// control character. Eight bytes at a time; a word's bytes below 0x20, or
/// equal to either character, set their top bit in the test.
[[nodiscard]] inline bool needsEscaping(std::string_view text)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kTops = 0x8080808080808080ULL;
    const auto below = [](std::uint64_t word, std::uint64_t limit) { return (word - limit * kOnes) & ~word & kTops; };
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (below(word, 0x20) | below(word ^ ('"' * kOnes), 1) | below(word ^ ('\\' * kOnes), 1)) return true;
    }
    for (; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == '"' || c == '\\') return true;
    }
    return false;
}

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

    /// Most text needs no escaping: it is then copied whole, the rest goes
    /// through RapidJSON's escaping a character at a time.
    void string(std::string_view text)
    {
        if (needsEscaping(text)) writer_.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
        else writer_.verbatimString(text);
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
            assert(!needsEscaping(text));
            this->Prefix(rapidjson::kStringType);
            OutputStream& out = *this->os_;
            out.reserve(text.size() + 2);
            out.putUnsafe('"');
            out.append(text);
            out.putUnsafe('"');
            this->EndValue(true);
        }
    };

    VerbatimWriter writer_;
};

} // namespace kavo::json
