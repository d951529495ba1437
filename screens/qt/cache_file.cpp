// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/cache_file.h"

#include "platform/file_io.h"

namespace kavo {

void CacheFile::remove(KVDataService* dataService) const
{
    if (dataService == nullptr || dataService->cacheFilePath().isEmpty()) return;
    removeFile(dataService->cacheFilePath());
}

} // namespace kavo
