// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Kavo

// The entry menu, the related-links menu and the share sheet, one of each
// for all rows, each made the first time it is asked for: a start makes none.
Item {
    id: popups
    required property LinkActions actions
    // The window's width: no menu is wider.
    property real windowWidth: 400
    readonly property EntryMenu entryMenu: entryLoader.item
    readonly property RelatedLinksMenu relatedMenu: relatedLoader.item
    readonly property ShareSheet shareSheet: shareLoader.item
    // The row whose entry menu is open: its list keeps it marked meanwhile.
    readonly property Item markedRow: entryMenu && entryMenu.opened ? entryMenu.row : null

    objectName: "popups"

    // For the keyboard `pointer` is null; for a click or a long press, where it was in `row`.
    function showEntryMenu(row, name, url, badge, pointer) {
        entryLoader.active = true
        entryMenu.openFor(row, name, url, badge, pointer)
    }
    function showRelatedLinks(item, name, url, names, urls, byKeyboard) {
        relatedLoader.active = true
        relatedMenu.openFor(item, name, url, names, urls, byKeyboard)
    }
    function share(name, url) {
        shareLoader.active = true
        shareSheet.present(name, url)
    }

    Loader {
        id: entryLoader
        active: false
        sourceComponent: EntryMenu {
            actions: popups.actions
            windowWidth: popups.windowWidth
            onShareRequested: (name, url) => popups.share(name, url)
        }
    }
    Loader {
        id: relatedLoader
        active: false
        sourceComponent: RelatedLinksMenu {
            actions: popups.actions
            windowWidth: popups.windowWidth
        }
    }
    Loader {
        id: shareLoader
        active: false
        sourceComponent: ShareSheet { actions: popups.actions }
    }
}
