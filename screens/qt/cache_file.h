// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/data_service.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace kavo {

/// Clearing the catalogue cache: the settings screen deletes the data
/// service's cache file, then asks the service to refresh. Only the file the
/// service names is ever deleted.
class CacheFile : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    /// Deletes `dataService`'s cache file. A missing file or a failed
    /// deletion is ignored; the catalogue on screen stays as it is.
    Q_INVOKABLE void remove(kavo::KVDataService* dataService) const;
};

} // namespace kavo
