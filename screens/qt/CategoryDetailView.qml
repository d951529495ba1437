// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// One category: its note, "General" with its own entries, then each section
// with its note and entries. Shows the category as it was when opened.
Page {
    id: page
    required property CategoryDetailModel model
    required property LinkActions actions
    required property StackView stack
    readonly property bool dark: Material.theme === Material.Dark
    readonly property color secondary: Appearance.named("secondary", dark)

    title: model.title
    StackView.onActivated: list.forceActiveFocus()

    header: ToolBar {
        Material.elevation: 0 // flat, as on the main screen
        RowLayout {
            anchors.fill: parent
            ToolButton {
                objectName: "backButton"
                Accessible.name: "Back"
                contentItem: Symbol { name: "chevron.left"; size: 22; color: Material.foreground }
                onClicked: page.stack.pop()
            }
            Label {
                text: page.title
                elide: Text.ElideRight
                font.pixelSize: Appearance.headline
                font.bold: true
                Layout.fillWidth: true
            }
        }
    }

    ListView {
        id: list
        objectName: "detailList"
        anchors.fill: parent
        clip: true
        model: page.model
        // Arrow keys move through the rows; Enter opens the focused entry,
        // Ctrl+C copies its link, the Menu key opens its menu.
        focus: true
        keyNavigationEnabled: true
        highlightMoveDuration: 0
        highlight: Rectangle {
            visible: list.activeFocus
            color: page.dark ? "#33ffffff" : "#1f000000"
        }
        function focusedEntry() {
            return currentItem && currentItem.kind === "entry" ? currentItem : null
        }
        Keys.onReturnPressed: if (focusedEntry()) focusedEntry().item.openEntry()
        Keys.onEnterPressed: if (focusedEntry()) focusedEntry().item.openEntry()
        Keys.onPressed: event => {
            const entry = focusedEntry()
            if (!entry) return
            if (event.matches(StandardKey.Copy)) {
                page.actions.copyUrl(entry.url)
                event.accepted = true
            } else if (event.key === Qt.Key_Menu) {
                entry.item.showContextMenu()
                event.accepted = true
            }
        }
        header: Label {
            width: ListView.view.width
            text: page.title
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font.pixelSize: Appearance.largeTitle
            font.bold: true
            padding: 16
        }

        delegate: Loader {
            id: row
            required property int index
            required property string kind
            required property string text
            required property string name
            required property string url
            required property string descriptionText
            required property bool hasDescription
            required property string badge
            required property string badgeSymbol
            required property string badgeColor
            required property string accessory
            required property bool isFavorite
            required property var relatedNames
            required property var relatedUrls
            width: ListView.view.width
            sourceComponent: kind === "entry" ? entryRow : (kind === "header" ? headerRow : noteRow)

            Component {
                id: headerRow
                Label {
                    text: row.text
                    textFormat: Text.PlainText
                    leftPadding: 20
                    topPadding: 18
                    bottomPadding: 6
                    font.pixelSize: Appearance.caption
                    font.capitalization: Font.AllUppercase
                    color: page.secondary
                }
            }

            Component {
                id: noteRow
                Label {
                    objectName: "note"
                    text: row.text
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    padding: 16
                    font.pixelSize: Appearance.subheadline
                    color: page.secondary
                }
            }

            Component {
                id: entryRow
                EntryRowView {
                    objectName: "entry_" + row.name
                    name: row.name
                    url: row.url
                    descriptionText: row.descriptionText
                    hasDescription: row.hasDescription
                    badge: row.badge
                    badgeSymbol: row.badgeSymbol
                    badgeColor: row.badgeColor
                    accessory: row.accessory
                    isFavorite: row.isFavorite
                    relatedNames: row.relatedNames
                    relatedUrls: row.relatedUrls
                    actions: page.actions
                    dark: page.dark
                    onShareRequested: (name, url) => shareSheet.present(name, url)
                }
            }
        }
    }

    ShareSheet {
        id: shareSheet
        actions: page.actions
    }
}
