// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// Nothing to show yet, and the catalogue is on its way.
RowLayout {
    required property int index
    objectName: "loadingRow"
    width: ListView.view.width
    height: Math.max(60, implicitHeight)
    spacing: 12
    Item { Layout.fillWidth: true }
    BusyMark { running: true }
    TextLabel {
        text: qsTr("Loading KAVO…")
        font.pixelSize: Appearance.subheadline
        color: Colors.secondary
    }
    Item { Layout.fillWidth: true }
}
