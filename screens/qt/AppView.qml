// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Kavo

// Everything the window shows. A narrow window shows the main list, and an
// open category over it with a back button; from about 720 px the two stand
// side by side, the list in a column of 360 px. Both layouts draw the one
// navigation state, so a resize keeps what is open, the search and the
// places in the lists. The menus and the share sheet are shared by all rows.
FocusScope {
    id: root
    required property KVDataService dataService
    required property KVHistoryService historyService
    required property KVFavoritesService favoritesService
    required property KVSeenService seenService
    required property LinkActions actions
    required property AppInfo appInfo

    readonly property bool wide: width >= 720
    readonly property int sideWidth: 360
    // The open category is drawn over the list (narrow) while this is true.
    readonly property bool covered: !wide && navigator.isOpen && !slide.running

    Binding { target: Colors; property: "dark"; value: root.Material.theme === Material.Dark }

    MainListModel {
        id: mainModel
        objectName: "mainModel"
        dataService: root.dataService
        historyService: root.historyService
        favoritesService: root.favoritesService
        seenService: root.seenService
    }
    Navigator {
        id: navigator
        objectName: "navigator"
        mainModel: mainModel
    }

    // The category's screen, made the first time one opens.
    readonly property CategoryDetailView detailPage: detailLoader.item
    property bool detailWanted: false
    Connections {
        target: navigator
        function onOpenChanged() { if (navigator.isOpen) root.detailWanted = true }
    }

    // The keyboard follows a category chosen with it; a tap leaves it on the list in a wide window.
    function openCategory(row, byKeyboard) {
        navigator.open(row)
        if (!navigator.isOpen) return
        if (!wide || byKeyboard) detailPage.focusFirstEntry()
    }
    // Back: a narrow window closes the category; a wide one hands the keyboard back to the list.
    function back() {
        if (!wide) navigator.close()
        mainPage.focusList()
    }
    function focusSearch() {
        if (!wide) navigator.close()
        mainPage.focusSearch()
    }
    // Escape: back from a category, else the search is cleared.
    function escapePressed() {
        if ((detailPage && detailPage.activeFocus) || (!wide && navigator.isOpen)) back()
        else mainPage.clearSearch()
    }

    ContentView {
        id: mainPage
        objectName: "mainPage"
        width: root.wide ? root.sideWidth : root.width
        height: root.height
        // Covered by a category, the list is not drawn, not reached and not
        // announced (assistive technology reads a transparent item's rows as
        // showing).
        visible: !root.covered
        focus: true
        dataService: root.dataService
        historyService: root.historyService
        favoritesService: root.favoritesService
        seenService: root.seenService
        actions: root.actions
        appInfo: root.appInfo
        model: mainModel
        navigator: navigator
        popups: sharedPopups
        onCategoryChosen: (row, byKeyboard) => root.openCategory(row, byKeyboard)
    }

    Rectangle {
        visible: root.wide
        x: root.sideWidth
        width: 1
        height: root.height
        color: Material.dividerColor
    }

    Item {
        id: rightPane
        x: root.wide ? root.sideWidth + 1 : (navigator.isOpen ? 0 : root.width)
        width: root.wide ? root.width - root.sideWidth - 1 : root.width
        height: root.height
        visible: root.wide || navigator.isOpen || slide.running
        Behavior on x {
            enabled: !root.wide
            NumberAnimation { id: slide; duration: 180; easing.type: Easing.OutCubic }
        }

        Loader {
            anchors.fill: parent
            active: root.wide && !navigator.isOpen
            sourceComponent: Placeholder {}
        }
        Loader {
            id: detailLoader
            anchors.fill: parent
            active: root.detailWanted
            visible: navigator.isOpen
            sourceComponent: CategoryDetailView {
                model: navigator.detail
                actions: root.actions
                popups: sharedPopups
                showsBack: !root.wide
                onBackRequested: root.back()
                Keys.onLeftPressed: event => {
                    if (root.wide) root.back()
                    else event.accepted = false
                }
            }
        }
    }

    Popups {
        id: sharedPopups
        actions: root.actions
        windowWidth: root.width
    }

    KeyboardShortcuts {
        anchors.fill: parent
        z: 100
        onFindRequested: root.focusSearch()
        onRefreshRequested: root.dataService.refresh()
        onBackRequested: root.back()
        onEscapeRequested: root.escapePressed()
    }
}
