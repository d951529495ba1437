// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick

// The named colours of category tiles, badges, stars and the texts that are
// not the main content, in the light and the dark theme, each chosen for its
// contrast. Everything else takes its colours from the Material theme.
// `dark` is set once by the window, from the theme it starts with.
QtObject {
    property bool dark: false

    // Symbols and badges on the page, by name: at least 3:1 against the
    // page and a marked row in either theme.
    readonly property color red: dark ? "#ff6961" : "#d70015"
    readonly property color pink: dark ? "#ff6482" : "#d30f45"
    readonly property color green: dark ? "#30d158" : "#248a3d"
    readonly property color purple: dark ? "#da8fff" : "#8944ab"
    readonly property color orange: dark ? "#ff9f0a" : "#b25000"
    readonly property color yellow: dark ? "#ffd60a" : "#946f00"
    readonly property color blue: dark ? "#409cff" : "#0040dd"
    readonly property color cyan: dark ? "#70d7ff" : "#0071a4"
    readonly property color teal: dark ? "#5de6ff" : "#008299"
    readonly property color indigo: dark ? "#9e9bff" : "#3634a3"
    readonly property color mint: dark ? "#66d4cf" : "#0c817b"
    readonly property color gray: dark ? "#aeaeb2" : "#6c6c70"
    // Text, at least 4.5:1 against the page, a marked row, a form and a
    // dialog in either theme: what is not the main content (and the search
    // field's placeholder), a link inside text, an action that removes.
    readonly property color secondary: dark ? "#b3ffffff" : "#616161"
    readonly property color link: dark ? "#82bcff" : "#005bbf"
    readonly property color destructive: dark ? "#ff9a94" : "#d70015"
    // The count badge: its outline stands out 3:1 from the page in both themes.
    readonly property color badgeFill: dark ? "#3a3a3c" : "#ececf0"
    readonly property color badgeOutline: "#8e8e93"
    // The "New" tag: its fill stands out at least 4.5:1 from the page, and
    // its text from the fill, in both themes.
    readonly property color newFill: dark ? "#7d7aff" : "#3634a3"
    readonly property color newText: dark ? "#000000" : "#ffffff"
    // The dimming behind sheets and alerts: darker, in both themes.
    readonly property color dim: dark ? "#99000000" : "#66000000"

    // A category tile's colour by name: deep enough in either theme for its
    // white symbol to stand out at least 3:1.
    function tile(name) {
        switch (name) {
        case "red": return "#d70015"
        case "pink": return "#d30f45"
        case "green": return "#248a3d"
        case "purple": return "#8944ab"
        case "orange": return "#c93400"
        case "yellow": return "#b25000"
        case "blue": return "#0040dd"
        case "cyan": return "#0071a4"
        case "teal": return "#008299"
        case "indigo": return "#3634a3"
        case "mint": return "#0c817b"
        default: return "#6c6c70"
        }
    }

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
