// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/kavo_application.h"
#include "platform/file_io.h"
#include "test_http_server.h"

#include <QFileInfo>
#include <QObject>
#include <QtCore/qtestsupport_core.h>
#include <QQmlApplicationEngine>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace kavo::testing {

/// Link opener and clipboard that remember instead of acting; the opener also
/// notes which link "Recently Viewed" began with at each hand-over.
class RecordingOpener final : public UrlOpener {
public:
    const KVHistoryService* history = nullptr;
    QStringList opened;
    QStringList historyFrontWhenOpened;

protected:
    void handOver(const QUrl& url) override;
};

class RecordingClipboard final : public Clipboard {
public:
    QString text;
    void setText(const QString& value) override { text = value; }
};

/// One started application for a test: the real services on a temporary
/// directory, a local server for downloads, recording opener and clipboard.
class TestApp : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariantMap window READ window CONSTANT)        // what the application's window is handed
    Q_PROPERTY(QObject* dataService READ dataService CONSTANT)
    Q_PROPERTY(QStringList opened READ opened)
    Q_PROPERTY(QStringList historyFrontWhenOpened READ historyFrontWhenOpened)
    Q_PROPERTY(QString clipboard READ clipboard)
    Q_PROPERTY(QStringList historyNames READ historyNames)
    Q_PROPERTY(QStringList favoriteNames READ favoriteNames)
    Q_PROPERTY(int downloads READ downloads)
    Q_PROPERTY(int pixelRequests READ pixelRequests)

public:
    /// "packaged": the test page as the packaged copy, no cache; "empty": no
    /// packaged copy ("No content available"); "hostile": a packaged page,
    /// history and favourites whose texts all hold markup; "preview": the
    /// page at pagePath() previewed (no file yet). Downloads stall.
    explicit TestApp(const QString& scenario, QObject* parent = nullptr);

    KavoApplication& root() { return *root_; }
    QVariantMap window() { return root_->windowProperties(); }
    QObject* dataService() { return &root_->dataService(); }
    QStringList opened() const { return opener_.opened; }
    QStringList historyFrontWhenOpened() const { return opener_.historyFrontWhenOpened; }
    QString clipboard() const { return clipboard_.text; }
    QStringList historyNames() const;
    QStringList favoriteNames() const;
    /// Requests the local server has received for the primary page.
    int downloads() const { return server_.requests(QStringLiteral("/single-page")); }
    /// Requests for the image that the "hostile" scenario's texts point at: there must be none.
    int pixelRequests() const { return server_.requests(QStringLiteral("/pixel.png")); }
    /// Waits until the catalogue is loaded; false when it never is.
    bool waitUntilLoaded() { return QTest::qWaitFor([this] { return !root_->dataService().isLoading(); }, 10'000); }

    /// The packaged test page, to serve as it is or changed.
    Q_INVOKABLE QString packagedPage() const;
    /// From now on the primary endpoint answers with `page`, whole.
    Q_INVOKABLE void servePage(const QString& page) { server_.answer("/single-page", ScriptedAnswer(page.toUtf8())); }
    Q_INVOKABLE void addHistory(const QString& name, const QString& url) { root_->historyService().addEntry(name, url); }
    Q_INVOKABLE void addFavorite(const QString& name, const QString& url)
    {
        root_->favoritesService().toggleFavorite(name, url, QStringLiteral("none"));
    }
    Q_INVOKABLE bool fileExists(const QString& path) const { return QFileInfo::exists(path); }
    /// The previewed page's path, and a write of it as an editor saves: a new file renamed over it.
    Q_INVOKABLE QString pagePath() const { return dir_.filePath("page.md"); }
    Q_INVOKABLE bool savePage(const QString& text) const;

private:
    QTemporaryDir dir_;
    TestHttpServer server_;
    RecordingOpener opener_;
    RecordingClipboard clipboard_;
    std::unique_ptr<KavoApplication> root_;
};

/// What the QML tests call to start an application.
class AppHarness : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE QObject* start(const QString& scenario);
};

} // namespace kavo::testing
