// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// A button of a form: its symbol and label, in one colour. No hover mark:
// a mark left by the pointer would outlast the alert the button raises.
ItemDelegate {
    id: button
    required property string symbol
    required property color tint
    Layout.fillWidth: true
    focusPolicy: Qt.StrongFocus // reached with Tab, unlike a list's delegate
    hoverEnabled: false
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: clicked()
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
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
    }
    FocusRing { control: button }
}
