// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uuid.h"

#include <cstring>
#include <random>

namespace kavo {
namespace {

// xoshiro256**: a parse makes one UUID per record, tens of thousands per page,
// so the generator must not cost a system call each time. Each thread seeds its
// own state once from the OS entropy source.
class Xoshiro256 {
public:
    Xoshiro256()
    {
        std::random_device device;
        for (auto& word : state_) {
            word = (std::uint64_t{device()} << 32) ^ device();
        }
        if ((state_[0] | state_[1] | state_[2] | state_[3]) == 0) {
            state_[0] = 0x9E3779B97F4A7C15ULL; // the all-zero state is a fixed point
        }
    }

    std::uint64_t next()
    {
        const std::uint64_t result = rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = rotl(state_[3], 45);
        return result;
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t state_[4];
};

constexpr char kHexUpper[] = "0123456789ABCDEF";
constexpr std::size_t kDashPositions[] = {8, 13, 18, 23};

// Hex digit values by byte, -1 for anything else: decoding runs once per
// record of a cache file, so it is a table lookup rather than a chain of tests.
constexpr std::array<std::int8_t, 256> kHexValues = [] {
    std::array<std::int8_t, 256> table{};
    for (auto& value : table) value = -1;
    for (int c = '0'; c <= '9'; ++c) table[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c) table[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - 'a' + 10);
    for (int c = 'A'; c <= 'F'; ++c) table[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - 'A' + 10);
    return table;
}();

// Offsets of the 32 hex digits in the canonical text.
constexpr std::array<std::uint8_t, 32> kDigitOffsets = [] {
    std::array<std::uint8_t, 32> offsets{};
    std::size_t digit = 0;
    for (std::uint8_t i = 0; i < Uuid::kTextLength; ++i) {
        if (i != 8 && i != 13 && i != 18 && i != 23) offsets[digit++] = i;
    }
    return offsets;
}();

} // namespace

Uuid Uuid::random()
{
    thread_local Xoshiro256 generator;
    const std::uint64_t high = generator.next();
    const std::uint64_t low = generator.next();
    Bytes bytes;
    std::memcpy(bytes.data(), &high, 8);
    std::memcpy(bytes.data() + 8, &low, 8);
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    return Uuid(bytes);
}

std::optional<Uuid> Uuid::fromString(std::string_view text)
{
    if (text.size() != kTextLength) return std::nullopt;
    for (std::size_t dash : kDashPositions) {
        if (text[dash] != '-') return std::nullopt;
    }
    Bytes bytes{};
    int invalid = 0; // any -1 makes it negative; checked once at the end
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = kHexValues[static_cast<unsigned char>(text[kDigitOffsets[2 * i]])];
        const int low = kHexValues[static_cast<unsigned char>(text[kDigitOffsets[2 * i + 1]])];
        invalid |= high | low;
        bytes[i] = static_cast<std::uint8_t>((high & 0x0F) << 4 | (low & 0x0F));
    }
    if (invalid < 0) return std::nullopt;
    return Uuid(bytes);
}

void Uuid::writeText(char* out) const
{
    // Two digits per byte from one table: every record of a cache written has an identifier.
    static constexpr std::array<char, 512> kByteDigits = [] {
        std::array<char, 512> table{};
        for (std::size_t byte = 0; byte < 256; ++byte) {
            table[2 * byte] = kHexUpper[byte >> 4];
            table[2 * byte + 1] = kHexUpper[byte & 0x0F];
        }
        return table;
    }();
    for (std::size_t dash : kDashPositions) out[dash] = '-';
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        std::memcpy(out + kDigitOffsets[2 * i], &kByteDigits[2 * std::size_t{bytes_[i]}], 2);
    }
}

std::string Uuid::toString() const
{
    std::string text(kTextLength, '\0');
    writeText(text.data());
    return text;
}

std::size_t Uuid::hash() const
{
    std::uint64_t high;
    std::uint64_t low;
    std::memcpy(&high, bytes_.data(), 8);
    std::memcpy(&low, bytes_.data() + 8, 8);
    return static_cast<std::size_t>(high ^ (low * 0x9E3779B97F4A7C15ULL));
}

} // namespace kavo
