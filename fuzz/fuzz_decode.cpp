// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding any bytes either refuses them or gives records whose encoding
// decodes to the same records and encodes to the same text again.
#include "catalog/catalog_json.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    const kavo::CategoriesOrError decoded = kavo::decodeCategories(json);
    const auto* categories = std::get_if<std::vector<kavo::KVCategory>>(&decoded);
    if (categories == nullptr) return 0;
    const std::string encoded = kavo::encodeCategories(*categories);
    const kavo::CategoriesOrError again = kavo::decodeCategories(encoded);
    const auto* roundTrip = std::get_if<std::vector<kavo::KVCategory>>(&again);
    if (roundTrip == nullptr || *roundTrip != *categories) std::abort();
    if (kavo::encodeCategories(*roundTrip) != encoded) std::abort();
    return 0;
}
