// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
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

    TestCase {
        id: test
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
            appView = createTemporaryObject(appComponent, root, {
                "dataService": app.dataService, "historyService": app.historyService,
                "favoritesService": app.favoritesService, "actions": app.actions, "appInfo": app.appInfo
            })
            view = findChild(appView, "mainPage")
            verify(view !== null)
            return view
        }
        function startPackaged() {
            start("packaged")
            tryVerify(function() { return row("category_Streaming Video") !== null })
        }

        function row(name) { return findChild(view, name) }
        function mainList() { return findChild(view, "mainList") }
        function detail() { return findChild(appView, "categoryDetail") }
        function navigator() { return findChild(appView, "navigator") }
        function entryMenu() { return findChild(appView, "entryMenu") }
        function search(text) {
            findChild(view, "searchField").text = text
            wait(0)
        }
        function openCategory(title) {
            var category = row("category_" + title)
            verify(category !== null, "category " + title)
            mouseClick(category)
            tryVerify(function() { return navigator().isOpen && detail().title === title })
            if (appView.width < 720) tryVerify(function() { return appView.covered })
            return detail()
        }
        function entryIn(name) {
            var entry = null
            tryVerify(function() { entry = findChild(detail(), "entry_" + name); return entry !== null })
            return entry
        }
        function currentKey(list) { return list.currentItem ? list.currentItem.key : undefined }

        function test_emptyCatalogueShowsErrorEmptyStateAndLoadingRow() {
            start("empty")
            tryCompare(app.dataService, "error", "No content available")
            tryVerify(function() { return row("emptyBlock") !== null })
            compare(findChild(row("errorRow"), "errorMessage").text, "No content available")
            compare(findChild(view, "refreshButton").enabled, true)

            // A refresh that hangs: nothing to show yet, so the loading row replaces the empty state.
            mouseClick(findChild(view, "retryButton"))
            compare(app.dataService.isLoading, true)
            tryVerify(function() { return row("loadingRow") !== null && row("emptyBlock") === null })
            compare(findChild(view, "refreshButton").enabled, false)
            compare(findChild(view, "toolbarBusy").running, true)
        }

        function test_noResultsBlockQuotesTheSearchAndClears() {
            start("empty")
            tryCompare(app.dataService, "error", "No content available")
            search("  film ")
            tryVerify(function() { return findChild(view, "noResultsText") !== null })
            compare(findChild(view, "noResultsText").text, "No entries match \"  film \"")
            mouseClick(findChild(view, "clearSearchButton"))
            compare(findChild(view, "searchField").text, "")
            tryVerify(function() { return row("emptyBlock") !== null })
        }

        function test_packagedPageAtStartWithCountsAndSearch() {
            startPackaged()
            compare(findChild(row("category_Streaming Video"), "count").text, "4")
            compare(findChild(row("category_Empty Category"), "count").text, "0")
            app.addHistory("Alpha Films", "https://alpha.example.org/")
            app.addFavorite("Delta Sounds", "https://delta.example.org/")
            tryVerify(function() { return row("history_Alpha Films") !== null && row("favorite_Delta Sounds") !== null })

            // Any character hides the personal sections; emptying the field brings them back.
            search("GAMMA")
            tryVerify(function() { return row("history_Alpha Films") === null })
            compare(findChild(row("category_Streaming Video"), "count").text, "2")
            verify(row("category_Music") === null)
            search("")
            tryVerify(function() { return row("history_Alpha Films") !== null })

            // Only a title matches: nothing is listed, and no message appears.
            search("empty category")
            tryVerify(function() { return row("category_Streaming Video") === null })
            verify(findChild(view, "noResultsText") === null)
        }

        function test_personalRowsAndLinkCategoriesOpenTheirLinks() {
            startPackaged()
            mouseClick(row("category_Project Site"))
            compare(app.opened, ["https://site.example.org/"])
            compare(app.historyNames.length, 0) // a link category leaves no record
            verify(!navigator().isOpen)

            app.addFavorite("Delta Sounds", "https://delta.example.org/")
            tryVerify(function() { return row("favorite_Delta Sounds") !== null })
            mouseClick(row("favorite_Delta Sounds"))
            compare(app.opened[1], "https://delta.example.org/")
            compare(app.historyNames, ["Delta Sounds"])

            // A favourite is removed from where it is shown, by its menu; Ctrl+C copies its link.
            tryVerify(function() { return row("history_Delta Sounds") !== null })
            mouseClick(row("favorite_Delta Sounds"), 10, 10, Qt.RightButton)
            tryCompare(entryMenu(), "opened", true)
            compare(findChild(entryMenu(), "menuFavorite").text, "Remove from Favorites")
            mouseClick(findChild(entryMenu(), "menuFavorite"))
            tryVerify(function() { return row("favorite_Delta Sounds") === null })
            compare(app.favoriteNames, [])
            mainList().forceActiveFocus()
            mainList().currentIndex = 1 // under the header
            keyClick(Qt.Key_C, Qt.ControlModifier)
            compare(app.clipboard, "https://delta.example.org/")
        }

        function test_tappingAnEntryRecordsItThenOpensItOnce() {
            startPackaged()
            openCategory("Streaming Video")
            var alpha = entryIn("Alpha Films")
            compare(findChild(alpha, "badgeIcon").visible, true)
            mouseDoubleClickSequence(findChild(alpha, "contentGroup"))
            compare(app.opened, ["https://alpha.example.org/"]) // a double click opens it once
            compare(app.historyFrontWhenOpened, ["https://alpha.example.org/"])

            // A related link records its own name and address.
            var beta = entryIn("Beta Archive")
            mouseClick(findChild(beta, "relatedMenuButton"))
            var menu = findChild(appView, "relatedMenu")
            tryCompare(menu, "opened", true)
            compare(menu.itemAt(0).text, "Beta Archive")
            var corner = menu.contentItem.mapToItem(appView, 0, 0)
            verify(corner.x >= 0 && corner.x + menu.width <= appView.width, "inside the window")
            menu.itemAt(1).triggered()
            compare(app.opened[1], "https://mirror.example.org/beta")
            compare(app.historyNames[0], "Beta Mirror")
        }

        function test_togglingAFavouriteChangesLabelAndStar() {
            startPackaged()
            openCategory("Streaming Video")
            var gamma = entryIn("Gamma Reels")
            compare(findChild(gamma, "chevron").visible, true)

            // Long press opens the entry menu, named after the entry.
            var group = findChild(gamma, "contentGroup")
            mousePress(group)
            wait(1000)
            mouseRelease(group)
            tryCompare(entryMenu(), "opened", true)
            compare(entryMenu().title, "Gamma Reels")
            compare(findChild(entryMenu(), "menuFavorite").text, "Add to Favorites")
            mouseClick(findChild(entryMenu(), "menuFavorite"))
            tryCompare(findChild(gamma, "favoriteStar"), "visible", true)
            // The other entry with the same link follows.
            compare(findChild(entryIn("Gamma Again"), "favoriteStar").visible, true)
            findChild(entryMenu(), "menuCopy").triggered()
            compare(app.clipboard, "https://gamma.example.org/")
        }

        function test_keyboardReachesEverything() {
            startPackaged()
            var field = findChild(view, "searchField")
            var list = mainList()

            keyClick(Qt.Key_F, Qt.ControlModifier)
            verify(field.activeFocus)
            keyClick(Qt.Key_G)
            keyClick(Qt.Key_A)
            compare(field.text, "ga")
            keyClick(Qt.Key_Escape)
            compare(field.text, "")
            keyClick(Qt.Key_Slash) // typed into the field that has focus, not a shortcut
            compare(field.text, "/")
            keyClick(Qt.Key_Backspace)

            // Down to the first row, Up back to the field; typing on the list searches.
            keyClick(Qt.Key_Down)
            verify(list.currentItem.activeFocus)
            compare(list.currentItem.title, "Empty Category")
            keyClick(Qt.Key_Up)
            verify(field.activeFocus)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_M)
            verify(field.activeFocus)
            compare(field.text, "m")
            keyClick(Qt.Key_Backspace)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_End)
            compare(list.currentItem.title, "Project Site")
            keyClick(Qt.Key_Home)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Return) // "Streaming Video", with the keyboard on its first entry
            tryVerify(function() { return appView.covered })
            var detailList = findChild(detail(), "detailList")
            tryVerify(function() { return detailList.currentItem && detailList.currentItem.activeFocus })
            compare(detailList.currentItem.name, "Alpha Films")
            keyClick(Qt.Key_Down) // over the "Archives" header
            compare(detailList.currentItem.name, "Beta Archive")
            keyClick(Qt.Key_Up)
            keyClick(Qt.Key_C, Qt.ControlModifier)
            compare(app.clipboard, "https://alpha.example.org/")
            keyClick(Qt.Key_Return)
            compare(app.opened, ["https://alpha.example.org/"])

            // The Menu key: the entry's menu at its row, on its first item; the row stays marked.
            keyClick(Qt.Key_Menu)
            tryCompare(entryMenu(), "opened", true)
            compare(entryMenu().currentIndex, 0)
            verify(detailList.highlightItem.visible)
            keyClick(Qt.Key_Escape) // the menu takes it: still on the category
            tryCompare(entryMenu(), "visible", false)
            verify(appView.covered)
            keyClick(Qt.Key_F10, Qt.ShiftModifier)
            tryCompare(entryMenu(), "opened", true)
            keyClick(Qt.Key_Escape)
            tryCompare(entryMenu(), "visible", false)

            // Escape goes back and keeps the search; Escape on the main page clears it.
            keyClick(Qt.Key_Escape)
            tryVerify(function() { return !navigator().isOpen })
            tryVerify(function() { return list.currentItem.activeFocus })
            compare(list.currentItem.title, "Streaming Video")
            search("alpha")
            field.forceActiveFocus()
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Return)
            tryVerify(function() { return appView.covered })
            keyClick(Qt.Key_Escape)
            tryVerify(function() { return !navigator().isOpen })
            compare(field.text, "alpha")
            keyClick(Qt.Key_Escape)
            compare(field.text, "")

            // Ctrl+F on a category: back on the main screen, and typing goes to the field.
            compare(list.currentItem.title, "Alpha Films") // a new list starts at its first row
            search("delta")
            field.forceActiveFocus()
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Return)
            tryVerify(function() { return appView.covered })
            keyClick(Qt.Key_F, Qt.ControlModifier)
            tryVerify(function() { return !appView.covered })
            keyClick(Qt.Key_Z)
            compare(field.text, "z") // the search was selected: typing replaces it
            keyClick(Qt.Key_F5)
            compare(app.dataService.isLoading, true)
        }

        function test_theListKeepsItsPlace() {
            root.height = 300 // short enough to scroll
            startPackaged()
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
            keyClick(Qt.Key_Escape)
            tryVerify(function() { return !navigator().isOpen })
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
            keyClick(Qt.Key_Escape)
            tryVerify(function() { return !navigator().isOpen })
            tryVerify(function() { return list.count === 14 }) // five history rows still, and a favourite under its header
            compare(currentKey(list), row("category_Streaming Video").key)
            compare(list.currentItem.y - list.contentY, shownAt)
            compare(list.contentY, contentY)
        }

        function test_wideWindowShowsTheCategoryBesideTheList() {
            root.width = 1280
            startPackaged()
            var list = mainList()
            verify(appView.wide)
            verify(findChild(appView, "placeholder").visible)
            compare(view.width, 360)

            // A tap opens the category on the right and marks it on the left.
            openCategory("Streaming Video")
            verify(!findChild(appView, "placeholder").visible)
            verify(view.visible)
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
            tryCompare(detail(), "title", "Streaming Video")
            compare(detailList.count, 4) // note, header, two entries
            search("delta")
            tryVerify(function() { return findChild(appView, "placeholder").visible })

            // A live resize keeps what is open, the search and the list's place.
            search("")
            openCategory("Music")
            root.width = 480
            tryVerify(function() { return appView.covered })
            compare(detail().title, "Music")
            verify(findChild(detail(), "backButton").visible)
            keyClick(Qt.Key_Escape)
            tryVerify(function() { return !navigator().isOpen && view.visible })
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
                if (item.textFormat !== undefined && item.text !== undefined && item.objectName !== "entryDescription"
                        && /[<&]/.test(item.text) && item.textFormat !== Text.PlainText) {
                    found.push(item.objectName + ": " + item.text)
                }
                var children = item.children || []
                var containsContent = false
                for (var i = 0; i < children.length; ++i) {
                    walk(children[i], found)
                    containsContent = containsContent || children[i] === item.contentItem
                }
                if (item.contentItem && item.contentItem !== item && !containsContent) walk(item.contentItem, found)
                return found
            }
            function expectPlain(what, item) {
                compare(walk(item, []), [], what)
            }
            expectPlain("main list", view)

            mainList().forceActiveFocus()
            mainList().currentIndex = 5 // the category
            keyClick(Qt.Key_Return)
            tryVerify(function() { return navigator().isOpen })
            expectPlain("category", detail())
            var entry = findChild(detail(), "entryName")
            verify(entry !== null)
            compare(entry.textFormat, Text.PlainText)
            verify(entry.text.indexOf("<b>bold</b> &amp;") > 0, entry.text)

            keyClick(Qt.Key_Menu)
            tryCompare(entryMenu(), "opened", true)
            expectPlain("entry menu", entryMenu().contentItem)
            keyClick(Qt.Key_Escape)
            var related = findChild(detail(), "relatedMenuButton")
            mouseClick(related)
            tryCompare(findChild(appView, "relatedMenu"), "opened", true)
            expectPlain("related links", findChild(appView, "relatedMenu").contentItem)
            keyClick(Qt.Key_Escape)
            findChild(appView, "popups").share(entry.text, "https://e.example/")
            var share = findChild(appView, "shareSheet")
            tryCompare(share, "opened", true)
            expectPlain("share sheet", share.contentItem)
            keyClick(Qt.Key_Escape)
            tryCompare(share, "visible", false)
            mouseClick(findChild(view, "settingsButton"))
            tryVerify(function() { return findChild(view, "settingsSheet") !== null })
            tryCompare(findChild(view, "settingsSheet"), "opened", true)
            expectPlain("settings", findChild(view, "settingsSheet").contentItem)

            wait(300) // an image request would have reached the server by now
            compare(app.pixelRequests, 0)
        }
    }
}
