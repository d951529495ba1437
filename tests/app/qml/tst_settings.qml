// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtTest
import Kavo

// The settings sheet over the main screen, with the real services behind
// both: what it shows, its confirmations, and what each action changes.
Item {
    id: root
    width: 420
    height: 820

    Component {
        id: appComponent
        AppView { anchors.fill: parent }
    }

    TestCase {
        id: test
        name: "Settings"
        when: windowShown

        property var app
        property var view
        property var sheet

        readonly property var alerts: [
            { button: "clearCacheButton", alert: "clearCacheAlert", flag: "showClearCacheAlert" },
            { button: "clearHistoryButton", alert: "clearHistoryAlert", flag: "showClearHistoryAlert" },
            { button: "clearFavoritesButton", alert: "clearFavoritesAlert", flag: "showClearFavoritesAlert" }
        ]

        // Any warning while a screen runs (a binding loop, a type error) fails the test.
        function init() {
            failOnWarning(/.+/)
        }

        function start(scenario) {
            app = harness.start(scenario)
            var appView = createTemporaryObject(appComponent, root, {
                "dataService": app.dataService, "historyService": app.historyService,
                "favoritesService": app.favoritesService, "actions": app.actions, "appInfo": app.appInfo
            })
            view = findChild(appView, "mainPage")
            verify(view !== null)
            // Made on first use only.
            compare(findChild(view, "settingsSheet"), null)
            return view
        }

        function item(name) {
            var found = findChild(sheet, name)
            verify(found !== null, name)
            return found
        }

        function openSettings() {
            mouseClick(findChild(view, "settingsButton"))
            compare(view.showSettings, true)
            sheet = findChild(view, "settingsSheet")
            verify(sheet !== null)
            tryCompare(sheet, "opened", true)
        }

        function expectClosed() {
            tryCompare(sheet, "opened", false)
            tryCompare(sheet, "visible", false)
            compare(view.showSettings, false)
        }

        function raise(entry) {
            mouseClick(item(entry.button))
            var alert = item(entry.alert)
            tryCompare(alert, "opened", true)
            compare(sheet[entry.flag], true)
            return alert
        }

        function choose(entry, buttonName) {
            var alert = item(entry.alert)
            mouseClick(item(entry.alert + buttonName))
            tryCompare(alert, "visible", false)
            compare(sheet[entry.flag], false)
            // The clear actions never close the sheet.
            compare(sheet.opened, true)
        }

        // The packaged catalogue on screen, its cache written and the start-up download asked for.
        function startPackaged() {
            start("packaged")
            tryVerify(function() { return findChild(view, "category_Streaming Video") !== null })
            tryVerify(function() { return app.fileExists(app.dataService.cacheFilePath) })
            tryCompare(app, "downloads", 1)
            compare(app.dataService.isLoading, false)
        }

        // The main screen's rows of one kind ("history", "favorite") under the sheet.
        function rowsOfKind(kind) {
            var rows = []
            var list = findChild(view, "mainList")
            for (var index = 0; index < list.count; ++index) {
                var row = list.itemAtIndex(index)
                if (row !== null && row.objectName.indexOf(kind + "_") === 0) rows.push(index)
            }
            return rows
        }

        function test_textsOrderAndAccessibleNames() {
            startPackaged()
            openSettings()
            compare(item("settingsTitle").text, "Settings")
            compare(item("settingsDone").text, "Done")

            // The buttons, in this order, with their symbols and colours.
            var red = Colors.red
            var expected = [
                { name: "forceRefreshButton", text: "Force Refresh", symbol: "arrow.clockwise", destructive: false },
                { name: "clearCacheButton", text: "Clear Cache", symbol: "trash", destructive: true },
                { name: "clearHistoryButton", text: "Clear Recently Viewed", symbol: "clock.arrow.circlepath", destructive: true },
                { name: "clearFavoritesButton", text: "Clear Favorites", symbol: "star.slash", destructive: true }
            ]
            var lastY = -1
            for (var i = 0; i < expected.length; ++i) {
                var button = item(expected[i].name)
                compare(button.text, expected[i].text)
                compare(button.enabled, true)
                compare(button.symbol, expected[i].symbol)
                compare(Qt.colorEqual(button.tint, red), expected[i].destructive, expected[i].name)
                var y = button.mapToItem(null, 0, 0).y
                verify(y > lastY, expected[i].name + " below the one before")
                lastY = y
            }
            verify(item("refreshSection").mapToItem(null, 0, 0).y < item("clearSection").mapToItem(null, 0, 0).y)

            // About: Source above Version, the footer under the section.
            compare(item("sourceLabel").text, "Source")
            compare(item("versionLabel").text, "Version")
            compare(item("versionValue").text, "1.0.0")
            compare(item("aboutFooter").text, "Free media resources curated by the KAVO community.")
            var sourceY = item("sourceRow").mapToItem(null, 0, 0).y
            var versionY = item("versionRow").mapToItem(null, 0, 0).y
            var about = item("aboutSection")
            verify(lastY < sourceY && sourceY < versionY)
            verify(item("aboutFooter").mapToItem(null, 0, 0).y >= about.mapToItem(null, 0, about.height).y)

            // The link is labelled with the bare host of the site's root page.
            var siteUrl = app.appInfo.siteUrl
            var host = app.appInfo.siteHost
            verify(/^[^\/:?#@]+$/.test(host), host)
            compare(siteUrl.indexOf("https://" + host + "/"), 0)
            compare(item("sourceLink").text, host)
            verify(Qt.colorEqual(item("sourceLink").contentItem.color, Colors.link))

            // The three confirmations: title, message, "Cancel" then "Clear".
            var texts = [
                ["Clear Cache", "This will remove all cached data."],
                ["Clear History", "This will remove all recently viewed entries."],
                ["Clear Favorites", "This will remove all favorited entries."]
            ]
            for (var j = 0; j < alerts.length; ++j) {
                var alert = raise(alerts[j])
                compare(alert.title, texts[j][0])
                compare(item(alerts[j].alert + "Message").text, texts[j][1])
                var cancel = item(alerts[j].alert + "Cancel")
                var clear = item(alerts[j].alert + "Clear")
                compare(cancel.text, "Cancel")
                compare(clear.text, "Clear")
                compare(cancel.DialogButtonBox.buttonRole, DialogButtonBox.RejectRole)
                compare(clear.DialogButtonBox.buttonRole, DialogButtonBox.DestructiveRole)
                verify(cancel.mapToItem(null, 0, 0).x < clear.mapToItem(null, 0, 0).x, "Cancel comes first")
                compare(cancel.Accessible.name, "Cancel")
                compare(clear.Accessible.name, "Clear")
                choose(alerts[j], "Cancel")
            }

            // Every control can be named by assistive technology.
            var controls = ["settingsDone", "forceRefreshButton", "clearCacheButton", "clearHistoryButton",
                            "clearFavoritesButton", "sourceLink"]
            for (var k = 0; k < controls.length; ++k) {
                compare(item(controls[k]).Accessible.name, item(controls[k]).text, controls[k])
            }
        }

        function test_keyboardReachesEveryControlWithAVisibleFrame() {
            startPackaged()
            openSettings()
            var names = ["settingsDone", "forceRefreshButton", "clearCacheButton", "clearHistoryButton",
                         "clearFavoritesButton", "sourceLink"]
            function frameOf(control) {
                for (var c = 0; c < control.children.length; ++c) {
                    if (control.children[c].border !== undefined) return control.children[c]
                }
                return null
            }
            // Opened by a tap, the sheet shows no focus, so no control can be triggered unseen.
            for (var n = 0; n < names.length; ++n) {
                verify(frameOf(item(names[n])) !== null, "focus frame in " + names[n])
                compare(item(names[n]).activeFocus, false, names[n])
            }
            // Each Tab moves to the next control, which alone is framed.
            var reached = {}
            for (var i = 0; i < names.length; ++i) {
                keyClick(Qt.Key_Tab)
                var focused = 0
                for (var j = 0; j < names.length; ++j) {
                    var control = item(names[j])
                    compare(frameOf(control).visible, control.activeFocus, names[j])
                    if (control.activeFocus) {
                        ++focused
                        reached[names[j]] = true
                    }
                }
                compare(focused, 1)
            }
            compare(Object.keys(reached).sort(), names.slice().sort())

            // The focused button acts on Space and on Enter like on a tap; an
            // alert opens with "Cancel" focused, and closes with no trace on the button.
            while (!item("clearFavoritesButton").activeFocus) keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Space)
            tryCompare(item("clearFavoritesAlert"), "opened", true)
            compare(sheet.showClearFavoritesAlert, true)
            tryVerify(function() { return item("clearFavoritesAlertCancel").activeFocus })
            keyClick(Qt.Key_Return)
            tryCompare(item("clearFavoritesAlert"), "visible", false)
            compare(frameOf(item("clearFavoritesButton")).visible, false)
            keyClick(Qt.Key_Return)
            tryCompare(item("clearFavoritesAlert"), "opened", true)
        }

        function test_cancelChangesNothingAndTheAlertComesBack() {
            startPackaged()
            app.addHistory("Alpha Films", "https://alpha.example.org/")
            app.addFavorite("Delta Sounds", "https://delta.example.org/")
            openSettings()
            for (var i = 0; i < alerts.length; ++i) {
                for (var round = 0; round < 2; ++round) {
                    raise(alerts[i])
                    choose(alerts[i], "Cancel")
                }
            }
            compare(app.historyNames, ["Alpha Films"])
            compare(app.favoriteNames, ["Delta Sounds"])
            verify(app.fileExists(app.dataService.cacheFilePath))
            compare(app.dataService.isLoading, false)
            wait(200)
            compare(app.downloads, 1)
            // Escape goes the way of "Cancel".
            raise(alerts[1])
            keyClick(Qt.Key_Escape)
            tryCompare(item(alerts[1].alert), "visible", false)
            compare(sheet[alerts[1].flag], false)
            compare(app.historyNames, ["Alpha Films"])
        }

        function test_clearHistoryAndFavoritesEmptyTheMainScreenUnderTheSheet() {
            startPackaged()
            app.addHistory("Alpha Films", "https://alpha.example.org/")
            app.addHistory("Beta Archive", "https://beta.example.org/")
            app.addFavorite("Delta Sounds", "https://delta.example.org/")
            tryVerify(function() { return rowsOfKind("history").length === 2 && rowsOfKind("favorite").length === 1 })
            openSettings()

            raise(alerts[1])
            choose(alerts[1], "Clear")
            compare(app.historyNames, [])
            compare(app.favoriteNames, ["Delta Sounds"])
            tryVerify(function() { return rowsOfKind("history").length === 0 })
            compare(rowsOfKind("favorite").length, 1)

            // Clearing an empty history again changes nothing on screen.
            raise(alerts[1])
            choose(alerts[1], "Clear")
            compare(app.historyNames, [])
            compare(rowsOfKind("favorite").length, 1)

            raise(alerts[2])
            choose(alerts[2], "Clear")
            compare(app.favoriteNames, [])
            tryVerify(function() { return rowsOfKind("favorite").length === 0 })
            // The catalogue and its cache are not touched by either.
            verify(findChild(view, "category_Streaming Video") !== null)
            verify(app.fileExists(app.dataService.cacheFilePath))
            compare(app.dataService.isLoading, false)
        }

        function test_clearCacheDeletesTheFileThenRefreshes() {
            startPackaged()
            openSettings()
            raise(alerts[0])
            choose(alerts[0], "Clear")
            verify(!app.fileExists(app.dataService.cacheFilePath))
            compare(app.dataService.isLoading, true)
            tryCompare(app, "downloads", 2)
            // The catalogue stays listed until a refresh replaces it.
            verify(findChild(view, "category_Streaming Video") !== null)
            compare(findChild(findChild(view, "category_Streaming Video"), "count").text, "4")
        }

        function test_clearCacheWithoutAFileAndWhileLoading() {
            start("empty")
            tryCompare(app.dataService, "error", "No content available")
            var path = app.dataService.cacheFilePath
            verify(path !== "")
            verify(!app.fileExists(path))
            compare(app.downloads, 0)
            openSettings()

            // No file: the refresh starts all the same.
            raise(alerts[0])
            choose(alerts[0], "Clear")
            compare(app.dataService.isLoading, true)
            compare(app.dataService.error, "")
            tryCompare(app, "downloads", 1)

            // While that load hangs: the file goes, and nothing more is started.
            verify(app.writeFile(path, "[]"))
            verify(app.fileExists(path))
            raise(alerts[0])
            choose(alerts[0], "Clear")
            verify(!app.fileExists(path))
            compare(app.dataService.isLoading, true)
            wait(300)
            compare(app.downloads, 1)
        }

        function test_forceRefreshClosesAtOnceAndDoneCloses() {
            start("empty")
            tryCompare(app.dataService, "error", "No content available")
            openSettings()
            // The download never answers; the sheet does not wait for it.
            mouseClick(item("forceRefreshButton"))
            compare(app.dataService.isLoading, true)
            expectClosed()
            tryCompare(app, "downloads", 1)

            // While that load runs: the request is ignored and the sheet still closes.
            openSettings()
            mouseClick(item("forceRefreshButton"))
            expectClosed()
            compare(app.dataService.isLoading, true)
            wait(300)
            compare(app.downloads, 1)

            openSettings()
            mouseClick(item("settingsDone"))
            expectClosed()
            compare(app.downloads, 1)
            // The sheet can be raised again after any of these.
            openSettings()
        }

        function test_sourceLinkOpensTheSite() {
            startPackaged()
            openSettings()
            mouseClick(item("sourceLink"))
            compare(app.opened, [app.appInfo.siteUrl])
            compare(app.historyNames, []) // the site is not an entry: nothing is recorded
            compare(sheet.opened, true)
        }
    }
}
