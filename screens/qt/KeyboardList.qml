// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material

// A list the keyboard can use: arrows, PageUp, PageDown, Home and End move
// the current row, passing over rows that do nothing; the current row takes
// the focus (so assistive technology announces it) and is marked; long
// lists show a scroll bar.
ListView {
    id: list
    // Whether the keyboard stops on `row`; every row unless told otherwise.
    property var stopsAt: row => true
    // Marks the current row also while something opened from it (a menu) has the focus.
    property bool keepMark: false
    // Up from the first row: where the keyboard goes (the search field above the list).
    signal leftAtTop()

    Accessible.role: Accessible.List
    activeFocusOnTab: true
    keyNavigationEnabled: false // moved here, so that rows that do nothing are passed over
    highlightMoveDuration: 0
    highlightResizeDuration: 0
    clip: true
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar { Accessible.ignored: true }
    highlight: Rectangle {
        visible: list.activeFocus || list.keepMark
        color: Material.listHighlightColor
    }

    // A right-click asks the row under the pointer for its menu, when it has
    // one (`showMenu(point)`: entries, history, favourites). Taken here and not
    // in the rows: a row that is a button and holds a handler of the right
    // button gets that button's press and release too, and takes them for a
    // click, which opens its link.
    TapHandler {
        acceptedButtons: Qt.RightButton
        onTapped: (point, button) => {
            const inContent = list.contentItem.mapFromItem(null, point.scenePosition)
            const at = list.indexAt(inContent.x, inContent.y)
            const row = list.itemAtIndex(at)
            if (!row || typeof row.showMenu !== "function") return
            list.currentIndex = at // the row stays marked while its menu is open
            row.showMenu(row.mapFromItem(null, point.scenePosition))
        }
    }

    // The nearest row the keyboard stops at, from `row` in `step`'s direction; -1 when none.
    function stopFrom(row, step) {
        for (let at = Math.max(0, Math.min(count - 1, row)); at >= 0 && at < count; at += step) {
            if (stopsAt(at)) return at
        }
        return -1
    }
    // Makes `row` current and shows it; the first and the last row the
    // keyboard stops at show the very top and bottom of the list (its
    // header, the headers and notes before that row).
    function moveTo(row) {
        if (row < 0) return false
        currentIndex = row
        if (row === stopFrom(0, 1)) positionViewAtBeginning()
        else if (row === stopFrom(count - 1, -1)) positionViewAtEnd()
        else positionViewAtIndex(row, ListView.Contain)
        return true
    }
    // The keyboard on the current row, or on the nearest row it stops at
    // when the current one is not such a row (a header, or the row that took
    // the place of one that went).
    // With no such row, the keyboard goes on to the first control the list
    // holds ("Clear Search", "Refresh").
    function focusCurrentRow() {
        if (currentIndex < 0 || currentIndex >= count || !stopsAt(currentIndex)) {
            const below = stopFrom(Math.max(0, currentIndex), 1)
            if (below >= 0) currentIndex = below
            else currentIndex = stopFrom(count - 1, -1)
        }
        if (currentIndex < 0) {
            const next = nextItemInFocusChain(true)
            for (let inside = next; inside; inside = inside.parent) {
                if (inside === list) return next.forceActiveFocus(Qt.TabFocusReason)
            }
        }
        forceActiveFocus(Qt.OtherFocusReason)
        if (currentItem) currentItem.forceActiveFocus(Qt.OtherFocusReason)
    }
    // Rows in one page of the list, judged by the current row's height.
    function pageRows() {
        const rowHeight = currentItem ? Math.max(1, currentItem.height) : 48
        return Math.max(1, Math.floor(height / rowHeight) - 1)
    }
    function first() { return moveTo(stopFrom(0, 1)) }

    // The current row has the keyboard while the list does, and takes it
    // straight from the row before, so that assistive technology announces
    // each row it moves to (and not the list in between).
    onCurrentItemChanged: if (activeFocus && currentItem) currentItem.forceActiveFocus(Qt.OtherFocusReason)
    // Reached with Tab (or given the keyboard) on a header: on to a row.
    onActiveFocusChanged: {
        if (!activeFocus) return
        if (currentIndex < 0 || !stopsAt(currentIndex)) focusCurrentRow()
        else if (currentItem && !currentItem.activeFocus) currentItem.forceActiveFocus(Qt.OtherFocusReason)
    }

    // New rows (a search): the keyboard starts again at the first row.
    Connections {
        target: list.model
        ignoreUnknownSignals: true
        function onModelReset() {
            if (list.currentIndex < 0) list.first()
        }
    }

    Keys.onUpPressed: {
        if (!moveTo(currentIndex > 0 ? stopFrom(currentIndex - 1, -1) : -1)) leftAtTop()
    }
    Keys.onDownPressed: {
        if (currentIndex + 1 < count) moveTo(stopFrom(currentIndex + 1, 1))
    }
    Keys.onPressed: event => {
        switch (event.key) {
        case Qt.Key_PageUp:
            event.accepted = moveTo(stopFrom(currentIndex - pageRows(), -1)) || moveTo(stopFrom(0, 1))
            break
        case Qt.Key_PageDown:
            event.accepted = moveTo(stopFrom(currentIndex + pageRows(), 1)) || moveTo(stopFrom(count - 1, -1))
            break
        case Qt.Key_Home:
            event.accepted = moveTo(stopFrom(0, 1))
            break
        case Qt.Key_End:
            event.accepted = moveTo(stopFrom(count - 1, -1))
            break
        }
    }
}
