// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// The settings sheet, raised by the main screen's gear button.
Drawer {
    id: sheet
    property bool shown: false
    signal dismissed()

    edge: Qt.BottomEdge
    width: parent ? parent.width : 400
    height: parent ? parent.height * 0.92 : 700
    onShownChanged: shown ? open() : close()
    onClosed: dismissed()

    ColumnLayout {
        anchors.fill: parent
        spacing: 0
        ToolBar {
            Layout.fillWidth: true
            RowLayout {
                anchors.fill: parent
                Item { Layout.preferredWidth: doneButton.implicitWidth }
                Label {
                    text: "Settings"
                    font.pixelSize: Appearance.headline
                    font.bold: true
                    horizontalAlignment: Qt.AlignHCenter
                    Layout.fillWidth: true
                }
                ToolButton {
                    id: doneButton
                    objectName: "settingsDone"
                    text: "Done"
                    onClicked: sheet.close()
                }
            }
        }
        Item { Layout.fillWidth: true; Layout.fillHeight: true }
    }
}
