// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// A button of a form or a sheet: its symbol and label, in one colour; a
// long label wraps rather than being cut. No hover mark: a mark left by the
// pointer would outlast the alert the button raises. A button to assistive
// technology (an item delegate would be a list item).
AbstractButton {
    id: button
    required property string symbol
    required property color tint
    Layout.fillWidth: true
    implicitWidth: contentItem.implicitWidth + leftPadding + rightPadding
    implicitHeight: Math.max(48, contentItem.implicitHeight + topPadding + bottomPadding)
    leftPadding: 16
    rightPadding: 16
    topPadding: 8
    bottomPadding: 8
    focusPolicy: Qt.StrongFocus
    hoverEnabled: false
    Accessible.name: text
    Accessible.onPressAction: clicked()
    background: Rectangle {
        radius: 10
        color: button.down ? button.Material.listHighlightColor : "transparent"
    }
    contentItem: RowLayout {
        spacing: 12
        Symbol {
            name: button.symbol
            color: button.tint
            Layout.preferredWidth: 24
        }
        TextLabel {
            text: button.text
            Accessible.ignored: true
            color: button.tint
            wrapMode: Text.Wrap
            Layout.fillWidth: true
        }
    }
    FocusRing { control: button }
}
