// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_harness.h"

#include "platform/file_io.h"

#include <QFileInfo>
#include <QQmlEngine>

namespace kavo::testing {

void RecordingOpener::handOver(const QUrl& url)
{
    opened << url.toString();
    const auto& entries = (*history_)->recentEntries();
    historyFrontWhenOpened << (entries.empty() ? QString() : QString::fromStdString(entries.front().url.text()));
}

TestApp::TestApp(const QString& scenario, QObject* parent) : QObject(parent)
{
    ScriptedAnswer stall = ScriptedAnswer::with(200, "# \xE2\x96\xBA Later\n", ScriptedAnswer::Delivery::Stall);
    server_.answer("/single-page", stall);
    server_.answer("/single-page.md", stall);

    ApplicationSetup setup;
    setup.cachesDirectory = dir_.path();
    setup.data.cacheFilePath = dir_.filePath("kavo_categories.json");
    setup.data.bundledPagePath = scenario == QLatin1String("packaged") ? QStringLiteral(KAVO_TEST_APP_DATA "/screen_page.md")
                                                                       : dir_.filePath("missing.md");
    setup.data.primaryUrl = server_.url("/single-page");
    setup.data.fallbackUrl = server_.url("/single-page.md");
    setup.data.http = HttpLimits{60'000, 60'000, 1 << 20};
    root_ = std::make_unique<KAVO_X_IOSApp>(std::move(setup), opener_, clipboard_);
    history_ = &root_->historyService();
}

TestApp::~TestApp() = default;

QStringList TestApp::historyNames() const
{
    QStringList names;
    for (const HistoryEntry& entry : history_->recentEntries()) names << QString::fromStdString(entry.name);
    return names;
}

QStringList TestApp::favoriteNames() const
{
    QStringList names;
    for (const FavoriteEntry& entry : root_->favoritesService().favorites()) names << QString::fromStdString(entry.name);
    return names;
}

void TestApp::addHistory(const QString& name, const QString& url)
{
    root_->historyService().addEntry(name, url);
}

void TestApp::addFavorite(const QString& name, const QString& url)
{
    root_->favoritesService().toggleFavorite(name, url, QStringLiteral("none"));
}

bool TestApp::fileExists(const QString& path) const
{
    return QFileInfo::exists(path);
}

bool TestApp::writeFile(const QString& path, const QString& text) const
{
    return writeFileAtomically(path, text.toStdString());
}

QObject* AppHarness::start(const QString& scenario)
{
    auto* app = new TestApp(scenario);
    QQmlEngine::setObjectOwnership(app, QQmlEngine::JavaScriptOwnership);
    return app;
}

} // namespace kavo::testing
