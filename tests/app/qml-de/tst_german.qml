// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtTest
import Kavo

// The screens under a German system locale, with the translation loaded as
// the application loads it: the screens speak German, plurals included, the
// service's message is translated as it is shown, catalogue texts stay as written.
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

        function init() { failOnWarning(/.+/) }

        function start(scenario) {
            var app = harness.start(scenario)
            var appView = createTemporaryObject(appComponent, root, app.window)
            return [app, appView, findChild(appView, "mainPage")]
        }

        function find(parent, name) {
            var found = null
            tryVerify(function() { found = findChild(parent, name); return found !== null }, 5000, name)
            return found
        }

        function test_theScreensSpeakGerman() {
            var [app, appView, view] = start("packaged")
            compare(find(view, "category_Music").Accessible.description, "1 Eintrag")
            compare(find(view, "category_Empty Category").Accessible.description, "0 Einträge")
            mouseClick(find(view, "category_Streaming Video"))
            tryVerify(function() { return appView.covered })
            var entry = find(find(appView, "categoryDetail"), "entry_Alpha Films")
            compare(entry.Accessible.description.indexOf("Empfohlen"), 0)
            mouseClick(findChild(entry, "contentGroup"), 10, 10, Qt.RightButton)
            tryCompare(find(appView, "entryMenu"), "opened", true)
            compare(find(find(appView, "entryMenu"), "menuFavorite").text, "Zu Favoriten hinzufügen")
        }

        function test_thePreviewBarSpeaksGerman() {
            var app = harness.start("preview")
            verify(app.savePage("# ► A\n* kein Link\n* auch keiner\n"))
            var appView = createTemporaryObject(appComponent, root, app.window)
            tryCompare(find(appView, "lintSummaryText"), "text", "2 Zeilen werden verworfen")
        }

        function test_theServicesMessageIsTranslatedAsItIsShown() {
            var [app, appView, view] = start("empty")
            tryCompare(app.dataService, "error", "No content available")
            compare(find(view, "errorMessage").text, "Keine Inhalte verfügbar")
        }

        // The longest texts fit at the narrowest window: a menu is as wide as
        // its longest item, the texts of a sheet wrap.
        function test_textsFitTheNarrowestWindow() {
            root.width = 320
            var [app, appView, view] = start("packaged")
            app.addFavorite("Alpha Films", "https://alpha.example.org/")
            function cut(item, found) {
                if (item.truncated === true && item.visible) found.push(item.text)
                Array.from(item.children || []).forEach(function(child) { cut(child, found) })
                if (item.contentItem && item.contentItem !== item) cut(item.contentItem, found)
                return found
            }
            var favorite = find(view, "favorite_Alpha Films")
            mouseClick(favorite, 10, 10, Qt.RightButton)
            var menu = find(appView, "entryMenu")
            tryCompare(menu, "opened", true)
            compare(cut(menu.contentItem, []), [])
            menu.close()
            tryCompare(menu, "visible", false)
            view.showSettings = true
            var sheet = find(view, "settingsSheet")
            tryCompare(sheet, "opened", true)
            compare(cut(sheet.contentItem, []), [])
            root.width = 480
        }
    }
}
