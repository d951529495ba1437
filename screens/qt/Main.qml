// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Kavo

// The one window. The application hands in its three services and the link
// actions; every screen below receives these same instances.
ApplicationWindow {
    id: window
    required property KVDataService dataService
    required property KVHistoryService historyService
    required property KVFavoritesService favoritesService
    required property LinkActions actions
    required property AppInfo appInfo

    width: 420
    height: 820
    visible: true
    title: "KAVO"

    KeyboardShortcuts {
        anchors.fill: parent
        z: 100
        stack: stack
        dataService: window.dataService
    }

    StackView {
        id: stack
        anchors.fill: parent
        initialItem: ContentView {
            dataService: window.dataService
            historyService: window.historyService
            favoritesService: window.favoritesService
            actions: window.actions
            appInfo: window.appInfo
            stack: stack
        }
    }
}
