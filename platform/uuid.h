// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kavo {

/// A 128-bit identifier; random ones are version 4, text is the canonical 8-4-4-4-12 form.
class Uuid {
public:
    using Bytes = std::array<std::uint8_t, 16>;
    static constexpr std::size_t kTextLength = 36;

    constexpr Uuid() = default;
    constexpr explicit Uuid(const Bytes& bytes) : bytes_(bytes) {}

    /// A fresh version-4 UUID from this thread's generator (seeded once from the OS).
    [[nodiscard]] static Uuid random();

    /// Reads the canonical 36-character form, hex digits in either case; nothing else.
    [[nodiscard]] static std::optional<Uuid> fromString(std::string_view text);

    /// Canonical upper-case text.
    [[nodiscard]] std::string toString() const;

    /// Writes the canonical upper-case text into exactly kTextLength bytes at `out`.
    void writeText(char* out) const;

    [[nodiscard]] constexpr const Bytes& bytes() const { return bytes_; }
    [[nodiscard]] std::size_t hash() const;

    friend constexpr bool operator==(const Uuid&, const Uuid&) = default;

private:
    Bytes bytes_{};
};

} // namespace kavo
