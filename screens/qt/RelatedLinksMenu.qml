// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Kavo

// An entry's further links: the entry itself first (by its own name), then
// each related link by its name. Opening any of them records it first.
FittedMenu {
    id: menu
    required property LinkActions actions
    property string name
    property string url
    property var names: []
    property var urls: []

    objectName: "relatedMenu"
    title: name
    texts: [name].concat(names)
    accessibleName: qsTr("Links of %1").arg(menu.name)
    // The row it was opened from has the keyboard back when it closes, if it had it before.
    property Item returnFocusTo: null
    onClosed: {
        if (returnFocusTo) returnFocusTo.forceActiveFocus(Qt.PopupFocusReason)
        returnFocusTo = null
    }

    function openFor(item, entryName, entryUrl, relatedNames, relatedUrls, byKeyboard) {
        returnFocusTo = byKeyboard ? item : null
        name = entryName
        url = entryUrl
        names = relatedNames
        urls = relatedUrls
        openAt(item, 0, item.height, false)
        if (byKeyboard) currentIndex = 0
    }

    SymbolMenuItem {
        text: menu.name
        symbol: "arrow.up.forward.app"
        onTriggered: menu.actions.openEntry(menu.name, menu.url)
    }
    Repeater {
        model: menu.names
        delegate: SymbolMenuItem {
            required property int index
            required property string modelData
            text: modelData
            onTriggered: menu.actions.openEntry(modelData, menu.urls[index])
        }
    }
}
