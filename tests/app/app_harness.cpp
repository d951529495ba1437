// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_harness.h"

#include <QQmlEngine>

namespace kavo::testing {

void RecordingOpener::handOver(const QUrl& url)
{
    opened << url.toString();
    const auto& entries = history->recentEntries();
    historyFrontWhenOpened << (entries.empty() ? QString() : QString::fromStdString(entries.front().url.text()));
}

namespace {

// Markup in every text a screen shows: anything that interprets it fetches
// `pixel` or loses a tag.
QByteArray hostile(const QUrl& pixel, const char* what)
{
    return QByteArray(what) + " <img src=\"" + pixel.toEncoded() + "\"><b>bold</b> &amp; <a href=\"https://x.example/\">a</a>";
}

// A page, a history and favourites whose every text holds markup.
void writeHostileFiles(const QTemporaryDir& dir, const QUrl& pixel)
{
    const QByteArray page = "# \xE2\x96\xBA " + hostile(pixel, "Title") + "\n* **Note** - " + hostile(pixel, "Note") +
                            "\n***\n* \xE2\xAD\x90 [" + hostile(pixel, "Entry") + "](https://e.example/), [" +
                            hostile(pixel, "Related") + "](https://r.example/) - " + hostile(pixel, "Description") +
                            "\n## \xE2\x96\xB7 " + hostile(pixel, "Section") + "\n* [Plain](https://p.example/)\n" +
                            "# \xE2\x96\xBA [" + hostile(pixel, "Link") + "](https://l.example/)\n";
    (void)writeFileAtomically(dir.filePath("hostile.md"), page.toStdString());
    const Url url = *Url::parse("https://h.example/");
    (void)writeFileAtomically(dir.filePath("kavo_history.json"), encodeHistory({{{}, hostile(pixel, "History").toStdString(), url, 0}}));
    (void)writeFileAtomically(dir.filePath("kavo_favorites.json"),
                              encodeFavorites({{{}, hostile(pixel, "Favorite").toStdString(), url, KVBadge::star, 0}}));
}

} // namespace

TestApp::TestApp(const QString& scenario, QObject* parent) : QObject(parent)
{
    const ScriptedAnswer stall = ScriptedAnswer("# \xE2\x96\xBA Later\n").with(ScriptedAnswer::Delivery::Stall);
    server_.answer("/single-page", stall);
    server_.answer("/single-page.md", stall);
    if (scenario == QLatin1String("hostile")) writeHostileFiles(dir_, server_.url("/pixel.png"));

    ApplicationSetup setup;
    setup.cachesDirectory = dir_.path();
    setup.dataDirectory = dir_.path();
    setup.data.cacheFilePath = dir_.filePath("kavo_categories.json");
    setup.data.bundledPagePath = scenario == QLatin1String("packaged") ? QStringLiteral(KAVO_TEST_APP_DATA "/screen_page.md")
                                 : scenario == QLatin1String("hostile") ? dir_.filePath("hostile.md")
                                                                        : dir_.filePath("missing.md");
    setup.data.primaryUrl = server_.url("/single-page");
    setup.data.fallbackUrl = server_.url("/single-page.md");
    setup.data.http = HttpLimits{60'000, 60'000, 1 << 20};
    if (scenario == QLatin1String("preview")) setup.previewPage = pagePath();
    root_ = std::make_unique<KavoApplication>(std::move(setup), opener_, clipboard_);
    opener_.history = &root_->historyService();
}

bool TestApp::savePage(const QString& text) const
{
    return writeFileAtomically(pagePath(), text.toStdString()); // a new file, renamed over the old
}

QString TestApp::packagedPage() const
{
    QFile file(QStringLiteral(KAVO_TEST_APP_DATA "/screen_page.md"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList TestApp::historyNames() const
{
    QStringList names;
    for (const HistoryEntry& entry : root_->historyService().recentEntries()) names << QString::fromStdString(entry.name);
    return names;
}

QStringList TestApp::favoriteNames() const
{
    QStringList names;
    for (const FavoriteEntry& entry : root_->favoritesService().favorites()) names << QString::fromStdString(entry.name);
    return names;
}

QObject* AppHarness::start(const QString& scenario)
{
    auto* app = new TestApp(scenario);
    QQmlEngine::setObjectOwnership(app, QQmlEngine::JavaScriptOwnership);
    return app;
}

} // namespace kavo::testing
