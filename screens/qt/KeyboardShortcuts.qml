// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import Kavo

// A desktop user's habits: Ctrl+F or "/" to search, F5 or Ctrl+R to refresh,
// Escape to clear the search or go back, Alt+Left, Backspace or the mouse's
// back button to go back. Covers the window; takes only the back button.
MouseArea {
    id: keys
    required property StackView stack
    required property KVDataService dataService

    acceptedButtons: Qt.BackButton
    onClicked: goBack()

    function goBack() {
        if (stack.depth > 1) stack.pop()
    }

    Shortcut {
        enabled: keys.enabled
        sequences: [StandardKey.Find, "/"]
        onActivated: {
            keys.stack.pop(keys.stack.get(0))
            keys.stack.get(0).focusSearch()
        }
    }
    Shortcut {
        enabled: keys.enabled
        sequences: ["F5", "Ctrl+R"]
        onActivated: keys.dataService.refresh()
    }
    Shortcut {
        enabled: keys.enabled
        // Backspace reaches this only outside text fields, which keep it for editing.
        sequences: ["Alt+Left", "Backspace"]
        onActivated: keys.goBack()
    }
    Shortcut {
        enabled: keys.enabled
        // Open sheets, alerts and menus take Escape themselves first.
        sequence: "Escape"
        onActivated: if (!keys.stack.get(0).clearSearch()) keys.goBack()
    }
}
