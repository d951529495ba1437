// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Kavo

// A confirmation: "Cancel" closes it and does nothing else; "Clear" closes
// it and runs the action. It opens with "Cancel" focused, so that Enter does
// nothing harmful.
Dialog {
    id: alert
    property bool shown: false
    property string message
    signal confirmed()

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(300, parent ? parent.width - 32 : 300) // fixed, like an alert: bound to the overlay's width it loops on the wrapped message
    modal: true
    focus: true
    Overlay.modal: Rectangle { color: Colors.dim }
    onShownChanged: shown ? open() : close()
    onOpened: cancelButton.forceActiveFocus(Qt.PopupFocusReason)

    TextLabel {
        objectName: alert.objectName + "Message"
        width: alert.availableWidth
        text: alert.message
        wrapMode: Text.Wrap
    }

    footer: DialogButtonBox {
        Button {
            id: cancelButton
            objectName: alert.objectName + "Cancel"
            text: qsTr("Cancel")
            flat: true
            font.capitalization: Font.MixedCase
            Accessible.name: text
            Accessible.onPressAction: clicked()
            DialogButtonBox.buttonRole: DialogButtonBox.RejectRole
            FocusRing { control: cancelButton; shown: cancelButton.activeFocus }
        }
        Button {
            id: clearButton
            objectName: alert.objectName + "Clear"
            text: qsTr("Clear")
            flat: true
            font.capitalization: Font.MixedCase
            Accessible.name: text
            Accessible.onPressAction: clicked()
            Material.foreground: Material.Red
            DialogButtonBox.buttonRole: DialogButtonBox.DestructiveRole
            FocusRing { control: clearButton; shown: clearButton.activeFocus }
        }
        // A destructive button leaves the dialog open by itself.
        onDiscarded: {
            alert.close()
            alert.confirmed()
        }
    }
}
