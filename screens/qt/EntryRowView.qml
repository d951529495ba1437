// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// One entry: badge, name, description, and at the end a related-links menu,
// a favourite star or a chevron. A tap (or Enter) opens the link, recording
// it first; a long press, a right-click, the Menu key or Shift+F10 opens the
// entry menu; Ctrl+C copies the link.
Item {
    id: entry
    required property int index
    required property string name
    required property string url
    required property string descriptionText
    required property bool hasDescription
    required property string plainDescription
    required property string badge
    required property string badgeSymbol
    required property string badgeColor
    required property string accessory
    required property bool isFavorite
    required property var relatedNames
    required property var relatedUrls
    required property LinkActions actions
    required property Popups popups

    width: ListView.view.width
    implicitHeight: content.implicitHeight + 12
    objectName: "entry_" + name

    Accessible.role: Accessible.ListItem
    Accessible.focusable: true
    Accessible.name: name
    Accessible.description: [badge === "none" ? "" : badgeMeaning(badge), hasDescription ? plainDescription : "",
                             isFavorite ? qsTr("Favorite") : ""].filter(part => part !== "").join(", ")
    Accessible.onPressAction: openEntry()

    function badgeMeaning(badge) {
        switch (badge) {
        case "star": return qsTr("Recommended")
        case "globe": return qsTr("Web")
        case "arrow": return qsTr("Related")
        default: return ""
        }
    }
    function openEntry() { actions.openEntry(name, url) }
    function showContextMenu(byKeyboard) { popups.showEntryMenu(entry, name, url, badge, byKeyboard) }
    function openRelatedLinks(byKeyboard) {
        popups.showRelatedLinks(byKeyboard ? entry : relatedButton, name, url, relatedNames, relatedUrls, byKeyboard)
    }

    Keys.onReturnPressed: openEntry()
    // Right opens the further links, when there are any.
    Keys.onRightPressed: event => {
        if (accessory === "menu") openRelatedLinks(true)
        else event.accepted = false
    }
    Keys.onEnterPressed: openEntry()
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
            showContextMenu(true)
            event.accepted = true
        }
    }
    function opensMenu(event) {
        return event.key === Qt.Key_Menu || (event.key === Qt.Key_F10 && (event.modifiers & Qt.ShiftModifier))
    }

    RowLayout {
        id: content
        anchors.fill: parent
        anchors.leftMargin: 20
        anchors.rightMargin: 16
        anchors.topMargin: 6
        anchors.bottomMargin: 6
        spacing: 0

        // The content group: icon and texts; its whole rectangle takes the tap.
        Item {
            objectName: "contentGroup"
            Layout.fillWidth: true
            implicitHeight: group.implicitHeight
            RowLayout {
                id: group
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 12
                Symbol {
                    objectName: "badgeIcon"
                    visible: entry.badgeSymbol !== ""
                    name: entry.badgeSymbol
                    color: Colors.named(entry.badgeColor)
                    Layout.preferredWidth: 20
                }
                ColumnLayout {
                    spacing: 3
                    Layout.fillWidth: true
                    TextLabel {
                        objectName: "entryName"
                        Accessible.ignored: true
                        text: entry.name
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        maximumLineCount: 1
                        font.pixelSize: Appearance.body
                        Layout.fillWidth: true
                    }
                    // Our own rendering of the description: links and
                    // emphasis only, nothing that could fetch.
                    TextLabel {
                        objectName: "entryDescription"
                        visible: entry.hasDescription
                        text: entry.descriptionText
                        textFormat: Text.StyledText
                        wrapMode: Text.Wrap
                        elide: Text.ElideRight
                        maximumLineCount: 2
                        font.pixelSize: Appearance.caption
                        color: Material.secondaryTextColor
                        linkColor: Colors.link
                        Layout.fillWidth: true
                        onLinkActivated: link => entry.actions.openExternally(link)
                        Accessible.ignored: true
                    }
                }
            }
            TapHandler {
                objectName: "entryTap"
                onTapped: {
                    entry.ListView.view.currentIndex = entry.index // the keyboard carries on from here
                    entry.openEntry()
                }
                onLongPressed: entry.showContextMenu(false)
            }
            TapHandler {
                acceptedButtons: Qt.RightButton
                onTapped: entry.showContextMenu(false)
            }
        }

        Item { Layout.minimumWidth: 4; implicitWidth: 4 }

        // The trailing accessory, 28 by 28.
        Item {
            implicitWidth: 28
            implicitHeight: 28
            ToolButton {
                id: relatedButton
                objectName: "relatedMenuButton"
                visible: entry.accessory === "menu"
                anchors.fill: parent
                padding: 0
                focusPolicy: Qt.NoFocus // the row's menu holds the same links for the keyboard
                Accessible.name: qsTr("More links")
                Accessible.onPressAction: clicked()
                contentItem: Symbol { name: "ellipsis"; size: Appearance.caption + 4; color: Material.secondaryTextColor }
                onClicked: entry.openRelatedLinks(false)
            }
            Symbol {
                objectName: "favoriteStar"
                visible: entry.accessory === "star"
                anchors.centerIn: parent
                name: "star.fill"
                size: Appearance.caption + 2
                color: Colors.yellow
            }
            Symbol {
                objectName: "chevron"
                visible: entry.accessory === "chevron"
                anchors.centerIn: parent
                name: "chevron.right"
                size: Appearance.caption + 2
                color: Material.secondaryTextColor
            }
        }
    }

    FocusRing { control: entry; shown: entry.activeFocus }
}
