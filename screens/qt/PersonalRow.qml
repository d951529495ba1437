// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// What a "Recently Viewed" row and a "Favorites" row share: a tap opens the
// link and records it; the entry menu (right-click, long press, the Menu
// key or Shift+F10) and Ctrl+C work as on an entry of a category.
ItemDelegate {
    id: row
    required property int index
    required property string title
    required property string subtitle
    required property bool hasSubtitle
    required property string url
    required property bool isFavorite
    required property LinkActions actions
    required property Popups popups
    property string symbol
    property color symbolColor

    width: ListView.view.width
    text: title
    Accessible.focusable: true
    Accessible.name: title
    Accessible.description: [hasSubtitle ? subtitle : "", isFavorite ? qsTr("Favorite") : ""]
                            .filter(part => part !== "").join(", ")
    Accessible.onPressAction: open()

    function open() { actions.openEntry(title, url) }
    // `pointer`: where a click or a long press was in the row; null for the keyboard.
    function showMenu(pointer) {
        popups.showEntryMenu(row, title, url, ListView.view.model.badgeFor(url), pointer)
    }

    // A tapped row becomes the current one, so the keyboard carries on from it.
    // A right-click is its list's (KeyboardList), which asks for the menu.
    onClicked: {
        ListView.view.currentIndex = index
        open()
    }
    onPressAndHold: showMenu(Qt.point(pressX, pressY))
    MenuKey { id: menuKey; onTriggered: row.showMenu(null) }
    Keys.onPressed: event => {
        if (event.matches(StandardKey.Copy)) {
            actions.copyUrl(url)
            event.accepted = true
        } else {
            event.accepted = menuKey.pressed(event)
        }
    }
    Keys.onReleased: event => { event.accepted = menuKey.released(event) }

    contentItem: RowLayout {
        spacing: 12
        Symbol {
            name: row.symbol
            size: Appearance.caption
            color: row.symbolColor
            Layout.preferredWidth: 16
        }
        ColumnLayout {
            spacing: 2
            Layout.fillWidth: true
            TextLabel {
                Accessible.ignored: true
                text: row.title
                textFormat: Text.PlainText
                elide: Text.ElideRight
                maximumLineCount: 1
                Layout.fillWidth: true
            }
            TextLabel {
                Accessible.ignored: true
                visible: row.hasSubtitle
                text: row.subtitle
                textFormat: Text.PlainText
                font.pixelSize: Appearance.caption
                color: Colors.secondary
            }
        }
        Symbol { name: "arrow.up.forward.app"; size: Appearance.caption; color: Colors.secondary }
    }

    FocusRing { control: row; shown: row.activeFocus }
}
