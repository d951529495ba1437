// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Kavo

// The one window. The application hands in its four services and the link
// actions; every screen below receives these same instances. The window can
// be made before they exist (its platform window and graphics are then set
// up while the catalogue is still being read); its content is made once all
// of them are set.
ApplicationWindow {
    id: window
    property KVDataService dataService
    property KVHistoryService historyService
    property KVFavoritesService favoritesService
    property KVSeenService seenService
    property LinkActions actions
    property AppInfo appInfo
    readonly property bool ready: dataService !== null && historyService !== null && favoritesService !== null
                                  && seenService !== null && actions !== null && appInfo !== null

    width: 420
    height: 820
    // Nothing clips or overlaps at this size.
    minimumWidth: 320
    minimumHeight: 400
    visible: true
    //: The window's title while a page is previewed: the file's name.
    title: dataService && dataService.preview ? qsTr("%1 (preview) – KAVO").arg(dataService.preview.fileName) : "KAVO"
    Material.accent: Material.Indigo

    Loader {
        objectName: "content"
        anchors.fill: parent
        active: window.ready
        focus: true
        // A loaded item has the keyboard only when it asks for it, as the Loader does.
        sourceComponent: AppView {
            focus: true
            dataService: window.dataService
            historyService: window.historyService
            favoritesService: window.favoritesService
            seenService: window.seenService
            actions: window.actions
            appInfo: window.appInfo
        }
    }
}
