// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Kavo

// An entry's menu: Open, Copy URL, Share, and adding it to the favourites
// or removing it. One for the window, opened for the row it was asked from;
// whether the link is a favourite is read as it opens.
FittedMenu {
    id: menu
    required property LinkActions actions
    property string name
    property string url
    property string badge: "none"
    property bool isFavorite: false
    // The row the menu is open for; it stays marked meanwhile, and has the
    // keyboard back when the menu closes if it had it before. When the row
    // went meanwhile (a favourite removed where it was listed), its list
    // hands the keyboard to the row that took its place.
    property Item row: null
    property KeyboardList rowList: null
    property bool rowHadFocus: false
    // "Share" raises its sheet once the menu has closed and the row has the
    // keyboard back, so the sheet hands it back to the row in its turn.
    property bool shareOnClose: false
    signal shareRequested(string name, string url)

    objectName: "entryMenu"
    title: name
    texts: [qsTr("Open"), qsTr("Copy URL"), qsTr("Share"), favoriteText]
    readonly property string favoriteText: isFavorite ? qsTr("Remove from Favorites") : qsTr("Add to Favorites")

    // Opens for `item`, a row of a KeyboardList: under it for the keyboard
    // (`pointer` null), else beside the pointer, at `pointer` in the row.
    function openFor(item, entryName, entryUrl, entryBadge, pointer) {
        row = item
        rowList = item.ListView.view
        rowHadFocus = item.activeFocus
        name = entryName
        url = entryUrl
        badge = entryBadge
        isFavorite = actions.isFavorite(entryUrl)
        if (pointer) {
            openAt(item, pointer.x, pointer.y, true)
        } else {
            openAt(item, 20, item.height, false)
            currentIndex = 0 // the keyboard starts on the first item
        }
    }
    onClosed: {
        if (rowHadFocus) {
            if (row && row.ListView.view === rowList) row.forceActiveFocus(Qt.PopupFocusReason)
            else if (rowList) rowList.focusCurrentRow()
        }
        row = null
        rowList = null
        if (shareOnClose) {
            shareOnClose = false
            shareRequested(name, url)
        }
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
        onTriggered: menu.shareOnClose = true
    }
    MenuSeparator { Accessible.ignored: true }
    SymbolMenuItem {
        objectName: "menuFavorite"
        text: menu.favoriteText
        symbol: menu.isFavorite ? "star.slash" : "star"
        onTriggered: menu.actions.toggleFavorite(menu.name, menu.url, menu.badge)
    }
}
