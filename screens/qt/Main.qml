// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Kavo

// The one window. The application hands in its three services and the link
// actions; every screen below receives these same instances. The window can
// be made before they exist (its platform window and graphics are then set
// up while the catalogue is still being read); the main screen is made once
// all of them are set.
ApplicationWindow {
    id: window
    property KVDataService dataService
    property KVHistoryService historyService
    property KVFavoritesService favoritesService
    property LinkActions actions
    property AppInfo appInfo
    readonly property bool ready: dataService !== null && historyService !== null && favoritesService !== null
                                  && actions !== null && appInfo !== null

    width: 420
    height: 820
    visible: true
    title: "KAVO"

    onReadyChanged: showMainScreen()
    Component.onCompleted: showMainScreen()
    function showMainScreen() {
        if (!ready || stack.depth > 0) return
        stack.push(mainScreen, {
            "dataService": dataService, "historyService": historyService, "favoritesService": favoritesService,
            "actions": actions, "appInfo": appInfo, "stack": stack
        }, StackView.Immediate)
    }

    Component {
        id: mainScreen
        ContentView {}
    }

    KeyboardShortcuts {
        anchors.fill: parent
        z: 100
        enabled: window.ready
        stack: stack
        dataService: window.dataService
    }

    StackView {
        id: stack
        anchors.fill: parent
    }
}
