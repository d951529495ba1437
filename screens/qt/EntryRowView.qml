// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// One entry: badge, name, description, and at the end a related-links menu,
// a favourite star or a chevron. A tap opens the link (recording it first);
// a long press or right-click opens the context menu.
Item {
    id: entry
    property string name
    property string url
    property string descriptionText
    property bool hasDescription
    property string badge
    property string badgeSymbol
    property string badgeColor
    property string accessory
    property bool isFavorite
    property var relatedNames: []
    property var relatedUrls: []
    property bool dark
    required property LinkActions actions
    readonly property color secondary: Appearance.named("secondary", dark)
    signal shareRequested(string name, string url)

    implicitHeight: content.implicitHeight + 12
    Accessible.role: Accessible.ListItem
    Accessible.name: name

    function openEntry() { actions.openEntry(name, url) }
    function showContextMenu() { contextMenu.popup() }

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
                    color: Appearance.named(entry.badgeColor, entry.dark)
                    Layout.preferredWidth: 20
                }
                ColumnLayout {
                    spacing: 3
                    Layout.fillWidth: true
                    Label {
                        objectName: "entryName"
                        text: entry.name
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        maximumLineCount: 1
                        font.pixelSize: Appearance.body
                        Layout.fillWidth: true
                    }
                    Label {
                        objectName: "entryDescription"
                        visible: entry.hasDescription
                        text: entry.descriptionText
                        textFormat: Text.StyledText
                        wrapMode: Text.Wrap
                        elide: Text.ElideRight
                        maximumLineCount: 2
                        font.pixelSize: Appearance.caption
                        color: entry.secondary
                        linkColor: Appearance.named("blue", entry.dark)
                        Layout.fillWidth: true
                        onLinkActivated: link => entry.actions.openExternally(link)
                    }
                }
            }
            TapHandler {
                objectName: "entryTap"
                onTapped: entry.openEntry()
                onLongPressed: entry.showContextMenu()
            }
            TapHandler {
                acceptedButtons: Qt.RightButton
                onTapped: entry.showContextMenu()
            }
        }

        Item { Layout.minimumWidth: 4; implicitWidth: 4 }

        // The trailing accessory, 28 by 28.
        Item {
            implicitWidth: 28
            implicitHeight: 28
            ToolButton {
                objectName: "relatedMenuButton"
                visible: entry.accessory === "menu"
                anchors.fill: parent
                padding: 0
                Accessible.name: "More links"
                contentItem: Symbol { name: "ellipsis"; size: Appearance.caption + 4; color: entry.secondary }
                onClicked: relatedMenu.popup()
            }
            Symbol {
                objectName: "favoriteStar"
                visible: entry.accessory === "star"
                anchors.centerIn: parent
                name: "star.fill"
                size: Appearance.caption + 2
                color: Appearance.named("yellow", entry.dark)
            }
            Symbol {
                objectName: "chevron"
                visible: entry.accessory === "chevron"
                anchors.centerIn: parent
                name: "chevron.right"
                size: Appearance.caption + 2
                color: entry.secondary
            }
        }
    }

    Menu {
        id: relatedMenu
        objectName: "relatedMenu"
        SymbolMenuItem {
            text: entry.name
            symbol: "arrow.up.forward.app"
            onTriggered: entry.openEntry()
        }
        Repeater {
            model: entry.relatedNames
            delegate: SymbolMenuItem {
                required property int index
                required property string modelData
                text: modelData
                onTriggered: entry.actions.openEntry(modelData, entry.relatedUrls[index])
            }
        }
    }

    Menu {
        id: contextMenu
        objectName: "contextMenu"
        SymbolMenuItem { objectName: "menuOpen"; text: "Open"; symbol: "arrow.up.forward.app"; onTriggered: entry.openEntry() }
        SymbolMenuItem { objectName: "menuCopy"; text: "Copy URL"; symbol: "doc.on.doc"; onTriggered: entry.actions.copyUrl(entry.url) }
        SymbolMenuItem {
            objectName: "menuShare"
            text: "Share"
            symbol: "square.and.arrow.up"
            onTriggered: entry.shareRequested(entry.name, entry.url)
        }
        MenuSeparator {}
        SymbolMenuItem {
            objectName: "menuFavorite"
            text: entry.isFavorite ? "Remove from Favorites" : "Add to Favorites"
            symbol: entry.isFavorite ? "star.slash" : "star"
            onTriggered: entry.actions.toggleFavorite(entry.name, entry.url, entry.badge)
        }
    }
}
