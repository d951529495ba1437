// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// The settings sheet, raised by the main screen's gear button: a refresh that
// closes the sheet, three clear actions behind a confirmation each, and where
// the project lives and which version this is. Everything it changes goes
// through the shared services, except the cache file, which it deletes itself.
Drawer {
    id: sheet
    required property KVDataService dataService
    required property KVHistoryService historyService
    required property KVFavoritesService favoritesService
    required property LinkActions actions
    required property AppInfo appInfo
    property bool shown: false
    // True while the matching confirmation is up; reset when it goes away,
    // whichever of its buttons was chosen.
    property bool showClearCacheAlert: false
    property bool showClearHistoryAlert: false
    property bool showClearFavoritesAlert: false
    readonly property bool dark: Material.theme === Material.Dark
    readonly property color secondary: Appearance.named("secondary", dark)
    readonly property color destructive: Appearance.named("red", dark)
    readonly property color link: Appearance.named("blue", dark)
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

    edge: Qt.BottomEdge
    dragMargin: 0 // opened by the gear button, never by a drag from the edge
    focus: true
    width: parent ? parent.width : 400
    height: parent ? parent.height * 0.92 : 700
    onShownChanged: shown ? open() : close()
    Component.onCompleted: if (shown) open() // made on demand: asked for already
    onClosed: {
        showClearCacheAlert = false
        showClearHistoryAlert = false
        showClearFavoritesAlert = false
        dismissed()
    }

    background: Rectangle { color: Appearance.groupedBackground(sheet.dark) }

    // A frame around the control that has the keyboard focus.
    component FocusFrame: Rectangle {
        required property Item control
        property color tint: control.Material.accentColor
        anchors.fill: parent
        visible: control.visualFocus
        color: "transparent"
        radius: 6
        border.width: 2
        border.color: tint
    }

    // One rounded section of the form; its rows stack inside.
    component FormSection: Rectangle {
        default property alias rows: column.data
        required property bool dark
        Layout.fillWidth: true
        Layout.leftMargin: 16
        Layout.rightMargin: 16
        implicitHeight: column.implicitHeight
        radius: 10
        color: Appearance.groupedCell(dark)
        ColumnLayout {
            id: column
            width: parent.width
            spacing: 0
        }
    }

    component RowSeparator: Rectangle {
        required property bool dark
        Layout.fillWidth: true
        Layout.leftMargin: 16
        implicitHeight: 1
        color: Appearance.separator(dark)
    }

    // A button of the form: its symbol and label, in one colour.
    component FormButton: ItemDelegate {
        id: formButton
        required property string symbol
        required property color tint
        Layout.fillWidth: true
        focusPolicy: Qt.StrongFocus // reached with Tab, unlike a list's delegate
        Accessible.name: text
        contentItem: RowLayout {
            spacing: 12
            Symbol {
                name: formButton.symbol
                color: formButton.tint
                Layout.preferredWidth: 24
            }
            Label {
                text: formButton.text
                color: formButton.tint
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
        FocusFrame { control: formButton }
    }

    // A confirmation: "Cancel" closes it and does nothing else; "Clear"
    // closes it and runs the action.
    component ConfirmationAlert: Dialog {
        id: alert
        property bool shown: false
        property string message
        signal confirmed()

        parent: Overlay.overlay
        anchors.centerIn: parent
        width: 300 // fixed, like an alert; bound to the overlay's width it loops on the wrapped message
        modal: true
        focus: true
        onShownChanged: shown ? open() : close()

        Label {
            objectName: alert.objectName + "Message"
            width: alert.availableWidth
            text: alert.message
            wrapMode: Text.Wrap
        }

        footer: DialogButtonBox {
            Button {
                id: cancelButton
                objectName: alert.objectName + "Cancel"
                text: "Cancel"
                flat: true
                font.capitalization: Font.MixedCase
                Accessible.name: text
                DialogButtonBox.buttonRole: DialogButtonBox.RejectRole
                FocusFrame { control: cancelButton }
            }
            Button {
                id: clearButton
                objectName: alert.objectName + "Clear"
                text: "Clear"
                flat: true
                font.capitalization: Font.MixedCase
                Accessible.name: text
                Material.foreground: Material.Red
                DialogButtonBox.buttonRole: DialogButtonBox.DestructiveRole
                FocusFrame { control: clearButton }
            }
            // A destructive button leaves the dialog open by itself.
            onDiscarded: {
                alert.close()
                alert.confirmed()
            }
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        ToolBar {
            Material.elevation: 0 // flat, as on the main screen
            Layout.fillWidth: true
            RowLayout {
                anchors.fill: parent
                Item { Layout.preferredWidth: doneButton.implicitWidth }
                Label {
                    objectName: "settingsTitle"
                    text: "Settings"
                    font.pixelSize: Appearance.headline
                    font.bold: true
                    horizontalAlignment: Qt.AlignHCenter
                    Layout.fillWidth: true
                }
                ToolButton {
                    id: doneButton
                    objectName: "settingsDone"
                    text: "Done"
                    font.capitalization: Font.MixedCase
                    Accessible.name: text
                    onClicked: sheet.dismiss()
                    FocusFrame { control: doneButton; tint: doneButton.Material.foreground }
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
            ScrollIndicator.vertical: ScrollIndicator {}

            ColumnLayout {
                id: form
                width: scroller.width
                spacing: 28

                Item { implicitHeight: 0 }

                FormSection {
                    objectName: "refreshSection"
                    dark: sheet.dark
                    FormButton {
                        objectName: "forceRefreshButton"
                        text: "Force Refresh"
                        symbol: "arrow.clockwise"
                        tint: sheet.link
                        onClicked: sheet.forceRefresh()
                    }
                }

                FormSection {
                    objectName: "clearSection"
                    dark: sheet.dark
                    FormButton {
                        objectName: "clearCacheButton"
                        text: "Clear Cache"
                        symbol: "trash"
                        tint: sheet.destructive
                        onClicked: sheet.showClearCacheAlert = true
                    }
                    RowSeparator { dark: sheet.dark }
                    FormButton {
                        objectName: "clearHistoryButton"
                        text: "Clear Recently Viewed"
                        symbol: "clock.arrow.circlepath"
                        tint: sheet.destructive
                        onClicked: sheet.showClearHistoryAlert = true
                    }
                    RowSeparator { dark: sheet.dark }
                    FormButton {
                        objectName: "clearFavoritesButton"
                        text: "Clear Favorites"
                        symbol: "star.slash"
                        tint: sheet.destructive
                        onClicked: sheet.showClearFavoritesAlert = true
                    }
                }

                ColumnLayout {
                    spacing: 6
                    Layout.fillWidth: true

                    FormSection {
                        objectName: "aboutSection"
                        dark: sheet.dark

                        RowLayout {
                            objectName: "sourceRow"
                            spacing: 8
                            Layout.fillWidth: true
                            Layout.leftMargin: 16
                            Layout.rightMargin: 8
                            Layout.minimumHeight: 48
                            Label { objectName: "sourceLabel"; text: "Source" }
                            Item { Layout.fillWidth: true }
                            AbstractButton {
                                id: sourceLink
                                objectName: "sourceLink"
                                text: sheet.appInfo.siteHost
                                padding: 8
                                Accessible.role: Accessible.Link
                                Accessible.name: text
                                Accessible.description: "Opens " + sheet.appInfo.siteUrl + " in the browser"
                                contentItem: Label {
                                    text: sourceLink.text
                                    color: sheet.link
                                    font.underline: sourceLink.hovered
                                }
                                HoverHandler { cursorShape: Qt.PointingHandCursor }
                                onClicked: sheet.actions.openExternally(sheet.appInfo.siteUrl)
                                FocusFrame { control: sourceLink }
                            }
                        }
                        RowSeparator { dark: sheet.dark }
                        RowLayout {
                            objectName: "versionRow"
                            spacing: 8
                            Layout.fillWidth: true
                            Layout.leftMargin: 16
                            Layout.rightMargin: 16
                            Layout.minimumHeight: 48
                            Accessible.role: Accessible.StaticText
                            Accessible.name: "Version " + sheet.appInfo.version
                            Label { objectName: "versionLabel"; text: "Version" }
                            Item { Layout.fillWidth: true }
                            Label {
                                objectName: "versionValue"
                                text: sheet.appInfo.version
                                color: sheet.secondary
                            }
                        }
                    }

                    Label {
                        objectName: "aboutFooter"
                        text: "Free media resources curated by the KAVO community."
                        font.pixelSize: Appearance.caption
                        color: sheet.secondary
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
        title: "Clear Cache"
        message: "This will remove all cached data."
        Material.theme: sheet.Material.theme
        shown: sheet.showClearCacheAlert
        onClosed: sheet.showClearCacheAlert = false
        onConfirmed: sheet.clearCache()
    }

    ConfirmationAlert {
        objectName: "clearHistoryAlert"
        title: "Clear History"
        message: "This will remove all recently viewed entries."
        Material.theme: sheet.Material.theme
        shown: sheet.showClearHistoryAlert
        onClosed: sheet.showClearHistoryAlert = false
        onConfirmed: sheet.historyService.clearHistory()
    }

    ConfirmationAlert {
        objectName: "clearFavoritesAlert"
        title: "Clear Favorites"
        message: "This will remove all favorited entries."
        Material.theme: sheet.Material.theme
        shown: sheet.showClearFavoritesAlert
        onClosed: sheet.showClearFavoritesAlert = false
        onConfirmed: sheet.favoritesService.clearFavorites()
    }
}
