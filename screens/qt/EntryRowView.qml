// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// One entry: badge, name (tagged while it is new), description, and at the
// end a related-links menu, a favourite star or a chevron. A tap (or Enter)
// opens the link, recording it first; a long press, a right-click, the Menu
// key or Shift+F10 opens the entry menu; Ctrl+C copies the link.
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
    required property bool isNew
    required property var relatedNames
    required property var relatedUrls
    required property LinkActions actions
    required property Popups popups

    width: ListView.view.width
    implicitHeight: content.implicitHeight + 12
    objectName: "entry_" + name

    Accessible.role: Accessible.ListItem
    Accessible.focusable: true
    Accessible.name: isNew ? qsTr("%1, new").arg(name) : name
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
    // `pointer`: where a click or a long press was in the row; null for the keyboard.
    function showMenu(pointer) { popups.showEntryMenu(entry, name, url, badge, pointer) }
    function openRelatedLinks(byKeyboard) {
        popups.showRelatedLinks(byKeyboard ? entry : relatedButton.item, name, url, relatedNames, relatedUrls, byKeyboard)
    }

    Keys.onReturnPressed: openEntry()
    Keys.onEnterPressed: openEntry()
    Keys.onSpacePressed: event => { if (!event.isAutoRepeat) openEntry() }
    // Right opens the further links, when there are any.
    Keys.onRightPressed: event => {
        if (accessory === "menu") openRelatedLinks(true)
        else event.accepted = false
    }
    MenuKey { id: menuKey; onTriggered: entry.showMenu(null) }
    Keys.onPressed: event => {
        if (event.matches(StandardKey.Copy)) {
            actions.copyUrl(url)
            event.accepted = true
        } else {
            event.accepted = menuKey.pressed(event)
        }
    }
    Keys.onReleased: event => { event.accepted = menuKey.released(event) }

    // The whole row takes the tap, its margins and the chevron included;
    // the related-links button takes its own. A right-click is the list's
    // (KeyboardList), which asks for the menu.
    TapHandler {
        objectName: "entryTap"
        onTapped: {
            entry.ListView.view.currentIndex = entry.index // the keyboard carries on from here
            entry.openEntry()
        }
        onLongPressed: entry.showMenu(point.position)
    }

    RowLayout {
        id: content
        anchors.fill: parent
        anchors.leftMargin: 20
        anchors.rightMargin: 16
        anchors.topMargin: 6
        anchors.bottomMargin: 6
        spacing: 0

        // The content group: icon and texts.
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
                    // The tag right after the name, however long the name.
                    Item {
                        Layout.fillWidth: true
                        implicitHeight: entryName.implicitHeight
                        TextLabel {
                            id: entryName
                            objectName: "entryName"
                            Accessible.ignored: true
                            width: Math.min(implicitWidth, parent.width - (newTag.visible ? newTag.implicitWidth + 8 : 0))
                            text: entry.name
                            textFormat: Text.PlainText
                            elide: Text.ElideRight
                            maximumLineCount: 1
                            font.pixelSize: Appearance.body
                        }
                        NewTag {
                            id: newTag
                            objectName: "newTag"
                            visible: entry.isNew
                            x: entryName.width + 8
                            anchors.verticalCenter: entryName.verticalCenter
                            text: qsTr("New")
                        }
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
                        color: Colors.secondary
                        linkColor: Colors.link
                        Layout.fillWidth: true
                        onLinkActivated: link => entry.actions.openExternally(link)
                        Accessible.ignored: true
                    }
                }
            }
        }

        Item { Layout.minimumWidth: 4; implicitWidth: 4 }

        // The trailing accessory, 28 by 28.
        Item {
            implicitWidth: 28
            implicitHeight: 28
            // Made only where it is shown: a hidden button would still be
            // in the tree that assistive technology reads.
            Loader {
                id: relatedButton
                anchors.fill: parent
                active: entry.accessory === "menu"
                sourceComponent: ToolButton {
                    id: button
                    objectName: "relatedMenuButton"
                    padding: 0
                    focusPolicy: Qt.NoFocus // the row's menu holds the same links for the keyboard
                    Accessible.name: qsTr("More links")
                    Accessible.onPressAction: clicked()
                    contentItem: Symbol { name: "ellipsis"; size: Appearance.caption + 4; color: Colors.secondary }
                    onClicked: entry.openRelatedLinks(false)
                }
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
                color: Colors.secondary
            }
        }
    }

    FocusRing { control: entry; shown: entry.activeFocus }
}
