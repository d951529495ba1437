// SPDX-License-Identifier: GPL-3.0-or-later
// kavo-screenshot: starts the real application window on a given page and
// saves pictures of it. Meant to run under Xvfb with the xcb platform
// (scripts/screenshot, which takes every picture the README shows).
//
// usage: kavo-screenshot PAGE.md OUTDIR PREFIX WIDTHxHEIGHT SEARCH SHOTS
//   SHOTS: some of main, settings, search, category, context-menu, new (comma
//   separated), saved as OUTDIR/PREFIX-SHOT.png. A wide window (720 px and
//   more) opens the first category beside the list before anything else.
//   "new" starts as if the last download had brought three of the page's
//   entries (a third, two thirds and all the way down), and shows the main
//   screen with them.
//   Or "preview" alone: the page previewed as its curator sees it while
//   editing it (kavo PAGE.md), with its lint bar open.
#include "app/inert_links.h"
#include "app/kavo_application.h"
#include "app/translations.h"
#include "catalog/catalog_json.h"
#include "catalog/parser.h"
#include "catalog/personal_records.h"
#include "platform/caches_directory.h"
#include "platform/file_io.h"
#include "services/cache_read_ahead.h"

#include <QDir>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <cstdio>

Q_IMPORT_QML_PLUGIN(KavoPlugin)

namespace {


// The first item, depth first through the visual tree, whose objectName
// starts with `prefix`. List delegates are visual children only.
QQuickItem* findItem(QQuickItem* root, const QString& prefix)
{
    if (root->objectName().startsWith(prefix) && root->isVisible()) return root;
    for (QQuickItem* child : root->childItems()) {
        if (QQuickItem* found = findItem(child, prefix)) return found;
    }
    return nullptr;
}

QQuickItem* findItem(QQuickWindow* window, const QString& prefix)
{
    return findItem(window->contentItem(), prefix);
}

bool save(QQuickWindow* window, const QString& path)
{
    QTest::qWait(900); // let animations (popups, pushes) finish before the picture
    const bool saved = window->grabWindow().save(path);
    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
    return saved;
}

// Three entries of the page, spread over it: the catalogue without them was
// the last download seen, and the one shown (the cache, as a download writes
// it) brings them.
bool seeThreeEntriesAsNew(const std::vector<kavo::KVCategory>& catalogue, const kavo::ApplicationSetup& setup)
{
    std::vector<kavo::KVCategory> before = catalogue;
    std::vector<std::vector<kavo::KVEntry>*> lists;
    for (kavo::KVCategory& category : before) {
        lists.push_back(&category.entries);
        for (kavo::KVSection& section : category.sections) lists.push_back(&section.entries);
    }
    std::erase_if(lists, [](const auto* list) { return list->empty(); });
    if (lists.size() < 3) return false;
    for (const std::size_t at : {lists.size() / 3, 2 * lists.size() / 3, lists.size() - 1}) lists[at]->pop_back();
    const std::string seen = kavo::encodeSeen(kavo::SeenLinks::baseline(before).records(before, 0));
    return kavo::writeFileAtomically(kavo::filePathIn(setup.dataDirectory, kavo::KVSeenService::kFileName), seen) &&
           kavo::writeFileAtomically(setup.data.cacheFilePath,
                                     kavo::encodeCategories(catalogue) + kavo::kDownloadedCacheEnd);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    // In the system's language, as the application: LANG=de_DE.UTF-8 gives German pictures.
    const kavo::Translations translations(QLocale::system());
    QQuickStyle::setStyle(QStringLiteral("Material"));
    if (qEnvironmentVariableIsEmpty("QT_QUICK_CONTROLS_MATERIAL_THEME")) {
        qputenv("QT_QUICK_CONTROLS_MATERIAL_THEME", "Light");
    }
    const QStringList arguments = application.arguments();
    const QStringList size = arguments.value(4).split(QLatin1Char('x'));
    if (arguments.size() != 7 || size.size() != 2) {
        std::fprintf(stderr, "usage: kavo-screenshot PAGE.md OUTDIR PREFIX WIDTHxHEIGHT SEARCH SHOTS\n");
        return 2;
    }
    const QStringList shots = arguments[6].split(QLatin1Char(','));
    const QString out = arguments[2] + QLatin1Char('/') + arguments[3] + QLatin1Char('-');
    const QString query = arguments[5];
    QDir().mkpath(arguments[2]);

    // The page becomes the cache, so the catalogue is there at the first frame.
    QTemporaryDir caches;
    QFile page(arguments[1]);
    if (!page.open(QIODevice::ReadOnly)) return 1;
    const std::string text = page.readAll().toStdString();
    const bool preview = shots == QStringList{QStringLiteral("preview")};
    kavo::ApplicationSetup setup;
    setup.cachesDirectory = caches.path();
    setup.dataDirectory = caches.path();
    setup.data.cacheFilePath = caches.filePath(QStringLiteral("kavo_categories.json"));
    setup.data.bundledPagePath = arguments[1];
    setup.data.primaryUrl = QUrl(QStringLiteral("http://127.0.0.1:9/single-page"));
    setup.data.fallbackUrl = QUrl(QStringLiteral("http://127.0.0.1:9/single-page.md"));
    if (preview) {
        setup.previewPage = arguments[1];
    } else {
        const std::vector<kavo::KVCategory> parsed = kavo::KVParser().parse(text);
        if (!kavo::writeFileAtomically(setup.data.cacheFilePath, kavo::encodeCategories(parsed))) return 1;
        if (shots.contains(QStringLiteral("new")) && !seeThreeEntriesAsNew(parsed, setup)) return 1;
    }

    kavo::InertUrlOpener opener; // links are shown, never opened
    kavo::InertClipboard clipboard;
    kavo::KavoApplication root(std::move(setup), opener, clipboard);
    // A few personal entries, so the main screen shows its sections.
    const auto& catalogue = *root.dataService().categories();
    int added = 0;
    for (const kavo::KVCategory& category : catalogue) {
        for (const kavo::KVSection& section : category.sections) {
            for (const kavo::KVEntry& entry : section.entries) {
                if (added >= 4) break;
                if (added % 2 == 0) root.historyService().addEntry(entry.name, entry.url);
                else root.favoritesService().toggleFavorite(entry.name, entry.url, entry.badge);
                ++added;
            }
        }
    }

    QQmlApplicationEngine engine;
    root.show(engine);
    if (engine.rootObjects().isEmpty()) return 1;
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().first());
    if (!window || !QTest::qWaitForWindowExposed(window)) return 1;
    window->resize(size[0].toInt(), size[1].toInt());
    const bool wide = window->width() >= 720;

    // The first category row opens its screen: over the list, or beside it.
    auto openFirstCategory = [window] {
        QQuickItem* category = findItem(window, QStringLiteral("category_"));
        if (category) QMetaObject::invokeMethod(category, "clicked");
        return category != nullptr;
    };
    QQuickItem* search = findItem(window, QStringLiteral("searchField"));
    if (search == nullptr) return 1;

    bool ok = !wide || openFirstCategory();
    auto take = [&](const QString& shot) {
        if (shots.contains(shot)) ok = save(window, out + shot + QStringLiteral(".png")) && ok;
    };
    take(QStringLiteral("main"));
    take(QStringLiteral("new"));
    if (shots.contains(QStringLiteral("settings"))) {
        QQuickItem* gear = findItem(window, QStringLiteral("settingsButton"));
        if (gear) QMetaObject::invokeMethod(gear, "clicked");
        take(QStringLiteral("settings"));
        if (QQuickItem* done = findItem(window, QStringLiteral("settingsDone"))) QMetaObject::invokeMethod(done, "clicked");
        QTest::qWait(500);
        ok = gear && ok;
    }
    if (shots.contains(QStringLiteral("search"))) {
        search->setProperty("text", query);
        take(QStringLiteral("search"));
        search->setProperty("text", QString());
        QTest::qWait(100);
    }
    if (!wide && (shots.contains(QStringLiteral("category")) || shots.contains(QStringLiteral("context-menu")))) {
        ok = openFirstCategory() && ok;
    }
    take(QStringLiteral("category"));
    if (shots.contains(QStringLiteral("context-menu"))) {
        QQuickItem* entry = findItem(window, QStringLiteral("entry_"));
        if (entry) QMetaObject::invokeMethod(entry, "showContextMenu", Q_ARG(QVariant, true));
        take(QStringLiteral("context-menu"));
        ok = entry && ok;
    }
    if (preview) {
        const bool read = QTest::qWaitFor([&root] { return root.preview()->hasRead(); });
        QQuickItem* summary = findItem(window, QStringLiteral("lintSummary"));
        if (summary) QMetaObject::invokeMethod(summary, "clicked");
        take(QStringLiteral("preview"));
        ok = read && summary && ok;
    }
    return ok ? 0 : 1;
}
