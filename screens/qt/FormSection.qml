// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls.Material
import QtQuick.Layouts

// One rounded section of a grouped form; its rows stack inside.
Rectangle {
    default property alias rows: column.data
    Layout.fillWidth: true
    Layout.leftMargin: 16
    Layout.rightMargin: 16
    implicitHeight: column.implicitHeight
    radius: 10
    color: Material.dialogColor
    ColumnLayout {
        id: column
        width: parent.width
        spacing: 0
    }
}
