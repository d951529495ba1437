// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick

// Text styles and named colours in one place, so every screen draws them alike.
QtObject {
    readonly property int body: 16
    readonly property int headline: 17
    readonly property int subheadline: 14
    readonly property int caption: 12
    readonly property int largeTitle: 28

    // The named colours of category tiles and icons.
    readonly property var palette: ({
        "red": "#ff3b30", "pink": "#ff2d55", "green": "#34c759", "purple": "#af52de",
        "orange": "#ff9500", "yellow": "#ffcc00", "blue": "#007aff", "cyan": "#32ade6",
        "teal": "#30b0c7", "indigo": "#5856d6", "mint": "#00c7be", "gray": "#8e8e93",
        "white": "#ffffff"
    })

    // "secondary" and "primary" follow the light or dark theme.
    function named(name, dark) {
        if (name === "secondary") return dark ? "#98989f" : "#6c6c70";
        if (name === "primary") return dark ? "#ffffff" : "#000000";
        return palette[name] !== undefined ? palette[name] : palette["gray"];
    }

    function fill(dark) {
        return dark ? "#2c2c2e" : "#e9e9ee";
    }

    // A grouped form: the sheet behind, the rounded sections on it.
    function groupedBackground(dark) {
        return dark ? "#000000" : "#f2f2f7";
    }

    function groupedCell(dark) {
        return dark ? "#1c1c1e" : "#ffffff";
    }

    function separator(dark) {
        return dark ? "#38383a" : "#c6c6c8";
    }
}
