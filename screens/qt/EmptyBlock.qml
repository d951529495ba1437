// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// An empty catalogue and no search: a way to download it.
ColumnLayout {
    id: block
    required property int index
    signal refreshRequested()
    objectName: "emptyBlock"

    width: ListView.view.width
    spacing: 16
    Item { implicitHeight: 24 }
    Symbol { name: "arrow.clockwise"; size: 36; color: Colors.secondary; Layout.alignment: Qt.AlignHCenter }
    TextLabel {
        text: qsTr("No content loaded")
        font.pixelSize: Appearance.headline
        font.bold: true
        Layout.alignment: Qt.AlignHCenter
    }
    TextLabel {
        text: qsTr("Tap refresh to download content")
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
        font.pixelSize: Appearance.subheadline
        color: Colors.secondary
        Layout.fillWidth: true
        Layout.leftMargin: 16
        Layout.rightMargin: 16
    }
    Button {
        id: refresh
        objectName: "emptyRefreshButton"
        text: qsTr("Refresh")
        font.capitalization: Font.MixedCase
        Accessible.name: text
        Accessible.onPressAction: clicked()
        Layout.alignment: Qt.AlignHCenter
        onClicked: block.refreshRequested()
        FocusRing { control: refresh }
    }
    Item { implicitHeight: 24 }
}
