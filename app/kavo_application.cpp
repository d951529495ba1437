// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kavo_application.h"

#include "app/app_config.h"
#include "app/build_config.h"
#include "platform/caches_directory.h"
#include "platform/file_io.h"
#include "screens/qt/lint_model.h"
#include "screens/qt/symbol_font.h"

#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickWindow>
#include <QUrl>

#include <cstdio>
#include <system_error>
#include <thread>

namespace kavo {

ApplicationSetup KavoApplication::applicationSetup()
{
    ApplicationSetup setup;
    setup.cachesDirectory = userCachesDirectory();
    setup.dataDirectory = userDataDirectory();
    movePersonalFiles(setup.cachesDirectory, setup.dataDirectory);
    setup.data = applicationDataServiceConfig(setup.cachesDirectory);
    setup.data.cacheReadAhead = CacheReadAhead::start(setup.data.cacheFilePath);
    // Decoding tens of thousands of links overlaps the window's start too.
    setup.seenReadAhead = SeenReadAhead::start(filePathIn(setup.dataDirectory, KVSeenService::kFileName));
    return setup;
}

ApplicationSetup KavoApplication::previewSetup(const QString& path)
{
    ApplicationSetup setup;
    setup.cachesDirectory = userCachesDirectory();
    setup.dataDirectory = userDataDirectory();
    movePersonalFiles(setup.cachesDirectory, setup.dataDirectory); // history and favourites as always
    setup.data = applicationDataServiceConfig(setup.cachesDirectory);
    setup.data.cacheFilePath.clear(); // never read, written, cleared, nor tidied
    setup.previewPage = path;
    return setup;
}

void KavoApplication::movePersonalFiles(const std::optional<QString>& cachesDirectory,
                                        const std::optional<QString>& dataDirectory)
{
    if (!cachesDirectory || !dataDirectory || *cachesDirectory == *dataDirectory) return;
    for (const QString& name : {KVHistoryService::kFileName, KVFavoritesService::kFileName}) {
        // A file over the read cap counts as absent wherever it is: it stays.
        (void)moveFileWithoutReplacing(filePathIn(cachesDirectory, name), filePathIn(dataDirectory, name),
                                       kPersonalFileLimit);
    }
}

KavoApplication::KavoApplication(ApplicationSetup setup, UrlOpener& opener, Clipboard& clipboard)
    : setup_(std::move(setup)), opener_(opener), clipboard_(clipboard)
{
}

KavoApplication::~KavoApplication() = default;

void KavoApplication::build()
{
    if (!setup_) return;
    ApplicationSetup setup = std::move(*setup_);
    setup_.reset();
    const QString historyPath = filePathIn(setup.dataDirectory, KVHistoryService::kFileName);
    const QString favoritesPath = filePathIn(setup.dataDirectory, KVFavoritesService::kFileName);
    // A previewed page is no download: what is new is not its business, and
    // the seen file is neither read nor written (nor tidied).
    const QString seenPath = setup.previewPage ? QString() : filePathIn(setup.dataDirectory, KVSeenService::kFileName);
    // A preview leaves the cache alone altogether.
    if (setup.previewPage) {
        preview_ = std::make_unique<KVPagePreview>(*setup.previewPage);
        setup.data.preview = preview_.get();
        setup.data.cacheFilePath.clear();
        setup.data.cacheReadAhead.reset();
        setup.seenReadAhead.reset();
        // Whoever started the preview from a terminal hears of a file that cannot be used, once per new reason.
        QObject::connect(preview_.get(), &KVPagePreview::reportChanged, preview_.get(),
                         [preview = preview_.get(), told = PageProblem{}]() mutable {
                             if (preview->problem() == told) return;
                             told = preview->problem();
                             const QString text = LintModel::problemText(told, preview->filePath());
                             if (!text.isEmpty()) std::fprintf(stderr, "kavo: %s\n", qPrintable(text));
                         });
    }
    // Saves killed part-way leave their temporary files beside ours; nothing
    // else ever removes them.
    for (const QString& path : {setup.data.cacheFilePath, historyPath, favoritesPath, seenPath}) {
        if (!path.isEmpty()) removeStaleTemporaryFiles(path);
    }
    // In this order: the data service starts its load first, then the two
    // personal lists read their files.
    dataService_ = std::make_unique<KVDataService>(std::move(setup.data));
    historyService_ = std::make_unique<KVHistoryService>(historyPath, setup.clock, setup.uuids);
    favoritesService_ = std::make_unique<KVFavoritesService>(favoritesPath, setup.clock, setup.uuids);
    // Every catalogue a download brought is recorded as seen; the packaged
    // page never is. The one read back from the cache at start is the first.
    // A preview has no seen links: nothing is new, nothing to mark, nothing saved.
    std::optional<SeenLinks> seen;
    if (!seenPath.isEmpty()) seen = setup.seenReadAhead ? setup.seenReadAhead->take(seenPath) : readSeenFile(seenPath);
    seenService_ = std::make_unique<KVSeenService>(seenPath, setup.clock, std::move(seen));
    if (!preview_) {
        const auto recordDownload = [data = dataService_.get(), seen = seenService_.get()] {
            if (data->isDownloaded()) seen->recordDownload(data->categories());
        };
        QObject::connect(dataService_.get(), &KVDataService::categoriesChanged, seenService_.get(), recordDownload);
        recordDownload();
    }
    actions_ = std::make_unique<LinkActions>(*historyService_, *favoritesService_, opener_, clipboard_, setup.clock);
    // The website and version are the build's own, whatever the setup.
    appInfo_ = std::make_unique<AppInfo>(siteBaseUrl(), QStringLiteral(KAVO_VERSION));
}

QVariantMap KavoApplication::windowProperties()
{
    build();
    return {
        {QStringLiteral("dataService"), QVariant::fromValue(dataService_.get())},
        {QStringLiteral("historyService"), QVariant::fromValue(historyService_.get())},
        {QStringLiteral("favoritesService"), QVariant::fromValue(favoritesService_.get())},
        {QStringLiteral("seenService"), QVariant::fromValue(seenService_.get())},
        {QStringLiteral("actions"), QVariant::fromValue(actions_.get())},
        {QStringLiteral("appInfo"), QVariant::fromValue(appInfo_.get())},
    };
}

void KavoApplication::show(QQmlApplicationEngine& engine)
{
    // Where the static Kavo module keeps its qmldir (Qt 6.4 does not look there by itself).
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    const QUrl mainQml(QStringLiteral("qrc:/qt/qml/Kavo/Main.qml"));
    // Three long steps of a start that need not wait for each other: the
    // engine's loader thread loads the modules the window imports (the
    // controls and their style register some hundred types); a thread of its
    // own reads the system's font configuration and adds the icon font (the
    // font database may be used from any thread); and this thread sets up
    // the graphics, which the first Qt Quick window made does (loading the
    // OpenGL driver, with a compiler in it for a software one). engine.load()
    // below then finds the QML loaded.
    const QQmlComponent preload(&engine, mainQml, QQmlComponent::Asynchronous);
    std::thread fonts;
    try {
        fonts = std::thread(&Symbols::loadFont);
    } catch (const std::system_error&) {
        Symbols::loadFont(); // no thread to be had
    }
    { const QQuickWindow graphics; } // made and gone: the graphics it set up stay
    if (fonts.joinable()) fonts.join();
    // The window is made first, without the services: compiling its QML,
    // loading the modules it imports and setting up its platform window and
    // graphics take long enough for the cache read on its worker to finish
    // meanwhile. Nothing is drawn before the services are handed in below
    // (this thread is busy until then), and the main screen is made as they are.
    engine.load(mainQml);
    if (engine.rootObjects().isEmpty()) return;
    QObject* window = engine.rootObjects().constFirst();
    const QVariantMap properties = windowProperties(); // builds the services
    for (auto property = properties.cbegin(); property != properties.cend(); ++property) {
        window->setProperty(property.key().toUtf8().constData(), property.value());
    }
}

} // namespace kavo
