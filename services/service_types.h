// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/personal_records.h"
#include "catalog/records.h"

#include <QMetaType>

#include <cstddef>
#include <memory>
#include <vector>

namespace kavo {

/// The catalogue as the data service publishes it: immutable and shared, so
/// every screen reads the same list without copying tens of thousands of
/// records. Never null.
using SharedCategories = std::shared_ptr<const std::vector<KVCategory>>;

/// The most links in entry lines the app takes from one page, downloaded or
/// previewed: far above any real page (see ParseLimits).
inline constexpr std::size_t kMaxCatalogueLinks = 1'000'000;
using HistoryList = std::vector<HistoryEntry>;
using FavoriteList = std::vector<FavoriteEntry>;

} // namespace kavo

Q_DECLARE_METATYPE(kavo::SharedCategories)
Q_DECLARE_METATYPE(kavo::HistoryList)
Q_DECLARE_METATYPE(kavo::FavoriteList)
