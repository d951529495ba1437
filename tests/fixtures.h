// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The one catalogue builder of the plain C++ tests.
namespace kavo::fixtures {

/// A deterministic pseudo-random catalogue exercising every field, optional
/// and hard-to-escape text (quotes, backslashes, controls, NUL, non-ASCII).
[[nodiscard]] std::vector<KVCategory> makeCatalogue(std::size_t categories, std::uint32_t seed);

/// The catalogue of a page in the house style.
[[nodiscard]] std::vector<KVCategory> parse(std::string_view page);

/// An entry without description, badge or further links.
[[nodiscard]] KVEntry entry(std::string name, std::string_view url = "https://same.example/");

/// The text of a file under tests/data.
[[nodiscard]] std::string readTestFile(const std::string& name);

} // namespace kavo::fixtures
