// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/category_order.h"

#include <unicode/coll.h>
#include <unicode/locid.h>

#include <algorithm>
#include <memory>
#include <string_view>

namespace kavo::screens {
namespace {

// Under LANG=C the default locale is en_US_POSIX, whose collation orders
// every capital before every small letter even at secondary strength. That
// locale expresses no language preference, so the root collation stands in.
icu::Locale collationLocale(const icu::Locale& locale)
{
    if (std::string_view(locale.getVariant()) == "POSIX") return icu::Locale::getRoot();
    return locale;
}

std::vector<const KVCategory*> sortWith(const std::vector<KVCategory>& categories, const icu::Locale& requested)
{
    const icu::Locale locale = collationLocale(requested);
    std::vector<const KVCategory*> sorted;
    sorted.reserve(categories.size());
    for (const KVCategory& category : categories) sorted.push_back(&category);

    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status) || !collator) return sorted;
    // Secondary strength: letters and accents count, case does not.
    collator->setStrength(icu::Collator::SECONDARY);
    std::stable_sort(sorted.begin(), sorted.end(), [&collator](const KVCategory* a, const KVCategory* b) {
        UErrorCode compareStatus = U_ZERO_ERROR;
        return collator->compareUTF8(a->title, b->title, compareStatus) == UCOL_LESS;
    });
    return sorted;
}

} // namespace

std::vector<const KVCategory*> sortedCategories(const std::vector<KVCategory>& categories)
{
    return sortWith(categories, icu::Locale::getDefault());
}

std::vector<const KVCategory*> sortedCategories(const std::vector<KVCategory>& categories, const char* locale)
{
    return sortWith(categories, icu::Locale(locale));
}

SplitCategories splitLinkCategories(const std::vector<const KVCategory*>& sorted)
{
    SplitCategories split;
    for (const KVCategory* category : sorted) (category->url ? split.links : split.categories).push_back(category);
    return split;
}

std::size_t entryCount(const KVCategory& category)
{
    std::size_t count = category.entries.size();
    for (const KVSection& section : category.sections) count += section.entries.size();
    return count;
}

} // namespace kavo::screens
