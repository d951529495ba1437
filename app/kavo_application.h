// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clipboard.h"
#include "platform/url_opener.h"
#include "screens/qt/app_info.h"
#include "screens/qt/link_actions.h"
#include "services/data_service.h"
#include "services/favorites_service.h"
#include "services/history_service.h"
#include "services/seen_service.h"

#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>

class QQmlApplicationEngine;

namespace kavo {

/// Where the application keeps its files and finds its page; the
/// application's own settings, or test directories and local endpoints.
struct ApplicationSetup {
    std::optional<QString> cachesDirectory; ///< the catalogue cache; nothing: "/tmp"
    std::optional<QString> dataDirectory;   ///< the personal files; nothing: "/tmp"
    DataServiceConfig data;
    /// A page to preview: the catalogue comes from it alone (see KVPagePreview).
    std::optional<QString> previewPage;
    Clock clock = systemClock();
    UuidSource uuids = randomUuids();
    /// The seen file's read, when the application started it ahead; without
    /// it the seen service reads the file itself.
    std::shared_ptr<SeenReadAhead> seenReadAhead;
};

/// The composition root. Owns the one data, history, favourites and seen
/// service (made on the main thread, in that order), the link actions and the
/// application's description (website, version), and hands the same
/// instances to every screen through the main window's properties.
///
/// The services are built when first needed: show() builds them once the
/// window is made, so that the data service's cache read (started ahead by
/// applicationSetup()) has had that long to finish on its worker.
class KavoApplication {
public:
    /// The setup the installed application runs with. Moves personal files
    /// left in the caches directory by earlier versions (see
    /// movePersonalFiles), then starts reading the catalogue cache and the
    /// seen file on worker threads; call it as early as possible.
    [[nodiscard]] static ApplicationSetup applicationSetup();
    /// The setup that previews the page at `path`: the same personal files,
    /// no cache read ahead (nor at all), nothing downloaded.
    [[nodiscard]] static ApplicationSetup previewSetup(const QString& path);

    /// The personal files that earlier versions kept in the caches
    /// directory, where cache cleaners delete them with the cache, each moved
    /// to the data directory unless it has one of that name already. Only
    /// between two real directories: never into or out of the shared "/tmp".
    static void movePersonalFiles(const std::optional<QString>& cachesDirectory,
                                  const std::optional<QString>& dataDirectory);

    KavoApplication(ApplicationSetup setup, UrlOpener& opener, Clipboard& clipboard);
    ~KavoApplication();

    /// Loads the main window into `engine`, then hands it the shared instances.
    void show(QQmlApplicationEngine& engine);

    /// What the window is handed: the services, the link actions and the
    /// application's description.
    [[nodiscard]] QVariantMap windowProperties();

    KVDataService& dataService() { build(); return *dataService_; }
    /// The page being previewed; null unless the setup names one.
    KVPagePreview* preview() { build(); return preview_.get(); }
    KVHistoryService& historyService() { build(); return *historyService_; }
    KVFavoritesService& favoritesService() { build(); return *favoritesService_; }
    LinkActions& actions() { build(); return *actions_; }
    AppInfo& appInfo() { build(); return *appInfo_; }

private:
    /// Builds the services and what shares them, once.
    void build();

    std::optional<ApplicationSetup> setup_; ///< until build()
    UrlOpener& opener_;
    Clipboard& clipboard_;
    std::unique_ptr<KVPagePreview> preview_; ///< before the data service, which uses it, and gone after it
    std::unique_ptr<KVDataService> dataService_;
    std::unique_ptr<KVHistoryService> historyService_;
    std::unique_ptr<KVFavoritesService> favoritesService_;
    std::unique_ptr<KVSeenService> seenService_;
    std::unique_ptr<LinkActions> actions_;
    std::unique_ptr<AppInfo> appInfo_;
};

} // namespace kavo
