// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The Menu key and Shift+F10 open a row's menu. Which key it is is decided
// as the key goes down, so Shift may come up before or after F10; the menu
// opens as the key comes up, since a menu opened on the way down takes the
// release as its own and closes.
QtObject {
    signal triggered()
    property int held: 0

    // For a row's Keys.onPressed; true when the key is the menu's.
    function pressed(event) {
        if (event.key !== Qt.Key_Menu && !(event.key === Qt.Key_F10 && (event.modifiers & Qt.ShiftModifier))) return false
        held = event.key
        return true
    }
    // For a row's Keys.onReleased; true when the key was the menu's. A
    // held key repeats as releases and presses: only the last release counts.
    function released(event) {
        if (held === 0 || event.key !== held) return false
        if (!event.isAutoRepeat) {
            held = 0
            triggered()
        }
        return true
    }
}
