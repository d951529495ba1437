// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls

// A desktop user's habits: the system's keys to find (and "/"), refresh
// (and F5, Ctrl+R), go back (and Alt+Left, Backspace outside text fields,
// the mouse's back button) and quit; Escape. Covers the window; takes only
// the mouse's back button. Open sheets, alerts and menus take their keys first.
// Where the system's keys and ours are the same keys, Qt calls the shortcut
// ambiguous: that is the same request.
MouseArea {
    id: keys
    signal findRequested()
    signal refreshRequested()
    signal backRequested()
    signal escapeRequested()

    acceptedButtons: Qt.BackButton
    onClicked: backRequested()

    Shortcut {
        enabled: keys.enabled
        sequences: [StandardKey.Find, "/"]
        onActivated: keys.findRequested()
        onActivatedAmbiguously: keys.findRequested()
    }
    Shortcut {
        enabled: keys.enabled
        sequences: [StandardKey.Refresh, "F5", "Ctrl+R"]
        onActivated: keys.refreshRequested()
        onActivatedAmbiguously: keys.refreshRequested()
    }
    Shortcut {
        enabled: keys.enabled
        // Backspace reaches this only outside text fields, which keep it for editing.
        sequences: [StandardKey.Back, "Alt+Left", "Backspace"]
        onActivated: keys.backRequested()
        onActivatedAmbiguously: keys.backRequested()
    }
    Shortcut {
        enabled: keys.enabled
        sequence: "Escape"
        onActivated: keys.escapeRequested()
    }
    Shortcut {
        enabled: keys.enabled
        sequences: [StandardKey.Quit, "Ctrl+Q"]
        onActivated: Qt.quit()
        onActivatedAmbiguously: Qt.quit()
    }
}
