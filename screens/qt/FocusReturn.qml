// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// Where the keyboard goes back to when a sheet or an alert closes: the item
// that had it when it opened, with its focus ring when it showed one then
// (it was reached with the keyboard).
QtObject {
    property Item item: null
    property bool ring: false

    function remember(window) {
        item = window ? window.activeFocusItem : null
        ring = item !== null && item.visualFocus === true
    }
    function restore() {
        if (!item) return
        const reason = ring ? Qt.TabFocusReason : Qt.OtherFocusReason
        item.forceActiveFocus(reason)
        // A popup gives the keyboard back by itself as it closes, for a
        // reason that shows no ring: the control is told how it came.
        if (item.focusReason !== undefined) item.focusReason = reason
        item = null
    }
}
