// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// The settings sheet, raised by the main screen's gear button: a refresh that
// closes the sheet, three clear actions and "Mark as Seen" behind a
// confirmation each, and where
// the project lives and which version this is. Everything it changes goes
// through the shared services, except the cache file, which it deletes itself.
Drawer {
    id: sheet
    required property KVDataService dataService
    required property KVHistoryService historyService
    required property KVFavoritesService favoritesService
    required property KVSeenService seenService
    required property LinkActions actions
    required property AppInfo appInfo
    property bool shown: false
    // True while the matching confirmation is up; reset when it goes away,
    // whichever of its buttons was chosen.
    property bool showClearCacheAlert: false
    property bool showClearHistoryAlert: false
    property bool showClearFavoritesAlert: false
    property bool showMarkSeenAlert: false
    signal dismissed()

    function dismiss() {
        close()
    }

    // Starts the download and closes at once; the outcome reaches the main
    // screen through the data service. While a load runs the request is
    // ignored, and the sheet closes all the same.
    function forceRefresh() {
        dataService.refresh()
        dismiss()
    }

    // The file goes first, then a refresh; the catalogue on screen stays
    // until the refresh replaces it.
    function clearCache() {
        CacheFile.remove(dataService)
        dataService.refresh()
    }

    parent: Overlay.overlay
    edge: Qt.BottomEdge
    dragMargin: 0 // opened by the gear button, never by a drag from the edge
    modal: true
    focus: true
    width: parent ? parent.width : 400
    height: parent ? parent.height * 0.92 : 700
    Overlay.modal: Rectangle { color: Colors.dim }
    // Qt 6.4 gives a drawer no accessible name; its content's parent is the popup's own item.
    Component.onCompleted: {
        contentItem.parent.Accessible.name = qsTr("Settings")
        if (shown) open() // made on demand: asked for already
    }
    onShownChanged: shown ? open() : close()
    // The keyboard starts on the first action, with its ring, and goes back
    // where it was when the sheet closes.
    FocusReturn { id: focusReturn }
    onAboutToShow: focusReturn.remember(parent ? parent.Window.window : null)
    onOpened: forceRefreshButton.forceActiveFocus(Qt.TabFocusReason)
    onClosed: {
        focusReturn.restore()
        showClearCacheAlert = false
        showClearHistoryAlert = false
        showClearFavoritesAlert = false
        showMarkSeenAlert = false
        dismissed()
    }

    background: Rectangle { color: sheet.Material.backgroundColor }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        ToolBar {
            Material.elevation: 0 // flat, as on the main screen
            Layout.fillWidth: true
            RowLayout {
                anchors.fill: parent
                Item { Layout.preferredWidth: doneButton.implicitWidth; Layout.leftMargin: 8 }
                TextLabel {
                    objectName: "settingsTitle"
                    text: qsTr("Settings")
                    font.pixelSize: Appearance.headline
                    font.bold: true
                    horizontalAlignment: Qt.AlignHCenter
                    Layout.fillWidth: true
                }
                ToolButton {
                    id: doneButton
                    objectName: "settingsDone"
                    text: qsTr("Done")
                    font.capitalization: Font.MixedCase
                    Accessible.name: text
                    Accessible.onPressAction: clicked()
                    onClicked: sheet.dismiss()
                    Layout.rightMargin: 8
                    FocusRing { control: doneButton; ringColor: doneButton.Material.foreground }
                }
            }
        }

        Flickable {
            id: scroller
            objectName: "settingsForm"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            contentHeight: form.implicitHeight
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar { Accessible.ignored: true }

            ColumnLayout {
                id: form
                width: Math.min(scroller.width, 640)
                x: (scroller.width - width) / 2
                spacing: 28

                Item { implicitHeight: 0 }

                FormSection {
                    objectName: "refreshSection"
                    FormButton {
                        id: forceRefreshButton
                        objectName: "forceRefreshButton"
                        text: qsTr("Force Refresh")
                        symbol: "arrow.clockwise"
                        tint: Colors.link
                        onClicked: sheet.forceRefresh()
                    }
                }

                FormSection {
                    objectName: "clearSection"
                    FormButton {
                        objectName: "clearCacheButton"
                        text: qsTr("Clear Cache")
                        symbol: "trash"
                        tint: Colors.destructive
                        onClicked: sheet.showClearCacheAlert = true
                    }
                    RowSeparator {}
                    FormButton {
                        objectName: "clearHistoryButton"
                        text: qsTr("Clear Recently Viewed")
                        symbol: "clock.arrow.circlepath"
                        tint: Colors.destructive
                        onClicked: sheet.showClearHistoryAlert = true
                    }
                    RowSeparator {}
                    FormButton {
                        objectName: "clearFavoritesButton"
                        text: qsTr("Clear Favorites")
                        symbol: "star.slash"
                        tint: Colors.destructive
                        onClicked: sheet.showClearFavoritesAlert = true
                    }
                    RowSeparator {}
                    FormButton {
                        objectName: "markSeenButton"
                        text: qsTr("Mark as Seen")
                        symbol: "checkmark.circle"
                        tint: Colors.link // it removes no data
                        onClicked: sheet.showMarkSeenAlert = true
                    }
                }

                ColumnLayout {
                    spacing: 6
                    Layout.fillWidth: true

                    FormSection {
                        objectName: "aboutSection"

                        RowLayout {
                            objectName: "sourceRow"
                            spacing: 8
                            Layout.fillWidth: true
                            Layout.leftMargin: 16
                            Layout.rightMargin: 8
                            Layout.minimumHeight: 48
                            TextLabel { objectName: "sourceLabel"; text: qsTr("Source") }
                            Item { Layout.fillWidth: true }
                            AbstractButton {
                                id: sourceLink
                                objectName: "sourceLink"
                                text: sheet.appInfo.siteHost
                                padding: 8
                                Accessible.role: Accessible.Link
                                Accessible.name: text
                                Accessible.description: qsTr("Opens %1 in the browser").arg(sheet.appInfo.siteUrl)
                                Accessible.onPressAction: clicked()
                                contentItem: TextLabel {
                                    Accessible.ignored: true
                                    text: sourceLink.text
                                    textFormat: Text.PlainText
                                    color: Colors.link
                                    font.underline: sourceLink.hovered
                                }
                                HoverHandler { cursorShape: Qt.PointingHandCursor }
                                onClicked: sheet.actions.openExternally(sheet.appInfo.siteUrl)
                                FocusRing { control: sourceLink }
                            }
                        }
                        RowSeparator {}
                        RowLayout {
                            objectName: "versionRow"
                            spacing: 8
                            Layout.fillWidth: true
                            Layout.leftMargin: 16
                            Layout.rightMargin: 16
                            Layout.minimumHeight: 48
                            TextLabel { objectName: "versionLabel"; text: qsTr("Version") }
                            Item { Layout.fillWidth: true }
                            TextLabel {
                                objectName: "versionValue"
                                text: sheet.appInfo.version
                                textFormat: Text.PlainText
                                color: Colors.secondary
                            }
                        }
                    }

                    TextLabel {
                        objectName: "aboutFooter"
                        text: qsTr("Free media resources curated by the KAVO community.")
                        font.pixelSize: Appearance.caption
                        color: Colors.secondary
                        wrapMode: Text.Wrap
                        Layout.fillWidth: true
                        Layout.leftMargin: 32
                        Layout.rightMargin: 32
                    }
                }

                Item { implicitHeight: 8 }
            }
        }
    }

    ConfirmationAlert {
        objectName: "clearCacheAlert"
        title: qsTr("Clear Cache")
        message: qsTr("This will remove all cached data.")
        shown: sheet.showClearCacheAlert
        onClosed: sheet.showClearCacheAlert = false
        onConfirmed: sheet.clearCache()
    }

    ConfirmationAlert {
        objectName: "clearHistoryAlert"
        title: qsTr("Clear History")
        message: qsTr("This will remove all recently viewed entries.")
        shown: sheet.showClearHistoryAlert
        onClosed: sheet.showClearHistoryAlert = false
        onConfirmed: sheet.historyService.clearHistory()
    }

    ConfirmationAlert {
        objectName: "clearFavoritesAlert"
        title: qsTr("Clear Favorites")
        message: qsTr("This will remove all favorited entries.")
        shown: sheet.showClearFavoritesAlert
        onClosed: sheet.showClearFavoritesAlert = false
        onConfirmed: sheet.favoritesService.clearFavorites()
    }

    ConfirmationAlert {
        objectName: "markSeenAlert"
        title: qsTr("Mark as Seen")
        message: qsTr("No entry will be marked as new until a download brings new ones.")
        confirmText: qsTr("Mark") // short, beside "Cancel" in an alert 300 px wide, in every language
        shown: sheet.showMarkSeenAlert
        onClosed: sheet.showMarkSeenAlert = false
        onConfirmed: sheet.seenService.markAllSeen()
    }
}
