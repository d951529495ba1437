// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Kavo

// An entry's menu: Open, Copy URL, Share, and adding it to the favourites
// or removing it. One for the window, opened for the row it was asked from;
// whether the link is a favourite is read as it opens.
Menu {
    id: menu
    required property LinkActions actions
    property string name
    property string url
    property string badge: "none"
    property bool isFavorite: false
    // The row the menu is open for; it stays marked meanwhile, and has the
    // keyboard back when the menu closes if it had it before.
    property Item row: null
    property bool rowHadFocus: false
    signal shareRequested(string name, string url)

    objectName: "entryMenu"
    title: name
    margins: 8
    // Qt 6.4 gives a menu no accessible name; its content's parent is the
    // popup's own item. The style's scroll indicator is decoration.
    Component.onCompleted: {
        contentItem.parent.Accessible.name = Qt.binding(() => menu.title)
        if (contentItem.ScrollIndicator.vertical) contentItem.ScrollIndicator.vertical.Accessible.ignored = true
    }

    function openFor(item, entryName, entryUrl, entryBadge, byKeyboard) {
        row = item
        rowHadFocus = item.activeFocus
        name = entryName
        url = entryUrl
        badge = entryBadge
        isFavorite = actions.isFavorite(entryUrl)
        if (byKeyboard) {
            popup(item, 20, item.height)
            currentIndex = 0 // the keyboard starts on the first item
        } else {
            popup()
        }
    }
    onClosed: {
        if (rowHadFocus && row) row.forceActiveFocus(Qt.PopupFocusReason)
        row = null
    }

    SymbolMenuItem {
        objectName: "menuOpen"
        text: qsTr("Open")
        symbol: "arrow.up.forward.app"
        onTriggered: menu.actions.openEntry(menu.name, menu.url)
    }
    SymbolMenuItem {
        objectName: "menuCopy"
        text: qsTr("Copy URL")
        symbol: "doc.on.doc"
        onTriggered: menu.actions.copyUrl(menu.url)
    }
    SymbolMenuItem {
        objectName: "menuShare"
        text: qsTr("Share")
        symbol: "square.and.arrow.up"
        onTriggered: menu.shareRequested(menu.name, menu.url)
    }
    MenuSeparator { Accessible.ignored: true }
    SymbolMenuItem {
        objectName: "menuFavorite"
        text: menu.isFavorite ? qsTr("Remove from Favorites") : qsTr("Add to Favorites")
        symbol: menu.isFavorite ? "star.slash" : "star"
        onTriggered: menu.actions.toggleFavorite(menu.name, menu.url, menu.badge)
    }
}
