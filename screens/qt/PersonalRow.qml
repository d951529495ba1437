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
    Accessible.name: title
    Accessible.description: [hasSubtitle ? subtitle : "", isFavorite ? qsTr("Favorite") : ""]
                            .filter(part => part !== "").join(", ")
    Accessible.onPressAction: open()

    function open() { actions.openEntry(title, url) }
    function showMenu(byKeyboard) {
        popups.showEntryMenu(row, title, url, ListView.view.model.badgeFor(url), byKeyboard)
    }

    // A tapped row becomes the current one, so the keyboard carries on from it.
    onClicked: {
        ListView.view.currentIndex = index
        open()
    }
    onPressAndHold: showMenu(false)
    TapHandler {
        acceptedButtons: Qt.RightButton
        onTapped: row.showMenu(false)
    }
    Keys.onPressed: event => {
        if (event.matches(StandardKey.Copy)) {
            actions.copyUrl(url)
            event.accepted = true
        } else if (opensMenu(event)) {
            event.accepted = true
        }
    }
    // The menu opens as the key goes up: a menu opened on the way down takes the release as its own and closes.
    Keys.onReleased: event => {
        if (opensMenu(event)) {
            showMenu(true)
            event.accepted = true
        }
    }
    function opensMenu(event) {
        return event.key === Qt.Key_Menu || (event.key === Qt.Key_F10 && (event.modifiers & Qt.ShiftModifier))
    }

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
                color: row.Material.secondaryTextColor
            }
        }
        Symbol { name: "arrow.up.forward.app"; size: Appearance.caption; color: row.Material.secondaryTextColor }
    }

    FocusRing { control: row; shown: row.activeFocus }
}
