// SPDX-License-Identifier: GPL-3.0-or-later
// The screens' list models under QAbstractItemModelTester, the link actions,
// the settings screen's helpers, and the composition root's one set of
// services as QML sees it.
#include "app/app_config.h"
#include "app/build_config.h"
#include "app/command_line.h"
#include "app/translations.h"
#include "app_harness.h"
#include "screens/qt/category_detail_model.h"
#include "screens/qt/lint_model.h"
#include "screens/qt/main_list_model.h"
#include "screens/qt/navigator.h"
#include "screens/qt/refresh_status.h"
#include "screens/qt/relative_time_text.h"
#include "test_files.h"

#include <QQuickStyle>
#include <QtQml/qqmlextensionplugin.h>
#include <QtTest>

Q_IMPORT_QML_PLUGIN(KavoPlugin)

using namespace kavo;
using kavo::testing::TestApp;

namespace {

QStringList column(const QAbstractItemModel& model, int role)
{
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row) values << model.index(row, 0).data(role).toString();
    return values;
}

// The packaged test page, once it has been parsed and shown.
std::unique_ptr<TestApp> startPackaged()
{
    auto app = std::make_unique<TestApp>(QStringLiteral("packaged"));
    if (!app->waitUntilLoaded()) qFatal("the packaged page never loaded");
    return app;
}

} // namespace

// Every signal a model sends about its rows, in order: "insert 0-0", "move 2>0", "change 1", "reset".
struct RowLog : QObject {
    explicit RowLog(QAbstractItemModel& model)
    {
        const auto note = [this](const char* what, int first, int second) {
            log << QString::fromLatin1(what).arg(first).arg(second);
        };
        connect(&model, &QAbstractItemModel::rowsInserted, this, [=](auto, int f, int l) { note("insert %1-%2", f, l); });
        connect(&model, &QAbstractItemModel::rowsRemoved, this, [=](auto, int f, int l) { note("remove %1-%2", f, l); });
        connect(&model, &QAbstractItemModel::rowsMoved, this, [=](auto, int f, int, auto, int t) { note("move %1>%2", f, t); });
        connect(&model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& i) { log << QStringLiteral("change %1").arg(i.row()); });
        connect(&model, &QAbstractItemModel::modelReset, this, [this] { log << QStringLiteral("reset"); });
    }
    QStringList take() { return std::exchange(log, {}); }
    QStringList log;
};

class ScreenModelsTest : public QObject {
    Q_OBJECT

private slots:
    void mainListTellsEachChangeRowByRow()
    {
        const auto app = startPackaged();
        KVDataService* data = &app->root().dataService();
        MainListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setDataService(data);
        model.setHistoryService(&app->root().historyService());
        model.setFavoritesService(&app->root().favoritesService());
        QCOMPARE(column(model, MainListModel::TitleRole),
                 (QStringList{"Categories", "Empty Category", "Music", "Streaming Video", "Links", "Project Site"}));
        QCOMPARE(column(model, MainListModel::CountRole), (QStringList{"0", "0", "1", "4", "0", "1"}));
        RowLog rows(model);

        // History and favourites come, move and go as rows; the rest stays put.
        app->addHistory("Alpha Films", "https://alpha.example.org/");
        QCOMPARE(rows.take(), QStringList{"insert 0-1"}); // with its section's header
        app->addHistory("Delta Sounds", "https://delta.example.org/");
        QCOMPARE(rows.take(), QStringList{"insert 1-1"});
        app->addHistory("Alpha Films", "https://alpha.example.org/");
        QCOMPARE(rows.take(), (QStringList{"move 2>1", "change 1"})); // moved up, and opened just now
        app->addFavorite("Delta Sounds", "https://delta.example.org/");
        QCOMPARE(rows.take(), (QStringList{"insert 3-4", "change 2"})); // the favourite, and Delta's history row
        QCOMPARE(column(model, MainListModel::TitleRole).mid(0, 5),
                 (QStringList{"Recently Viewed", "Alpha Films", "Delta Sounds", "Favorites", "Delta Sounds"}));

        // A refresh with a catalogue on screen: loading changes no row; the new
        // page changes the rows of what changed, and only those.
        QString page = QString::fromUtf8(testing::readPlain(QStringLiteral(KAVO_TEST_APP_DATA "/screen_page.md")));
        page.replace(QStringLiteral("# ► Music\n"), QStringLiteral("# ► Music\n* [Echo](https://echo.example.org/)\n"));
        page.append(QStringLiteral("# ► Zebra Tools\n* [Zed](https://zed.example.org/)\n"));
        app->servePage(page);
        RefreshStatus status;
        status.setDataService(data);
        QVERIFY(!data->updatedAt().isValid()); // the packaged page's catalogue
        data->refresh();
        QVERIFY(app->waitUntilLoaded());
        QCOMPARE(rows.take(), (QStringList{"insert 9-9", "change 7"})); // Zebra Tools comes in; Music counts 2
        QCOMPARE(status.text(), QStringLiteral("Updated just now"));
        QVERIFY(qAbs(data->updatedAt().secsTo(QDateTime::currentDateTime())) < 60);
        QCOMPARE(column(model, MainListModel::TitleRole).mid(6),
                 (QStringList{"Empty Category", "Music", "Streaming Video", "Zebra Tools", "Links", "Project Site"}));

        // A keystroke derives new search results: one reset; so does leaving the search.
        for (const QString& typed : {QStringLiteral("g"), QStringLiteral("ga"), QString()}) {
            model.setSearchText(typed);
            QCOMPARE(rows.take(), QStringList{"reset"});
        }
    }

    void navigatorHandsTheDetailModelWhatIsOpen()
    {
        const auto app = startPackaged();
        MainListModel model;
        model.setDataService(&app->root().dataService());
        model.setFavoritesService(&app->root().favoritesService());
        Navigator navigator;
        navigator.setMainModel(&model);
        CategoryDetailModel& detail = *navigator.detail();
        QAbstractItemModelTester tester(&detail, QAbstractItemModelTester::FailureReportingMode::QtTest);

        navigator.open(3);
        QCOMPARE(detail.title(), QStringLiteral("Streaming Video"));
        QCOMPARE(detail.rowCount(), 7);
        QCOMPARE(detail.firstEntryRow(), 2);
        QCOMPARE(navigator.openKey(), model.index(3).data(MainListModel::KeyRole).toString());

        // The search's copy of the open category, then nothing when it no longer matches (the rule: Navigation).
        model.setSearchText("gamma");
        QVERIFY(navigator.isOpen());
        QCOMPARE(detail.rowCount(), 4); // the note, the header and two entries
        model.setSearchText("delta");
        QVERIFY(!navigator.isOpen());
        QCOMPARE(detail.rowCount(), 0);
    }

    // A previewed page as its curator edits it: missing, created, saved by a rename, written in
    // place, broken, mended. Each reading is told row by row; the search and the open category stay.
    void previewFollowsThePageOnDisk()
    {
        TestApp app(QStringLiteral("preview"));
        KVDataService& data = app.root().dataService();
        MainListModel model;
        model.setDataService(&data);
        model.setSearchText("example");
        Navigator navigator;
        navigator.setMainModel(&model);
        LintModel lint;
        lint.setPreview(data.preview());
        for (QAbstractItemModel* tested : std::initializer_list<QAbstractItemModel*>{&model, navigator.detail(), &lint}) {
            new QAbstractItemModelTester(tested, QAbstractItemModelTester::FailureReportingMode::QtTest, tested);
        }
        QTRY_COMPARE(lint.summary(), QStringLiteral("page.md does not exist"));
        QCOMPARE(data.error(), QStringLiteral("No content available"));

        const QString films = "# ► Films\n* [Alpha](https://alpha.example/) - First\n";
        const QString music = "# ► Music\n* [Beat](https://beat.example/)\n";
        QVERIFY(testing::writePlain(app.pagePath(), (films + "* no link\n" + music).toUtf8()));
        QTRY_COMPARE(column(model, MainListModel::TitleRole), (QStringList{"Categories", "Films", "Music"}));
        QCOMPARE(lint.summary(), QStringLiteral("1 line will be dropped"));
        QCOMPARE(lint.index(0).data(LintModel::LineRole), 3);
        QCOMPARE(lint.index(0).data(LintModel::TextRole), QStringLiteral("Entry dropped: no [name](target) link"));
        navigator.open(1);
        RowLog rows(model), detailRows(*navigator.detail()), lintRows(lint);
        QSignalSpy reopened(navigator.detail(), &CategoryDetailModel::categoryChanged); // which sends its view to the top

        QVERIFY(app.savePage(films + "* [Bravo](https://bravo.example/)\n* no link\n" + music + "# ► Games\n* [Chess](https://chess.example/)\n"));
        QTRY_COMPARE(rows.log, (QStringList{"insert 2-2", "change 1"})); // Games comes in; Films counts 2
        rows.take();
        QCOMPARE(detailRows.take(), (QStringList{"insert 2-2", "change 0"}));
        QCOMPARE(column(*navigator.detail(), CategoryDetailModel::NameRole).mid(1), (QStringList{"Alpha", "Bravo"}));
        QCOMPARE(lintRows.take(), QStringList{"change 0"}); // the same finding, a line lower
        QCOMPARE(lint.index(0).data(LintModel::LineRole), 4);

        // Written in place after the rename: the watch is on the new file. Mended, the bar empties.
        QVERIFY(testing::writePlain(app.pagePath(), (films + music).toUtf8()));
        QTRY_COMPARE(lintRows.log, QStringList{"remove 0-0"});
        lintRows.take();
        QCOMPARE(lint.summary(), QStringLiteral("No lines will be dropped"));
        QCOMPARE(rows.take(), (QStringList{"remove 2-2", "change 1"}));

        // A file the app would refuse leaves the catalogue as it was; the bar says why.
        QVERIFY(testing::writePlain(app.pagePath(), "# \xE2\x96\xBA Films\n* [Broken](/b) - \xFF\n"));
        QTRY_COMPARE(lint.summary(), QStringLiteral("Line 2 of page.md is not UTF-8 text, which the app refuses in a page"));
        QVERIFY(app.savePage(films + music));
        QTRY_COMPARE(lint.status(), LintModel::Clean);
        QVERIFY(navigator.isOpen() && reopened.isEmpty() && model.searchText() == "example" && data.error().isEmpty());
        QCOMPARE(rows.take(), QStringList{});

        // Nothing downloaded, nothing cached; history and favourites as always.
        app.addFavorite("Alpha", "https://alpha.example/");
        QCOMPARE(app.downloads(), 0);
        QVERIFY(!app.fileExists(QFileInfo(app.pagePath()).dir().filePath(KVDataService::kCacheFileName)));
        QVERIFY(app.fileExists(QFileInfo(app.pagePath()).dir().filePath(KVFavoritesService::kFileName)));
    }

    void commandLine()
    {
        const std::tuple<QStringList, QString, int> cases[] = {
            {{}, "", -1},
            {{"page.md"}, "page.md", -1},
            {{"--page", "page.md"}, "page.md", -1},
            {{"--page=page.md"}, "page.md", -1},
            {{"--", "-odd.md"}, "-odd.md", -1},
            {{"--help", "x.md"}, "", 0},
            {{"--version"}, "", 0},
            {{"a.md", "b.md"}, "", 2},
            {{"--page"}, "", 2},
            {{"--page="}, "", 2},
            {{"--pgae", "a.md"}, "", 2},
        };
        for (const auto& [arguments, page, exitCode] : cases) {
            const CommandLine line = parseCommandLine(QStringList{"kavo"} + arguments);
            QVERIFY2(line.page.value_or("") == page && line.exitCode.value_or(-1) == exitCode, qPrintable(arguments.join(' ')));
            QCOMPARE(line.message.isEmpty(), exitCode == -1);
        }
    }

    void categoryDetailRedrawsOnlyToggledRows()
    {
        const auto app = startPackaged();
        CategoryDetailModel model(&app->root().favoritesService());
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setCategory(app->root().dataService().categories()->front()); // "Streaming Video", catalogue order
        QCOMPARE(column(model, CategoryDetailModel::TextRole).mid(0, 2), (QStringList{"Check the licence of each title", "General"}));
        QCOMPARE(column(model, CategoryDetailModel::AccessoryRole), (QStringList{"", "", "chevron", "", "menu", "chevron", "chevron"}));

        // Two entries share one link: both rows change, and no other row does.
        RowLog rows(model);
        app->addFavorite("Gamma Reels", "https://gamma.example.org/");
        QCOMPARE(rows.take(), (QStringList{"change 5", "change 6"}));
        QCOMPARE(column(model, CategoryDetailModel::AccessoryRole), (QStringList{"", "", "chevron", "", "menu", "star", "star"}));
        // A favourite elsewhere changes nothing here.
        app->addFavorite("Delta Sounds", "https://delta.example.org/");
        QCOMPARE(rows.take(), QStringList{});
    }

    void linkActionsRecordBeforeOpeningAndOpenOnlyWebLinks()
    {
        const auto app = startPackaged();
        LinkActions* actions = &app->root().actions();
        actions->openEntry("Alpha Films", "https://alpha.example.org/");
        QCOMPARE(app->opened(), QStringList{"https://alpha.example.org/"});
        QCOMPARE(app->historyFrontWhenOpened(), QStringList{"https://alpha.example.org/"}); // recorded first

        // Recorded, but never handed to the desktop.
        for (const QString& url : {QStringLiteral("/relative"), QStringLiteral("file:///etc/passwd"),
                                   QStringLiteral("javascript:alert(1)"), QStringLiteral("data:text/html,x"),
                                   QStringLiteral("smb://server/share"), QStringLiteral("custom-app://open")}) {
            actions->openEntry("Odd", url);
        }
        QCOMPARE(app->opened().size(), 1);
        actions->openExternally("https://site.example.org/");
        QCOMPARE(app->opened().last(), QStringLiteral("https://site.example.org/"));
        QCOMPARE(app->historyNames().size(), 7); // every link was recorded, opened or not

        QCOMPARE(actions->mailLink("Alpha & Films", "https://alpha.example.org/?a=1&b=2"),
                 QStringLiteral("mailto:?subject=Alpha%20%26%20Films&body=https%3A%2F%2Falpha.example.org%2F%3Fa%3D1%26b%3D2"));
    }

    // English is the source (no file): the rule's own labels. German and French, one and many, a
    // regional variant finding its language's file; a language the application does not speak stays English.
    void relativeTimesSpeakTheLanguageWithItsPlurals()
    {
        using Unit = screens::RelativeTime::Unit;
        const std::tuple<const char*, bool, Unit, int, const char*> cases[] = {
            {"en_US", false, Unit::minutes, 1, "1m ago"}, {"de_AT", true, Unit::days, 1, "vor 1 Tag"},
            {"de_DE", true, Unit::days, 2, "vor 2 Tagen"}, {"fr_CA", true, Unit::hours, 3, "il y a 3 h"},
            {"es_ES", false, Unit::days, 2, "2d ago"},
        };
        for (const auto& [locale, translated, unit, count, text] : cases) {
            const Translations translations{QLocale(locale)};
            QCOMPARE(translations.hasApplicationTranslation(), translated);
            QCOMPARE(relativeTimeText({unit, count, {}}), QString::fromUtf8(text));
            // An older entry shows the date as the rule formatted it, untouched.
            QCOMPARE(relativeTimeText({Unit::date, 0, "5. Jan."}), QStringLiteral("5. Jan."));
        }
    }

    // After a failed refresh: the packaged copy, or when the shown copy was downloaded: its time
    // today, its date and time before, in the user's language.
    void refreshStatusSaysHowFreshTheCopyIs()
    {
        const QDateTime now(QDate(2026, 12, 7), QTime(16, 30));
        const QDateTime today(QDate(2026, 12, 7), QTime(14, 2));
        const QDateTime before(QDate(2026, 12, 5), QTime(14, 2));
        const std::tuple<const char*, bool, QDateTime, const char*> cases[] = {
            {"en_US", true, today, "Updated just now"},
            {"en_US", false, {}, "Could not refresh: showing the packaged copy"},
            {"en_US", false, today, "Could not refresh: showing the copy from 2:02 PM"},
            {"en_US", false, before, "Could not refresh: showing the copy from 12/5/26 2:02 PM"},
            {"de_DE", false, today, "Aktualisierung fehlgeschlagen: Angezeigt wird der Stand von 14:02"},
            {"fr_FR", true, today, "Mis à jour à l’instant"},
        };
        for (const auto& [locale, updated, copyAt, text] : cases) {
            const Translations translations{QLocale(locale)};
            QLocale::setDefault(QLocale(locale));
            QCOMPARE(RefreshStatus::textFor(updated, copyAt, now), QString::fromUtf8(text));
        }
        QLocale::setDefault(QLocale::c());
    }

    // Files earlier versions kept in the cache move to the data directory at start, by a rename
    // or across file systems by a copy; nothing there is replaced, nothing but a file of ours
    // moves, and never into the shared /tmp when there is no data directory.
    void personalFilesMoveFromTheCacheToTheDataDirectory()
    {
        // Where XDG_DATA_HOME lies, what is at the old place and the new one, and what the history then holds.
        const std::tuple<const char*, const char*, const char*, const char*, bool> cases[] = {
            {"/tmp", "file", "", "Old", true},         {"/dev/shm", "file", "", "Old", true},
            {"/tmp", "file", "file", "New", false},    {"/tmp", "link", "", "", false},
            {"/tmp", "huge", "", "", false},           {"/tmp", "other", "", "", false},
            {"unusable", "file", "", "", false},
        };
        const auto history = [](const char* name) { return encodeHistory({{{}, name, *Url::parse("/a"), 1}}); };
        for (const auto& [base, old, existing, expected, moved] : cases) {
            if (!QFileInfo(base).isDir() && QByteArray(base) != "unusable") continue; // no second file system here
            if (QByteArray(old) == "other" && ::geteuid() != 0) continue; // only root can make one
            QTemporaryDir cacheHome, dataHome(QByteArray(base) == "unusable" ? QString() : base + QStringLiteral("/kavo-XXXXXX"));
            const QString dataBase = QByteArray(base) == "unusable" ? dataHome.filePath("a-file") : dataHome.path();
            QVERIFY(QDir().mkpath(cacheHome.filePath("kavo")) && QDir().mkpath(dataHome.filePath("kavo")));
            if (QByteArray(base) == "unusable") QVERIFY(testing::writePlain(dataBase, "not a directory"));
            const QString oldPath = cacheHome.filePath("kavo/kavo_history.json");
            const QString newPath = dataHome.filePath("kavo/kavo_history.json");
            const QByteArray oldBytes = QByteArray(old) == "huge" ? QByteArray(int(kPersonalFileLimit) + 1, ' ') + history("Old").c_str()
                                                                  : QByteArray::fromStdString(history("Old"));
            QVERIFY(testing::writePlain(QByteArray(old) == "link" ? cacheHome.filePath("target") : oldPath, oldBytes));
            if (QByteArray(old) == "link") QVERIFY(QFile::link(cacheHome.filePath("target"), oldPath));
            if (QByteArray(old) == "other") QVERIFY(testing::giveAway(oldPath));
            if (*existing) QVERIFY(testing::writePlain(newPath, QByteArray::fromStdString(history("New"))));
            qputenv("XDG_CACHE_HOME", cacheHome.path().toUtf8());
            qputenv("XDG_DATA_HOME", dataBase.toUtf8());

            ApplicationSetup setup = KavoApplication::applicationSetup();
            qunsetenv("XDG_CACHE_HOME");
            qunsetenv("XDG_DATA_HOME");
            QCOMPARE(QFileInfo::exists(oldPath), !moved);
            QCOMPARE(setup.dataDirectory.has_value(), QByteArray(base) != "unusable");
            if (!setup.dataDirectory) continue;
            setup.data.primaryUrl = setup.data.fallbackUrl = QUrl("http://127.0.0.1:9/"); // no download leaves the machine
            testing::RecordingOpener opener;
            testing::RecordingClipboard clipboard;
            KavoApplication root(std::move(setup), opener, clipboard);
            const HistoryList& entries = root.historyService().recentEntries();
            QCOMPARE(entries.empty() ? QString() : QString::fromStdString(entries[0].name), QString(expected));
        }
    }

    void qmlSeesTheRootsInstances()
    {
        // Loading the whole window, sheet and alerts included, warns about nothing.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".+")));
        TestApp app(QStringLiteral("packaged"));
        QQmlApplicationEngine engine;
        app.root().show(engine);
        QCOMPARE(engine.rootObjects().size(), 1);
        QObject* window = engine.rootObjects().first();
        const QVariantMap handed = app.window();
        for (auto property = handed.cbegin(); property != handed.cend(); ++property) {
            QCOMPARE(window->property(property.key().toUtf8()).value<QObject*>(), property.value().value<QObject*>());
        }
        QCOMPARE(handed.value("dataService").value<QObject*>(), &app.root().dataService());
        // The settings screen names this build's website and version.
        QCOMPARE(app.root().appInfo().siteUrl(), QStringLiteral(KAVO_SITE_BASE_URL "/"));
        QCOMPARE(app.root().appInfo().siteHost(), siteBaseUrl().host());
        QCOMPARE(app.root().appInfo().version(), QStringLiteral(KAVO_VERSION));
    }
};

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Material"));
    ScreenModelsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "screen_models_test.moc"
