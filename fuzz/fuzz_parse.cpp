// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes parse without failing, and whatever the parser makes survives the
// cache form unchanged: encode, decode, compare (identifiers included).
#include "catalog/catalog_json.h"
#include "catalog/parser.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    const std::vector<kavo::KVCategory> categories = kavo::KVParser().parse(page);
    const kavo::CategoriesOrError decoded = kavo::decodeCategories(kavo::encodeCategories(categories));
    const auto* roundTrip = std::get_if<std::vector<kavo::KVCategory>>(&decoded);
    if (roundTrip == nullptr || *roundTrip != categories) std::abort();
    return 0;
}
