// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// The right pane of a wide window while no category is open: quiet, the
// application's symbol and name.
Pane {
    objectName: "placeholder"
    Material.elevation: 0
    ColumnLayout {
        anchors.centerIn: parent
        spacing: 12
        Image {
            source: "qrc:/kavo/icons/app.kavo.Kavo.svg"
            sourceSize.width: 96
            sourceSize.height: 96
            opacity: 0.35
            Layout.alignment: Qt.AlignHCenter
            Accessible.ignored: true
        }
        TextLabel {
            text: "KAVO"
            font.pixelSize: Appearance.largeTitle
            font.bold: true
            color: Material.hintTextColor
            Layout.alignment: Qt.AlignHCenter
        }
    }
}
