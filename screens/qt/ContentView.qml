// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// The main screen: search field, toolbar, and the list of loading and error
// rows, "Recently Viewed", "Favorites", "Categories", "Links" and the two
// empty blocks. What is listed is derived in MainListModel; this file draws it.
Page {
    id: page
    required property KVDataService dataService
    required property KVHistoryService historyService
    required property KVFavoritesService favoritesService
    required property LinkActions actions
    required property AppInfo appInfo
    required property StackView stack
    property bool showSettings: false
    readonly property bool dark: Material.theme === Material.Dark
    readonly property color secondary: Appearance.named("secondary", dark)

    title: "KAVO"

    // Back from a category, the keyboard is where it was when it left.
    property bool listHadFocus: false
    StackView.onActivated: if (listHadFocus) list.forceActiveFocus()
    StackView.onDeactivating: listHadFocus = list.activeFocus

    // For the window's keyboard shortcuts.
    function focusSearch() {
        searchField.forceActiveFocus()
        searchField.selectAll()
    }
    function clearSearch() {
        if (searchField.text === "") return false
        searchField.text = ""
        return true
    }
    // Enter on a focused row does what a tap does.
    function activate(row) {
        if (row && row.item && row.item.clicked) row.item.clicked()
    }

    // Flat, like a navigation bar: no shadow under it (one fewer effect to
    // draw in the first frame, too).
    header: ToolBar {
        Material.elevation: 0
        RowLayout {
            anchors.fill: parent
            ToolButton {
                objectName: "settingsButton"
                Accessible.name: "Settings"
                contentItem: Symbol { name: "gearshape"; size: 22; color: Material.foreground }
                onClicked: page.showSettings = true
            }
            Label {
                text: page.title
                font.pixelSize: Appearance.headline
                font.bold: true
                horizontalAlignment: Qt.AlignHCenter
                Layout.fillWidth: true
            }
            ToolButton {
                objectName: "refreshButton"
                Accessible.name: "Refresh"
                enabled: !page.dataService.isLoading
                contentItem: Item {
                    implicitWidth: 24
                    implicitHeight: 24
                    BusyIndicator {
                        objectName: "toolbarBusy"
                        anchors.centerIn: parent
                        width: 28
                        height: 28
                        running: page.dataService.isLoading
                        visible: running
                    }
                    Symbol {
                        anchors.centerIn: parent
                        visible: !page.dataService.isLoading
                        name: "arrow.clockwise"
                        size: 22
                        color: Material.foreground
                    }
                }
                onClicked: page.dataService.refresh()
            }
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        TextField {
            id: searchField
            objectName: "searchField"
            placeholderText: "Search entries…"
            Accessible.name: "Search entries"
            Layout.fillWidth: true
            Layout.leftMargin: 16
            Layout.rightMargin: 16
            Layout.topMargin: 4
            Keys.onDownPressed: {
                list.forceActiveFocus()
                if (list.currentIndex < 0) list.currentIndex = 0
            }
        }

        ListView {
            id: list
            objectName: "mainList"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            // No rows are made ahead of view: a search resets the model on every
            // keystroke, and incubations a reset cancels only make Qt warn.
            // The rows are few; making them on demand is cheap.
            cacheBuffer: 0
            // Arrow keys move through the rows; the focused row is marked.
            keyNavigationEnabled: true
            highlightMoveDuration: 0
            highlight: Rectangle {
                visible: list.activeFocus
                color: page.dark ? "#33ffffff" : "#1f000000"
            }
            Keys.onReturnPressed: page.activate(currentItem)
            Keys.onEnterPressed: page.activate(currentItem)
            // Pull-to-refresh: dragged past the threshold, then let go. The
            // download is the service's business; the list does not wait.
            property bool pulled: false
            onVerticalOvershootChanged: if (dragging && verticalOvershoot < -80) pulled = true
            onDraggingChanged: {
                if (!dragging && pulled) {
                    pulled = false
                    page.dataService.refresh()
                }
            }

            model: MainListModel {
                id: mainModel
                objectName: "mainModel"
                dataService: page.dataService
                historyService: page.historyService
                favoritesService: page.favoritesService
                searchText: searchField.text
            }

            section.property: "section"
            section.delegate: Item {
                id: sectionHeader
                required property string section
                width: ListView.view.width
                height: section === "" ? 0 : headerText.implicitHeight
                Label {
                    id: headerText
                    visible: sectionHeader.section !== ""
                    text: sectionHeader.section
                    leftPadding: 20
                    topPadding: 18
                    bottomPadding: 6
                    font.pixelSize: Appearance.caption
                    font.capitalization: Font.AllUppercase
                    color: page.secondary
                }
            }

            delegate: Loader {
                id: row
                required property int index
                required property string kind
                required property string title
                required property string subtitle
                required property bool hasSubtitle
                required property string symbol
                required property string tileColor
                required property int count
                required property string url
                width: ListView.view.width
                objectName: "row_" + kind + "_" + index

                sourceComponent: {
                    switch (kind) {
                    case "loading": return loadingRow
                    case "error": return errorRow
                    case "history": return personalRow
                    case "favorite": return personalRow
                    case "category": return categoryRow
                    case "link": return categoryRow
                    case "noResults": return noResultsBlock
                    default: return emptyBlock
                    }
                }

                Component {
                    id: loadingRow
                    RowLayout {
                        spacing: 12
                        height: Math.max(60, implicitHeight)
                        Item { Layout.fillWidth: true }
                        BusyIndicator { running: true; implicitWidth: 32; implicitHeight: 32 }
                        Label { text: "Loading KAVO…"; font.pixelSize: Appearance.subheadline; color: page.secondary }
                        Item { Layout.fillWidth: true }
                    }
                }

                Component {
                    id: errorRow
                    RowLayout {
                        spacing: 12
                        Item { width: 8 }
                        Symbol { name: "exclamationmark.triangle.fill"; color: Appearance.named("orange", page.dark) }
                        Label {
                            text: row.title
                            font.pixelSize: Appearance.caption
                            color: page.secondary
                            Layout.topMargin: 4
                            Layout.bottomMargin: 4
                        }
                        Item { Layout.fillWidth: true }
                        Button {
                            objectName: "retryButton"
                            text: "Retry"
                            flat: true
                            font.pixelSize: Appearance.caption
                            onClicked: page.dataService.refresh()
                        }
                        Item { width: 8 }
                    }
                }

                // A recently viewed entry or a favourite: opens its link and records it.
                Component {
                    id: personalRow
                    ItemDelegate {
                        objectName: "personal_" + row.index
                        Accessible.name: row.title
                        onClicked: page.actions.openEntry(row.title, row.url)
                        contentItem: RowLayout {
                            spacing: 12
                            Symbol {
                                name: row.kind === "history" ? "clock" : "star.fill"
                                size: Appearance.caption
                                color: row.kind === "history" ? page.secondary : Appearance.named("yellow", page.dark)
                                Layout.preferredWidth: 16
                            }
                            ColumnLayout {
                                spacing: 2
                                Layout.fillWidth: true
                                Label { text: row.title; elide: Text.ElideRight; maximumLineCount: 1; Layout.fillWidth: true }
                                Label {
                                    visible: row.hasSubtitle
                                    text: row.subtitle
                                    font.pixelSize: Appearance.caption
                                    color: page.secondary
                                }
                            }
                            Symbol { name: "arrow.up.forward.app"; size: Appearance.caption; color: page.secondary }
                        }
                    }
                }

                // A category (opens its screen) or a link category (opens its address).
                Component {
                    id: categoryRow
                    ItemDelegate {
                        objectName: "category_" + row.title
                        Accessible.name: row.title
                        onClicked: {
                            if (row.kind === "link") {
                                page.actions.openExternally(row.url)
                            } else {
                                page.stack.push(detailView, {
                                    "model": mainModel.categoryDetail(row.index),
                                    "actions": page.actions,
                                    "stack": page.stack
                                })
                            }
                        }
                        contentItem: RowLayout {
                            spacing: 12
                            Rectangle {
                                implicitWidth: 32
                                implicitHeight: 32
                                radius: 8
                                color: Appearance.named(row.tileColor, page.dark)
                                Symbol { anchors.centerIn: parent; name: row.symbol; color: "white" }
                            }
                            ColumnLayout {
                                spacing: 2
                                Layout.fillWidth: true
                                Layout.topMargin: 4
                                Layout.bottomMargin: 4
                                Label { text: row.title; elide: Text.ElideRight; maximumLineCount: 1; Layout.fillWidth: true }
                                Label {
                                    visible: row.hasSubtitle
                                    text: row.subtitle
                                    elide: Text.ElideRight
                                    maximumLineCount: 1
                                    font.pixelSize: Appearance.caption
                                    color: page.secondary
                                    Layout.fillWidth: true
                                }
                            }
                            Label {
                                objectName: "count"
                                text: row.count
                                font.pixelSize: Appearance.caption
                                color: page.secondary
                                leftPadding: 8
                                rightPadding: 8
                                topPadding: 4
                                bottomPadding: 4
                                background: Rectangle { radius: 8; color: Appearance.fill(page.dark) }
                            }
                        }
                    }
                }

                Component {
                    id: noResultsBlock
                    ColumnLayout {
                        spacing: 16
                        Item { implicitHeight: 24 }
                        Symbol { name: "magnifyingglass"; size: 36; color: page.secondary; Layout.alignment: Qt.AlignHCenter }
                        Label { text: "No results"; font.pixelSize: Appearance.headline; font.bold: true; Layout.alignment: Qt.AlignHCenter }
                        Label {
                            objectName: "noResultsText"
                            text: "No entries match \"" + searchField.text + "\""
                            textFormat: Text.PlainText
                            font.pixelSize: Appearance.subheadline
                            color: page.secondary
                            Layout.alignment: Qt.AlignHCenter
                        }
                        Button {
                            objectName: "clearSearchButton"
                            text: "Clear Search"
                            Layout.alignment: Qt.AlignHCenter
                            onClicked: searchField.text = ""
                        }
                        Item { implicitHeight: 24 }
                    }
                }

                Component {
                    id: emptyBlock
                    ColumnLayout {
                        spacing: 16
                        Item { implicitHeight: 24 }
                        Symbol { name: "arrow.clockwise"; size: 36; color: page.secondary; Layout.alignment: Qt.AlignHCenter }
                        Label { text: "No content loaded"; font.pixelSize: Appearance.headline; font.bold: true; Layout.alignment: Qt.AlignHCenter }
                        Label {
                            text: "Tap refresh to download content"
                            font.pixelSize: Appearance.subheadline
                            color: page.secondary
                            horizontalAlignment: Text.AlignHCenter
                            Layout.alignment: Qt.AlignHCenter
                        }
                        Button {
                            objectName: "emptyRefreshButton"
                            text: "Refresh"
                            Layout.alignment: Qt.AlignHCenter
                            onClicked: page.dataService.refresh()
                        }
                        Item { implicitHeight: 24 }
                    }
                }
            }
        }
    }

    Component {
        id: detailView
        CategoryDetailView {}
    }

    // The sheet and its three alerts are made the first time the gear is
    // tapped, not with every start, and kept from then on.
    onShowSettingsChanged: if (showSettings) settingsLoader.active = true
    Loader {
        id: settingsLoader
        anchors.fill: parent
        active: false
        sourceComponent: SettingsView {
            objectName: "settingsSheet"
            dataService: page.dataService
            historyService: page.historyService
            favoritesService: page.favoritesService
            actions: page.actions
            appInfo: page.appInfo
            shown: page.showSettings
            onDismissed: page.showSettings = false
        }
    }
}
