// SPDX-License-Identifier: GPL-3.0-or-later
// kavo-screenshot: starts the real application window on a given page and
// saves pictures of the main screen, the settings sheet, a search, a
// category and an entry's context menu. Meant to run under Xvfb with the xcb platform (scripts/screenshot).
//
// usage: kavo-screenshot PAGE.md OUTDIR [SEARCH]
#include "app/inert_links.h"
#include "app/kavo_application.h"
#include "app/translations.h"
#include "catalog/catalog_json.h"
#include "catalog/parser.h"
#include "platform/file_io.h"

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
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: kavo-screenshot PAGE.md OUTDIR [SEARCH]\n");
        return 2;
    }
    const QString outDir = arguments[2];
    const QString query = arguments.size() > 3 ? arguments[3] : QStringLiteral("open");
    QDir().mkpath(outDir);

    // The page becomes the cache, so the catalogue is there at the first frame.
    QTemporaryDir caches;
    QFile page(arguments[1]);
    if (!page.open(QIODevice::ReadOnly)) return 1;
    const std::string text = page.readAll().toStdString();
    kavo::ApplicationSetup setup;
    setup.cachesDirectory = caches.path();
    setup.data.cacheFilePath = caches.filePath(QStringLiteral("kavo_categories.json"));
    setup.data.bundledPagePath = arguments[1];
    setup.data.primaryUrl = QUrl(QStringLiteral("http://127.0.0.1:9/single-page"));
    setup.data.fallbackUrl = QUrl(QStringLiteral("http://127.0.0.1:9/single-page.md"));
    if (!kavo::writeFileAtomically(setup.data.cacheFilePath, kavo::encodeCategories(kavo::KVParser().parse(text)))) return 1;

    kavo::InertUrlOpener opener; // links are shown, never opened
    kavo::InertClipboard clipboard;
    kavo::KAVO_X_IOSApp root(std::move(setup), opener, clipboard);
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

    bool ok = save(window, outDir + "/main.png");
    if (QQuickItem* gear = findItem(window, QStringLiteral("settingsButton"))) {
        QMetaObject::invokeMethod(gear, "clicked");
        ok = save(window, outDir + "/settings.png") && ok;
        if (QQuickItem* done = findItem(window, QStringLiteral("settingsDone"))) QMetaObject::invokeMethod(done, "clicked");
        QTest::qWait(500);
    }
    QQuickItem* search = findItem(window, QStringLiteral("searchField"));
    if (search) search->setProperty("text", query);
    ok = save(window, outDir + "/search.png") && ok;
    if (search) search->setProperty("text", QString());
    QTest::qWait(100);

    // The first category row opens its screen; there, an entry's context menu.
    QQuickItem* category = findItem(window, QStringLiteral("category_"));
    if (category) QMetaObject::invokeMethod(category, "clicked");
    ok = save(window, outDir + "/category.png") && ok;

    QQuickItem* entry = findItem(window, QStringLiteral("entry_"));
    if (entry) QMetaObject::invokeMethod(entry, "showContextMenu");
    ok = save(window, outDir + "/context-menu.png") && ok;
    return ok && category && entry ? 0 : 1;
}
