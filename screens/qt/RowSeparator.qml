// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls.Material
import QtQuick.Layouts

// The line between two rows of a form section.
Rectangle {
    Layout.fillWidth: true
    Layout.leftMargin: 16
    implicitHeight: 1
    color: Material.dividerColor
    Accessible.ignored: true
}
