// SPDX-License-Identifier: GPL-3.0-or-later
// The link scanner finds exactly the matches RE2 finds for the link pattern.
#include "link_oracle.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    if (kavo::findLinks(line) != kavo::linkOracle(line)) std::abort();
    return 0;
}
