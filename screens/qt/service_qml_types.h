// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/data_service.h"
#include "services/favorites_service.h"
#include "services/history_service.h"
#include "services/seen_service.h"

#include <QtQml/qqml.h>
#include <QtQml/qqmlregistration.h>

// The four services as QML types, so screens can declare properties of
// their type. They cannot be created from QML: the application makes one of
// each and hands the same instances to every screen.
namespace kavo::qml {

struct DataServiceType {
    Q_GADGET
    QML_FOREIGN(kavo::KVDataService)
    QML_NAMED_ELEMENT(KVDataService)
    QML_UNCREATABLE("The application owns the one data service.")
};

struct HistoryServiceType {
    Q_GADGET
    QML_FOREIGN(kavo::KVHistoryService)
    QML_NAMED_ELEMENT(KVHistoryService)
    QML_UNCREATABLE("The application owns the one history service.")
};

struct PagePreviewType {
    Q_GADGET
    QML_FOREIGN(kavo::KVPagePreview)
    QML_NAMED_ELEMENT(KVPagePreview)
    QML_UNCREATABLE("The application previews the page it was started with.")
};

struct FavoritesServiceType {
    Q_GADGET
    QML_FOREIGN(kavo::KVFavoritesService)
    QML_NAMED_ELEMENT(KVFavoritesService)
    QML_UNCREATABLE("The application owns the one favourites service.")
};

struct SeenServiceType {
    Q_GADGET
    QML_FOREIGN(kavo::KVSeenService)
    QML_NAMED_ELEMENT(KVSeenService)
    QML_UNCREATABLE("The application owns the one seen service.")
};

} // namespace kavo::qml
