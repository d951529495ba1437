// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material

// A load in progress: a turning busy indicator that assistive technology
// knows as a progress bar named "Loading" (Qt 6.4 exposes the indicator
// itself with no role a screen reader knows).
Item {
    id: mark
    property alias running: indicator.running
    property color color: Material.accentColor
    implicitWidth: 32
    implicitHeight: 32
    visible: running
    Accessible.role: Accessible.ProgressBar
    Accessible.name: qsTr("Loading")
    BusyIndicator {
        id: indicator
        anchors.fill: parent
        Material.accent: mark.color
        Accessible.ignored: true
    }
}
