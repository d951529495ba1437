// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtTest
import Kavo

// The main screen, a category and its entry rows, driven as a person would,
// with the real services behind them.
Item {
    id: root
    width: 420
    height: 820

    Component {
        id: stackComponent
        StackView { anchors.fill: parent }
    }
    Component {
        id: contentComponent
        ContentView {}
    }
    Component {
        id: shortcutsComponent
        KeyboardShortcuts { anchors.fill: parent }
    }

    TestCase {
        id: test
        name: "Screens"
        when: windowShown

        property var app
        property var stack
        property var view

        // Any warning while a screen runs (a binding loop, a type error) fails the test.
        function init() {
            failOnWarning(/.+/)
        }

        function start(scenario) {
            app = harness.start(scenario)
            stack = createTemporaryObject(stackComponent, root)
            view = stack.push(contentComponent, {
                "dataService": app.dataService, "historyService": app.historyService,
                "favoritesService": app.favoritesService, "actions": app.actions, "appInfo": app.appInfo,
                "stack": stack
            })
            verify(view !== null)
            return view
        }

        function row(name) {
            return findChild(view, name)
        }

        function search(text) {
            findChild(view, "searchField").text = text
            wait(0)
        }

        function openCategory(title) {
            var category = row("category_" + title)
            verify(category !== null, "category " + title)
            mouseClick(category)
            tryCompare(stack, "depth", 2)
            tryVerify(function() { return !stack.busy })
            return stack.currentItem
        }

        function entryIn(detail, name) {
            var entry = null
            tryVerify(function() { entry = findChild(detail, "entry_" + name); return entry !== null })
            return entry
        }

        function test_emptyCatalogueShowsErrorEmptyStateAndLoadingRow() {
            start("empty")
            tryCompare(app.dataService, "error", "No content available")
            tryVerify(function() { return row("row_empty_1") !== null })
            verify(row("row_error_0") !== null)
            compare(findChild(view, "refreshButton").enabled, true)

            // A refresh that hangs: nothing to show yet, so the loading row replaces the empty state.
            mouseClick(findChild(view, "retryButton"))
            compare(app.dataService.isLoading, true)
            tryVerify(function() { return row("row_loading_0") !== null })
            verify(row("row_empty_1") === null)
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
            tryVerify(function() { return row("row_empty_1") !== null })
        }

        function test_packagedPageAtStartWithCountsAndSearch() {
            start("packaged")
            tryVerify(function() { return row("category_Streaming Video") !== null })
            compare(findChild(row("category_Streaming Video"), "count").text, "4")
            compare(findChild(row("category_Empty Category"), "count").text, "0")
            app.addHistory("Alpha Films", "https://alpha.example.org/")
            app.addFavorite("Delta Sounds", "https://delta.example.org/")
            tryVerify(function() { return row("personal_0") !== null && row("personal_1") !== null })

            // Any character hides the personal sections; emptying the field brings them back.
            search("GAMMA")
            tryVerify(function() { return row("personal_0") === null })
            compare(findChild(row("category_Streaming Video"), "count").text, "2")
            verify(row("category_Music") === null)
            search("")
            tryVerify(function() { return row("personal_0") !== null })

            // Only a title matches: nothing is listed, and no message appears.
            search("empty category")
            tryVerify(function() { return row("category_Streaming Video") === null })
            verify(findChild(view, "noResultsText") === null)
        }

        function test_personalRowsAndLinkCategoriesOpenTheirLinks() {
            start("packaged")
            tryVerify(function() { return row("category_Project Site") !== null })
            mouseClick(row("category_Project Site"))
            compare(app.opened, ["https://site.example.org/"])
            compare(app.historyNames.length, 0) // a link category leaves no record
            compare(stack.depth, 1)

            app.addFavorite("Delta Sounds", "https://delta.example.org/")
            tryVerify(function() { return row("personal_0") !== null })
            mouseClick(row("personal_0"))
            compare(app.opened[1], "https://delta.example.org/")
            compare(app.historyNames, ["Delta Sounds"])
        }

        function test_tappingAnEntryRecordsItThenOpensIt() {
            start("packaged")
            tryVerify(function() { return row("category_Streaming Video") !== null })
            var detail = openCategory("Streaming Video")
            var alpha = entryIn(detail, "Alpha Films")
            compare(findChild(alpha, "badgeIcon").visible, true)
            mouseClick(findChild(alpha, "contentGroup"))
            compare(app.opened, ["https://alpha.example.org/"])
            compare(app.historyFrontWhenOpened, ["https://alpha.example.org/"])

            // A related link records its own name and address.
            var beta = entryIn(detail, "Beta Archive")
            verify(findChild(beta, "relatedMenuButton").visible)
            var menu = findChild(beta, "relatedMenu")
            menu.itemAt(1).triggered()
            compare(app.opened[1], "https://mirror.example.org/beta")
            compare(app.historyNames[0], "Beta Mirror")
            menu.itemAt(0).triggered()
            compare(app.historyNames[0], "Beta Archive")
            compare(menu.itemAt(0).text, "Beta Archive")
        }

        function test_keyboardFindRefreshBackAndEntryKeys() {
            start("packaged")
            createTemporaryObject(shortcutsComponent, root, { "stack": stack, "dataService": app.dataService })
            tryVerify(function() { return row("category_Streaming Video") !== null })
            var field = findChild(view, "searchField")

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
            compare(field.text, "")

            // Down leaves the field for the list; Enter opens the focused category.
            keyClick(Qt.Key_Down)
            var list = findChild(view, "mainList")
            verify(list.activeFocus)
            compare(list.currentIndex, 0) // "Empty Category"
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Return) // "Streaming Video"
            tryCompare(stack, "depth", 2)
            tryVerify(function() { return !stack.busy })
            var detail = stack.currentItem
            var detailList = findChild(detail, "detailList")
            tryVerify(function() { return detailList.activeFocus })

            // Rows: note, General, Alpha Films, Archives, Beta Archive, ...
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_C, Qt.ControlModifier)
            compare(app.clipboard, "https://alpha.example.org/")
            keyClick(Qt.Key_Return)
            compare(app.opened, ["https://alpha.example.org/"])
            compare(app.historyNames, ["Alpha Films"])
            keyClick(Qt.Key_Menu)
            tryCompare(findChild(entryIn(detail, "Alpha Films"), "contextMenu"), "opened", true)
            keyClick(Qt.Key_Escape) // the menu takes it: still on the category
            tryCompare(findChild(entryIn(detail, "Alpha Films"), "contextMenu"), "visible", false)
            compare(stack.depth, 2)

            keyClick(Qt.Key_Left, Qt.AltModifier)
            tryCompare(stack, "depth", 1)
            tryVerify(function() { return list.activeFocus }) // back on the list
            openCategory("Music")
            keyClick(Qt.Key_Backspace)
            tryCompare(stack, "depth", 1)
            keyClick(Qt.Key_F5)
            compare(app.dataService.isLoading, true)
            tryVerify(function() { return !stack.busy })
            keyClick(Qt.Key_Slash)
            verify(field.activeFocus)
        }

        function test_togglingAFavouriteChangesLabelAndStar() {
            start("packaged")
            tryVerify(function() { return row("category_Streaming Video") !== null })
            var detail = openCategory("Streaming Video")
            var gamma = entryIn(detail, "Gamma Reels")
            compare(findChild(gamma, "chevron").visible, true)
            compare(findChild(gamma, "menuFavorite").text, "Add to Favorites")

            // Long press opens the context menu.
            var group = findChild(gamma, "contentGroup")
            mousePress(group)
            wait(1000)
            mouseRelease(group)
            tryCompare(findChild(gamma, "contextMenu"), "opened", true)
            mouseClick(findChild(gamma, "menuFavorite"))
            tryCompare(findChild(gamma, "favoriteStar"), "visible", true)
            compare(findChild(gamma, "menuFavorite").text, "Remove from Favorites")
            // The other entry with the same link follows.
            compare(findChild(entryIn(detail, "Gamma Again"), "favoriteStar").visible, true)

            // Copy leaves the address on the clipboard.
            findChild(gamma, "menuCopy").triggered()
            compare(app.clipboard, "https://gamma.example.org/")
            // Back on the main screen the favourite is listed.
            detail.stack.pop()
            tryCompare(stack, "depth", 1)
            tryVerify(function() { return row("personal_0") !== null })
        }
    }
}
