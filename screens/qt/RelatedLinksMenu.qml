// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Kavo

// An entry's further links: the entry itself first (by its own name), then
// each related link by its name. Opening any of them records it first.
// Wide enough for its names, but never wider than the window, and kept
// inside it.
Menu {
    id: menu
    required property LinkActions actions
    property string name
    property string url
    property var names: []
    property var urls: []
    // The window's width: the menu is never wider.
    property real windowWidth: 400

    objectName: "relatedMenu"
    title: name
    margins: 8
    // Qt 6.4 gives a menu no accessible name; its content's parent is the
    // popup's own item. The style's scroll indicator is decoration.
    Component.onCompleted: {
        contentItem.parent.Accessible.name = Qt.binding(() => qsTr("Links of %1").arg(menu.name))
        if (contentItem.ScrollIndicator.vertical) contentItem.ScrollIndicator.vertical.Accessible.ignored = true
    }
    // Symbol, spacing and paddings beside the widest name.
    width: Math.min(windowWidth - 2 * margins,
                    Math.max(200, 88 + Math.max(...[menu.name].concat(menu.names).map(text => metrics.advanceWidth(text)))))

    FontMetrics { id: metrics; font: menu.font }

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
        popup(item, 0, item.height)
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
