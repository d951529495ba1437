// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick

// The named colours of category tiles, badges and stars, in the light and
// the dark theme. Everything else takes its colours from the Material theme.
// `dark` is set once by the window, from the theme it starts with.
QtObject {
    property bool dark: false

    readonly property color red: dark ? "#ff453a" : "#ff3b30"
    readonly property color pink: dark ? "#ff375f" : "#ff2d55"
    readonly property color green: dark ? "#30d158" : "#34c759"
    readonly property color purple: dark ? "#bf5af2" : "#af52de"
    readonly property color orange: dark ? "#ff9f0a" : "#ff9500"
    readonly property color yellow: dark ? "#ffd60a" : "#ffcc00"
    readonly property color blue: dark ? "#0a84ff" : "#007aff"
    readonly property color cyan: dark ? "#64d2ff" : "#32ade6"
    readonly property color teal: dark ? "#40c8e0" : "#30b0c7"
    readonly property color indigo: dark ? "#5e5ce6" : "#5856d6"
    readonly property color mint: dark ? "#63e6e2" : "#00c7be"
    readonly property color gray: "#8e8e93"
    // Text that is not the main content: Material's secondary text colour.
    readonly property color secondary: dark ? "#b3ffffff" : "#89000000"
    // A link inside text: blue, light enough on the dark background.
    readonly property color link: dark ? "#4da3ff" : "#0064d2"
    // The count badge: its outline stands out 3:1 from the page in both themes.
    readonly property color badgeFill: dark ? "#3a3a3c" : "#ececf0"
    readonly property color badgeOutline: "#8e8e93"
    // The dimming behind sheets and alerts: darker, in both themes.
    readonly property color dim: dark ? "#99000000" : "#66000000"

    // A colour by the name the screens' rules give ("orange", "secondary", …); gray for an unknown name.
    function named(name) {
        switch (name) {
        case "red": return red
        case "pink": return pink
        case "green": return green
        case "purple": return purple
        case "orange": return orange
        case "yellow": return yellow
        case "blue": return blue
        case "cyan": return cyan
        case "teal": return teal
        case "indigo": return indigo
        case "mint": return mint
        case "secondary": return secondary
        default: return gray
        }
    }
}
