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

    // The nearest row the keyboard stops at, from `row` in `step`'s direction; -1 when none.
    function stopFrom(row, step) {
        for (let at = Math.max(0, Math.min(count - 1, row)); at >= 0 && at < count; at += step) {
            if (stopsAt(at)) return at
        }
        return -1
    }
    function moveTo(row) {
        if (row < 0) return false
        currentIndex = row
        positionViewAtIndex(row, ListView.Contain)
        return true
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
    onActiveFocusChanged: {
        if (activeFocus && currentItem && !currentItem.activeFocus) currentItem.forceActiveFocus(Qt.OtherFocusReason)
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
