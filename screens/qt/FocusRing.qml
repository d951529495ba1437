// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls.Material

// A 2 px ring around the control that has the keyboard's focus. Its colour
// stands out at least 3:1 from what is behind it: the accent on the page,
// the bar's own text colour on a tool bar (pass `ringColor`).
Rectangle {
    id: ring
    required property Item control
    property bool shown: control.visualFocus === true
    property color ringColor: control.Material.accentColor

    anchors.fill: parent
    anchors.margins: 1
    z: 10
    visible: shown
    color: "transparent"
    radius: 6
    border.width: 2
    border.color: ringColor
}
