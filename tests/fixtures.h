// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kavo::fixtures {

/// A deterministic pseudo-random catalogue exercising every field, optional
/// and hard-to-escape text (quotes, backslashes, controls, NUL, non-ASCII).
[[nodiscard]] std::vector<KVCategory> makeCatalogue(std::size_t categories, std::uint32_t seed);

/// The text of a file under the test data folder.
[[nodiscard]] std::string readTestFile(const std::string& name);

} // namespace kavo::fixtures
