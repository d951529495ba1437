// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// A confirmation: "Cancel" closes it and does nothing else; "Clear" (or what
// `confirmText` says) closes it and runs the action. It opens with "Cancel"
// focused, so that Enter does nothing harmful; the keyboard then goes back
// where it was.
Dialog {
    id: alert
    property bool shown: false
    property string message
    property string confirmText: qsTr("Clear")
    signal confirmed()

    parent: Overlay.overlay
    anchors.centerIn: parent
    // Fixed, like an alert: bound to the overlay's width it loops on the wrapped message.
    readonly property real fixedWidth: Math.min(300, parent ? parent.width - 32 : 300)
    width: fixedWidth
    modal: true
    focus: true
    Overlay.modal: Rectangle { color: Colors.dim }
    onShownChanged: shown ? open() : close()
    FocusReturn { id: focusReturn }
    onAboutToShow: focusReturn.remember(parent ? parent.Window.window : null)
    onOpened: cancelButton.forceActiveFocus(Qt.TabFocusReason)
    onClosed: focusReturn.restore()

    TextLabel {
        objectName: alert.objectName + "Message"
        // Not the popup's own width: while it places itself that width moves,
        // and a message of three lines or more then loops on its height.
        width: alert.fixedWidth - alert.leftPadding - alert.rightPadding
        text: alert.message
        wrapMode: Text.Wrap
    }

    // The buttons in a row of their own: Qt 6.4 tells assistive technology
    // that a DialogButtonBox is a list of page tabs.
    footer: Item {
        implicitHeight: buttons.implicitHeight + 16
        RowLayout {
            id: buttons
            anchors.fill: parent
            anchors.margins: 8
            spacing: 8
            Item { Layout.fillWidth: true }
            Button {
                id: cancelButton
                objectName: alert.objectName + "Cancel"
                text: qsTr("Cancel")
                flat: true
                font.capitalization: Font.MixedCase
                Accessible.name: text
                Accessible.onPressAction: clicked()
                KeyNavigation.right: clearButton
                onClicked: alert.close()
                FocusRing { control: cancelButton; shown: cancelButton.activeFocus }
            }
            Button {
                id: clearButton
                objectName: alert.objectName + "Clear"
                text: alert.confirmText
                flat: true
                font.capitalization: Font.MixedCase
                Accessible.name: text
                Accessible.onPressAction: clicked()
                Material.foreground: Colors.destructive
                KeyNavigation.left: cancelButton
                onClicked: {
                    alert.close()
                    alert.confirmed()
                }
                FocusRing { control: clearButton; shown: clearButton.activeFocus }
            }
        }
    }
}
