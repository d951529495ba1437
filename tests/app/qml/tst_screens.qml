// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtTest
import Kavo

// The whole window's content, driven as a person would, narrow and wide,
// with the real services behind it.
Item {
    id: root
    width: 480
    height: 820

    Component {
        id: appComponent
        AppView { anchors.fill: parent }
    }
    Item { id: lightTheme; Material.theme: Material.Light }
    Item { id: darkTheme; Material.theme: Material.Dark }

    TestCase {
        name: "Screens"
        when: windowShown

        property var app
        property var appView
        property var view

        // Any warning while a screen runs (a binding loop, a type error) fails the test.
        function init() {
            failOnWarning(/.+/)
            root.width = 480
            root.height = 820
        }

        function start(scenario) {
            app = harness.start(scenario)
            appView = createTemporaryObject(appComponent, root, app.window)
            view = findChild(appView, "mainPage")
            if (scenario === "packaged") tryVerify(function() { return row("category_Streaming Video") !== null })
        }

        function row(name) { return findChild(view, name) }
        function mainList() { return findChild(view, "mainList") }
        function detail() { return findChild(appView, "categoryDetail") }
        function navigator() { return findChild(appView, "navigator") }
        function entryMenu() { return findChild(appView, "entryMenu") }
        function currentKey(list) { return list.currentItem ? list.currentItem.key : undefined }
        function search(text) {
            findChild(view, "searchField").text = text
            wait(0)
        }
        function openCategory(title) {
            mouseClick(row("category_" + title))
            tryVerify(function() { return navigator().isOpen && detail().title === title })
            if (!appView.wide) tryVerify(function() { return appView.covered })
        }
        function entryIn(name) {
            var entry = null
            tryVerify(function() { entry = findChild(detail(), "entry_" + name); return entry !== null })
            return entry
        }
        function escapeToTheList() {
            keyClick(Qt.Key_Escape)
            tryVerify(function() { return !navigator().isOpen })
        }

        function test_mainScreenRowsSearchAndOpen() {
            start("packaged")
            app.addHistory("Alpha Films", "https://alpha.example.org/")
            app.addFavorite("Delta Sounds", "https://delta.example.org/")
            tryVerify(function() { return row("history_Alpha Films") !== null && row("favorite_Delta Sounds") !== null })
            // Any character hides the personal sections; emptying the field brings them back.
            search("GAMMA")
            tryVerify(function() { return row("history_Alpha Films") === null && row("category_Music") === null })
            compare(findChild(row("category_Streaming Video"), "count").text, "2")
            search("")
            tryVerify(function() { return row("history_Alpha Films") !== null })

            // A link category opens its link and leaves no record; a favourite row opens and records.
            mouseClick(row("category_Project Site"))
            mouseClick(row("favorite_Delta Sounds"))
            compare(app.opened, ["https://site.example.org/", "https://delta.example.org/"])
            compare(app.historyNames, ["Delta Sounds", "Alpha Films"])
            verify(!navigator().isOpen)
            // A favourite is removed where it is shown, by its menu.
            mouseClick(row("favorite_Delta Sounds"), 10, 10, Qt.RightButton)
            tryCompare(entryMenu(), "opened", true)
            mouseClick(findChild(entryMenu(), "menuFavorite"))
            tryVerify(function() { return row("favorite_Delta Sounds") === null })
            compare(app.favoriteNames, [])
        }

        // The packaged page and the first download mark nothing; the next download's three
        // entries are marked in the "New" group, on their categories and in them, until
        // "Mark as Seen" clears every mark at once.
        function test_aDownloadMarksWhatItAddedUntilMarkedAsSeen() {
            start("packaged")
            var page = app.packagedPage()
            function download(text) {
                app.servePage(text)
                app.dataService.refresh()
                tryVerify(function() { return !app.dataService.isLoading }, 10000)
            }
            download(page)
            compare(row("newHeader"), null)
            download(page.replace("# ► Music
", "# ► Music
* [Echo](https://echo.example.org/)
")
                     + "# ► Zebra
* [Foxtrot](https://foxtrot.example.org/)
* [Golf](https://golf.example.org/)
")
            tryVerify(function() { return row("newHeader") !== null })
            compare(findChild(row("newHeader"), "newTotal").text, "3")
            var model = findChild(appView, "mainModel")
            compare([1, 2, 3].map(function(i) { return model.data(model.index(i, 0), MainListModel.TitleRole) }),
                    ["Echo", "Foxtrot", "Golf"]) // all as new as each other: in page order
            compare(findChild(row("category_Zebra"), "newCount").text, "2 new")
            verify(!findChild(row("category_Streaming Video"), "newCount").visible)
            openCategory("Music")
            verify(findChild(entryIn("Echo"), "newTag").visible)
            compare(entryIn("Echo").Accessible.name, "Echo, new")
            verify(!findChild(entryIn("Delta Sounds"), "newTag").visible)
            escapeToTheList()

            // Down from the search field reaches "Mark as Seen"; Enter presses it, and the
            // keyboard moves on to the row that takes the group's place.
            findChild(view, "searchField").forceActiveFocus()
            keyClick(Qt.Key_Down)
            verify(findChild(row("newHeader"), "markSeenButton").activeFocus)
            keyClick(Qt.Key_Return)
            tryVerify(function() { return row("newHeader") === null && !findChild(row("category_Zebra"), "newCount").visible })
            tryVerify(function() { var list = mainList(); return list.stopsAt(list.currentIndex) && list.currentItem.activeFocus })
        }

        // With nothing to search, the block quotes the search as typed, and its button clears it.
        function test_noResultsBlockQuotesTheSearchAndClears() {
            start("empty")
            search("  film ")
            tryVerify(function() { return findChild(view, "noResultsText") !== null })
            compare(findChild(view, "noResultsText").text, "No entries match \"  film \"")
            mouseClick(findChild(view, "clearSearchButton"))
            tryVerify(function() { return findChild(view, "searchField").text === "" && row("emptyBlock") !== null })
        }

        function test_anEntryIsRecordedThenOpenedOnceAndToggledByItsMenu() {
            start("packaged")
            openCategory("Streaming Video")
            mouseDoubleClickSequence(findChild(entryIn("Alpha Films"), "contentGroup"))
            compare(app.opened, ["https://alpha.example.org/"]) // a double click opens it once
            compare(app.historyFrontWhenOpened, ["https://alpha.example.org/"])
            // A related link records its own name and address.
            mouseClick(findChild(entryIn("Beta Archive"), "relatedMenuButton"))
            var menu = findChild(appView, "relatedMenu")
            tryCompare(menu, "opened", true)
            verify(menu.contentItem.mapToItem(appView, 0, 0).x + menu.width <= appView.width, "inside the window")
            menu.itemAt(1).triggered()
            compare(app.opened[1], "https://mirror.example.org/beta")
            compare(app.historyNames[0], "Beta Mirror")

            // Long press opens the entry menu; the other entry of the same link follows a toggle.
            var gamma = entryIn("Gamma Reels")
            mousePress(findChild(gamma, "contentGroup"))
            wait(1000)
            mouseRelease(findChild(gamma, "contentGroup"))
            tryCompare(entryMenu(), "opened", true)
            compare(entryMenu().title, "Gamma Reels")
            mouseClick(findChild(entryMenu(), "menuFavorite"))
            tryCompare(findChild(gamma, "favoriteStar"), "visible", true)
            compare(findChild(entryIn("Gamma Again"), "favoriteStar").visible, true)
            findChild(entryMenu(), "menuCopy").triggered()
            compare(app.clipboard, "https://gamma.example.org/")
        }

        function test_keyboardReachesEverything() {
            start("packaged")
            var field = findChild(view, "searchField")
            var list = mainList()
            keyClick(Qt.Key_F, Qt.ControlModifier)
            keyClick(Qt.Key_G)
            compare(field.text, "g")
            keyClick(Qt.Key_Escape)
            compare(field.text, "")
            // Down to the first row, Up back to the field; typing on the list searches.
            keyClick(Qt.Key_Down)
            compare(list.currentItem.title, "Empty Category")
            verify(list.currentItem.activeFocus)
            keyClick(Qt.Key_Up)
            verify(field.activeFocus)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_M)
            compare(field.text, "m")
            keyClick(Qt.Key_Backspace)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_End)
            compare(list.currentItem.title, "Project Site")
            keyClick(Qt.Key_Home)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Return) // "Streaming Video", with the keyboard on its first entry
            var detailList = findChild(detail(), "detailList")
            tryVerify(function() { return appView.covered && detailList.currentItem && detailList.currentItem.activeFocus })
            compare(detailList.currentItem.name, "Alpha Films")
            keyClick(Qt.Key_Down) // over the "Archives" header
            compare(detailList.currentItem.name, "Beta Archive")
            keyClick(Qt.Key_Up)
            keyClick(Qt.Key_C, Qt.ControlModifier)
            compare(app.clipboard, "https://alpha.example.org/")
            keyClick(Qt.Key_Return)
            compare(app.opened, ["https://alpha.example.org/"])
            // The Menu key: the entry's menu on its first item; Escape closes the menu first.
            keyClick(Qt.Key_Menu)
            tryCompare(entryMenu(), "opened", true)
            compare(entryMenu().currentIndex, 0)
            keyClick(Qt.Key_Escape)
            tryCompare(entryMenu(), "visible", false)
            verify(appView.covered)
            // Escape goes back to the same row and keeps the search; Escape on the main page clears it.
            escapeToTheList()
            tryVerify(function() { return list.currentItem.activeFocus })
            compare(list.currentItem.title, "Streaming Video")
            search("alpha")
            openCategory("Streaming Video")
            escapeToTheList()
            compare(field.text, "alpha")
            keyClick(Qt.Key_Escape)
            compare(field.text, "")
            // Ctrl+F on a category: back on the main screen, and typing replaces the selected search.
            search("delta")
            openCategory("Music")
            keyClick(Qt.Key_F, Qt.ControlModifier)
            tryVerify(function() { return !appView.covered })
            keyClick(Qt.Key_Z)
            compare(field.text, "z")
            keyClick(Qt.Key_F5)
            compare(app.dataService.isLoading, true)
        }

        function test_theListKeepsItsPlace() {
            root.height = 300 // short enough to scroll
            start("packaged")
            for (var i = 0; i < 5; ++i) app.addHistory("Entry " + i, "https://e" + i + ".example.org/")
            var list = mainList()
            tryVerify(function() { return list.count === 12 }) // three headers among them
            list.forceActiveFocus()
            list.currentIndex = 9 // "Streaming Video", near the end
            list.positionViewAtIndex(11, ListView.End)
            wait(50)
            var contentY = list.contentY
            var shownAt = list.currentItem.y - contentY
            verify(contentY > 0)
            openCategory("Streaming Video")
            escapeToTheList()
            compare(list.contentY, contentY)
            compare(currentKey(list), row("category_Streaming Video").key)

            // Opening an entry moves its history row, toggling a favourite adds a row
            // above what is shown: the view stays where it was, on the same row.
            openCategory("Streaming Video")
            keyClick(Qt.Key_Return)
            keyClick(Qt.Key_Menu)
            tryCompare(entryMenu(), "opened", true)
            mouseClick(findChild(entryMenu(), "menuFavorite"))
            tryCompare(entryMenu(), "visible", false)
            escapeToTheList()
            tryVerify(function() { return list.count === 14 }) // five history rows still, and a favourite under its header
            compare(currentKey(list), row("category_Streaming Video").key)
            compare(list.currentItem.y - list.contentY, shownAt)
            compare(list.contentY, contentY)
        }

        // A previewed page saved as editors save (a new file renamed over it): the list keeps its
        // place and current row; the bar above it lists the dropped lines by keyboard, and empties.
        function test_previewKeepsThePlaceAndItsBarEmpties() {
            root.height = 400
            var bad = "* no link here\n"
            var page = "# ► Films\n* [Alpha](https://alpha.example/)\n" + bad
            for (var i = 0; i < 12; ++i) page += "# ► Topic " + i + "\n* [T](https://t" + i + ".example/)\n"
            app = harness.start("preview")
            verify(app.savePage(page + bad))
            appView = createTemporaryObject(appComponent, root, app.window)
            view = findChild(appView, "mainPage")
            var summary = findChild(view, "lintSummary")
            var said = findChild(view, "lintSummaryText")
            tryCompare(said, "text", "2 lines will be dropped")
            findChild(view, "searchField").forceActiveFocus()
            keyClick(Qt.Key_Tab)
            verify(summary.activeFocus)
            keyClick(Qt.Key_Space)
            var lines = findChild(view, "lintLines")
            tryVerify(function() { return lines.visible && lines.count === 2 })
            keyClick(Qt.Key_Down)
            verify(lines.currentItem.activeFocus)
            compare(lines.currentItem.Accessible.name, "Line 3: Entry dropped: no [name](target) link")

            var list = mainList()
            list.forceActiveFocus()
            list.currentIndex = 9
            list.positionViewAtIndex(11, ListView.End)
            wait(50)
            var contentY = list.contentY
            var key = currentKey(list)
            verify(contentY > 0)
            var shownAt = list.currentItem.y - contentY
            verify(app.savePage(page.replace(bad, "") + "# ► Apes\n* [A](https://a.example/)\n")) // listed first
            tryCompare(said, "text", "No lines will be dropped")
            verify(!lines.visible && list.count === 15) // the header, Apes, Films and 12 topics
            compare(currentKey(list), key)
            compare(list.currentItem.y - list.contentY, shownAt)
        }

        function test_wideWindowShowsTheCategoryBesideTheList() {
            root.width = 1280
            start("packaged")
            var list = mainList()
            verify(appView.wide && findChild(appView, "placeholder").visible && view.width === 360)
            // A tap opens the category on the right and marks it on the left.
            openCategory("Streaming Video")
            verify(!findChild(appView, "placeholder").visible && view.visible)
            verify(row("category_Streaming Video").selected)
            var detailList = findChild(detail(), "detailList")
            compare(detailList.width, 840) // a readable width, not the whole pane

            // Enter or Right moves the keyboard into the right pane; Left or Escape back to the list.
            list.forceActiveFocus()
            list.currentIndex = 2 // "Music", under the header
            keyClick(Qt.Key_Right)
            tryVerify(function() { return detailList.currentItem && detailList.currentItem.activeFocus })
            compare(detail().title, "Music")
            keyClick(Qt.Key_Left)
            tryVerify(function() { return list.currentItem.activeFocus })
            keyClick(Qt.Key_Return)
            tryVerify(function() { return detailList.activeFocus })
            keyClick(Qt.Key_Escape)
            tryVerify(function() { return list.currentItem.activeFocus })
            verify(navigator().isOpen) // still shown on the right

            // A search shows the open category's matches, or the placeholder when it has none.
            mouseClick(row("category_Streaming Video"))
            search("gamma")
            tryCompare(detailList, "count", 4) // note, header, two entries
            search("delta")
            tryVerify(function() { return findChild(appView, "placeholder").visible })

            // A live resize keeps what is open, the search and the list's place.
            search("")
            openCategory("Music")
            root.width = 480
            tryVerify(function() { return appView.covered })
            compare(detail().title, "Music")
            verify(findChild(detail(), "backButton").visible)
            escapeToTheList()
            root.width = 1280
            tryVerify(function() { return findChild(appView, "placeholder").visible })
            compare(currentKey(list), row("category_Music").key)
        }

        // Page text, cache text and the personal files' text are shown as
        // written, never interpreted: no tag is lost and nothing is fetched.
        function test_textFromThePageAndFilesStaysText() {
            root.width = 1280
            start("hostile")
            tryVerify(function() { return mainList().count === 8 }) // four rows under their headers
            function walk(item, found) {
                if (item.textFormat !== undefined && item.textFormat !== Text.PlainText && /[<&]/.test(item.text)
                        && item.objectName !== "entryDescription") found.push(item.objectName + ": " + item.text)
                var children = Array.from(item.children || [])
                children.forEach(function(child) { walk(child, found) })
                if (item.contentItem && item.contentItem !== item && children.indexOf(item.contentItem) < 0) walk(item.contentItem, found)
                return found
            }
            compare(walk(view, []), [], "main list")
            mainList().forceActiveFocus()
            mainList().currentIndex = 5 // the category
            keyClick(Qt.Key_Return)
            tryVerify(function() { return navigator().isOpen })
            compare(walk(detail(), []), [], "category")
            var entry = findChild(detail(), "entryName")
            verify(entry.text.indexOf("<b>bold</b> &amp;") > 0, entry.text)

            keyClick(Qt.Key_Menu)
            tryCompare(entryMenu(), "opened", true)
            compare(walk(entryMenu().contentItem, []), [], "entry menu")
            keyClick(Qt.Key_Escape)
            mouseClick(findChild(detail(), "relatedMenuButton"))
            tryCompare(findChild(appView, "relatedMenu"), "opened", true)
            compare(walk(findChild(appView, "relatedMenu").contentItem, []), [], "related links")
            keyClick(Qt.Key_Escape)
            findChild(appView, "popups").share(entry.text, "https://e.example/")
            var share = findChild(appView, "shareSheet")
            tryCompare(share, "opened", true)
            compare(walk(share.contentItem, []), [], "share sheet")
            keyClick(Qt.Key_Escape)
            tryCompare(share, "visible", false)
            mouseClick(findChild(view, "settingsButton"))
            tryCompare(findChild(view, "settingsSheet"), "opened", true)
            compare(walk(findChild(view, "settingsSheet").contentItem, []), [], "settings")
            wait(300) // an image request would have reached the server by now
            compare(app.pixelRequests, 0)
        }

        // The settings sheet, made on first use: each clear action waits for its confirmation, a
        // refresh closes the sheet at once, and the keyboard reaches every control, one frame at a time.
        function test_settingsActOnlyOnConfirmation() {
            start("packaged")
            compare(findChild(view, "settingsSheet"), null)
            tryVerify(function() { return app.fileExists(app.dataService.cacheFilePath) && app.downloads === 1 })
            app.addHistory("Alpha Films", "https://alpha.example.org/")
            app.addFavorite("Delta Sounds", "https://delta.example.org/")
            mouseClick(findChild(view, "settingsButton"))
            var sheet = findChild(view, "settingsSheet")
            tryCompare(sheet, "opened", true)
            function confirm(action, answer) {
                mouseClick(findChild(sheet, action + "Button"))
                var alert = findChild(sheet, action + "Alert")
                tryCompare(alert, "opened", true)
                if (answer === "Escape") keyClick(Qt.Key_Escape)
                else mouseClick(findChild(sheet, action + "Alert" + answer))
                tryCompare(alert, "visible", false)
                compare(sheet.opened, true) // the clear actions never close the sheet
            }
            for (var action of ["clearCache", "clearHistory", "clearFavorites"]) {
                confirm(action, "Cancel")
                confirm(action, "Escape")
            }
            compare(app.historyNames, ["Alpha Films"])
            compare(app.favoriteNames, ["Delta Sounds"])
            verify(app.fileExists(app.dataService.cacheFilePath) && app.downloads === 1)
            confirm("clearHistory", "Clear")
            confirm("clearFavorites", "Clear")
            tryVerify(function() { return row("history_Alpha Films") === null && row("favorite_Delta Sounds") === null })
            verify(app.fileExists(app.dataService.cacheFilePath) && !app.dataService.isLoading)
            // The cache file goes and a refresh starts; the catalogue stays listed until it is replaced.
            confirm("clearCache", "Clear")
            verify(!app.fileExists(app.dataService.cacheFilePath) && app.dataService.isLoading)
            tryCompare(app, "downloads", 2)
            verify(row("category_Streaming Video") !== null)

            // Tab by Tab, the keyboard reaches each control, which alone shows its frame.
            var names = ["settingsDone", "forceRefreshButton", "clearCacheButton", "clearHistoryButton",
                         "clearFavoritesButton", "markSeenButton", "sourceLink"]
            for (var i = 0; i < names.length; ++i) {
                keyClick(Qt.Key_Tab)
                for (var name of names) {
                    var control = findChild(sheet, name)
                    var frame = Array.from(control.children).find(function(child) { return child.border !== undefined })
                    compare(frame.visible, control.activeFocus, name)
                }
                verify(names.filter(function(name) { return findChild(sheet, name).activeFocus }).length === 1)
            }
            // Enter presses the focused button; an alert opens with "Cancel" focused, which Enter presses.
            while (!findChild(sheet, "clearCacheButton").activeFocus) keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Return)
            tryCompare(findChild(sheet, "clearCacheAlert"), "opened", true)
            tryVerify(function() { return findChild(sheet, "clearCacheAlertCancel").activeFocus })
            keyClick(Qt.Key_Return)
            tryCompare(findChild(sheet, "clearCacheAlert"), "visible", false)
            // The source link opens the site, records nothing and leaves the sheet open.
            mouseClick(findChild(sheet, "sourceLink"))
            verify(app.opened.length === 1 && app.opened[0] === app.window.appInfo.siteUrl && app.historyNames.length === 0)
            compare(sheet.opened, true)
            // A refresh closes the sheet at once, while the download still runs.
            mouseClick(findChild(sheet, "forceRefreshButton"))
            tryCompare(sheet, "visible", false)
            compare(app.dataService.isLoading, true)
        }

        // WCAG contrast, from the palette: text at least 4.5:1, symbols and
        // badges 3:1, on the page, a marked row, a form and a dialog, in both themes.
        function test_coloursReadInBothThemes() {
            function luminance(c) {
                var f = function(v) { return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4) }
                return 0.2126 * f(c.r) + 0.7152 * f(c.g) + 0.0722 * f(c.b)
            }
            function over(top, below) {
                return Qt.rgba(top.r * top.a + below.r * (1 - top.a), top.g * top.a + below.g * (1 - top.a),
                               top.b * top.a + below.b * (1 - top.a), 1)
            }
            function ratio(front, back) {
                var a = luminance(over(front, back)), b = luminance(back)
                return (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05)
            }
            var names = ["red", "pink", "green", "purple", "orange", "yellow", "blue", "cyan", "teal", "indigo",
                         "mint", "gray", "secondary"]
            var failures = []
            var wasDark = Colors.dark
            for (var theme of [lightTheme, darkTheme]) {
                Colors.dark = theme === darkTheme
                var page = theme.Material.backgroundColor
                var backs = {page: page, marked: over(theme.Material.listHighlightColor, page),
                             dialog: theme.Material.dialogColor, badge: Colors.badgeFill}
                function need(what, colour, minimum, on) {
                    for (var name of on) {
                        var r = ratio(colour, backs[name])
                        if (r < minimum) failures.push((Colors.dark ? "dark " : "light ") + what + " on " + name + ": " + r.toFixed(2))
                    }
                }
                need("secondary text", Colors.secondary, 4.5, ["page", "marked", "dialog", "badge"])
                need("link", Colors.link, 4.5, ["page", "marked", "dialog"])
                need("destructive", Colors.destructive, 4.5, ["page", "dialog"])
                need("badge outline", Colors.badgeOutline, 3, ["page"])
                for (var n of names) need(n + " symbol", Colors.named(n), 3, ["page", "marked"])
                for (var t of names) {
                    var tile = Colors.tile(t), white = ratio(Qt.rgba(1, 1, 1, 1), tile)
                    if (white < 3) failures.push(t + " tile: " + white.toFixed(2))
                }
            }
            Colors.dark = wasDark
            compare(failures, [])
        }
    }
}
