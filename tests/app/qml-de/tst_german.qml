// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtTest
import Kavo

// The screens under a German system locale, with the translation loaded as
// the application loads it: the main screen, a category, the entry menu and
// the settings sheet speak German; catalogue texts stay as written.
Item {
    id: root
    width: 480
    height: 820

    Component {
        id: appComponent
        AppView { anchors.fill: parent }
    }

    TestCase {
        name: "German"
        when: windowShown

        property var app
        property var appView
        property var view

        function init() {
            failOnWarning(/.+/)
        }

        function start(scenario) {
            app = harness.start(scenario)
            appView = createTemporaryObject(appComponent, root, {
                "dataService": app.dataService, "historyService": app.historyService,
                "favoritesService": app.favoritesService, "actions": app.actions, "appInfo": app.appInfo
            })
            view = findChild(appView, "mainPage")
            verify(view !== null)
        }

        function find(parent, name) {
            var found = null
            tryVerify(function() { found = findChild(parent, name); return found !== null }, 5000, name)
            return found
        }

        // The texts of every visible item under `item`.
        function shownTexts(item) {
            var texts = []
            function walk(node) {
                if (!node.visible) return
                if (typeof node.text === "string" && node.text !== "") texts.push(node.text)
                for (var i = 0; i < node.children.length; ++i) walk(node.children[i])
            }
            walk(item)
            return texts
        }

        function expectShown(item, texts) {
            tryVerify(function() {
                var shown = shownTexts(item)
                return texts.every(function(text) { return shown.indexOf(text) >= 0 })
            }, 5000, texts.join(", "))
        }

        // [object, property, text] rows.
        function expectTexts(parent, rows) {
            for (var i = 0; i < rows.length; ++i) {
                var item = find(parent, rows[i][0])
                var value = rows[i][1] === "Accessible.name" ? item.Accessible.name
                          : rows[i][1] === "Accessible.description" ? item.Accessible.description
                          : item[rows[i][1]]
                compare(value, rows[i][2], rows[i][0] + "." + rows[i][1])
            }
        }

        function test_emptyMainScreen() {
            start("empty")
            tryCompare(app.dataService, "error", "No content available") // the service's own English
            expectTexts(view, [
                ["errorMessage", "text", "Keine Inhalte verfügbar"],
                ["retryButton", "text", "Erneut versuchen"],
                ["emptyRefreshButton", "text", "Aktualisieren"],
                ["searchField", "placeholderText", "Einträge durchsuchen…"],
                ["settingsButton", "Accessible.name", "Einstellungen"],
                ["refreshButton", "Accessible.name", "Aktualisieren"]
            ])
            expectShown(find(view, "emptyBlock"), ["Keine Inhalte geladen"])
        }

        function test_mainScreenCategoryAndEntryMenu() {
            start("packaged")
            app.addHistory("Alpha Films", "https://alpha.example.org/")
            app.addFavorite("Delta Sounds", "https://delta.example.org/")
            var list = find(view, "mainList")
            expectShown(list, ["Zuletzt angesehen", "Favoriten", "Kategorien", "Links", "Streaming Video"])
            expectTexts(view, [
                ["history_Alpha Films", "subtitle", "Gerade eben"],
                ["category_Music", "Accessible.description", "1 Eintrag"],
                ["category_Empty Category", "Accessible.description", "0 Einträge"]
            ])

            mouseClick(find(view, "category_Streaming Video"))
            var detail = find(appView, "categoryDetail")
            tryVerify(function() { return appView.covered }) // pushed all the way in
            expectShown(detail, ["Allgemein", "Archives"])
            compare(find(detail, "backButton").Accessible.name, "Zurück")

            var entry = find(detail, "entry_Alpha Films")
            compare(entry.Accessible.description.indexOf("Empfohlen"), 0)
            var group = findChild(entry, "contentGroup")
            mousePress(group)
            wait(1000)
            mouseRelease(group)
            var menu = find(appView, "entryMenu")
            tryCompare(menu, "opened", true)
            expectTexts(menu, [
                ["menuOpen", "text", "Öffnen"],
                ["menuCopy", "text", "URL kopieren"],
                ["menuShare", "text", "Teilen"],
                ["menuFavorite", "text", "Zu Favoriten hinzufügen"]
            ])
            menu.close()
        }

        function test_settingsSheet() {
            start("packaged")
            mouseClick(find(view, "settingsButton"))
            var sheet = find(view, "settingsSheet")
            tryCompare(sheet, "opened", true)
            expectTexts(sheet, [
                ["settingsTitle", "text", "Einstellungen"],
                ["settingsDone", "text", "Fertig"],
                ["forceRefreshButton", "text", "Jetzt aktualisieren"],
                ["clearCacheButton", "text", "Cache leeren"],
                ["clearHistoryButton", "text", "Zuletzt angesehene löschen"],
                ["clearFavoritesButton", "text", "Favoriten löschen"],
                ["sourceLabel", "text", "Quelle"],
                ["aboutFooter", "text", "Kostenlose Medienquellen, kuratiert von der KAVO-Community."]
            ])
            mouseClick(find(sheet, "clearHistoryButton"))
            var alert = find(sheet, "clearHistoryAlert")
            tryCompare(alert, "opened", true)
            compare(alert.title, "Verlauf löschen")
            expectTexts(sheet, [
                ["clearHistoryAlertMessage", "text", "Alle zuletzt angesehenen Einträge werden entfernt."],
                ["clearHistoryAlertCancel", "text", "Abbrechen"],
                ["clearHistoryAlertClear", "text", "Löschen"]
            ])
        }
    }
}
