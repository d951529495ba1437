// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls

// A menu of the window's own: as wide as its longest text (never wider than
// the window) and kept inside it. It stays a child of the window's overlay
// whatever it is opened from: the rows it serves are a list's delegates and
// may be destroyed while the menu lives on, and a menu whose parent is gone
// can open nowhere again.
Menu {
    id: menu
    // The texts its items show; the widest decides the menu's width.
    property var texts: []
    // The window's width: the menu is never wider.
    property real windowWidth: 400
    // What assistive technology calls the menu.
    property string accessibleName: title

    parent: Overlay.overlay
    margins: 8
    // Symbol, spacing and paddings beside the widest text.
    width: Math.min(windowWidth - 2 * margins,
                    Math.max(200, 88 + Math.max(...texts.map(text => metrics.advanceWidth(text)))))

    FontMetrics { id: metrics; font: menu.font }

    // Qt 6.4 gives a menu no accessible name; its content's parent is the
    // popup's own item. The style's scroll indicator is decoration.
    Component.onCompleted: {
        contentItem.parent.Accessible.name = Qt.binding(() => menu.accessibleName)
        if (contentItem.ScrollIndicator.vertical) contentItem.ScrollIndicator.vertical.Accessible.ignored = true
    }

    // Opens at (`x`, `y`) of `item`. Opened from the pointer, the menu's
    // corner is one pixel off it: the release of the click that opened it
    // then falls outside the menu, and a menu takes a release over one of
    // its items as choosing that item.
    function openAt(item, x, y, fromPointer) {
        const at = item.mapToItem(parent, x + (fromPointer ? 1 : 0), y + (fromPointer ? 1 : 0))
        popup(at.x, at.y)
    }
}
