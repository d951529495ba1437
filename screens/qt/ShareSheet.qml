// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// Sharing an entry: the system has no share sheet here, so this one offers
// copying the link, opening it, and sending it by e-mail. Tab and the arrow
// keys move between the three; Escape closes it.
Drawer {
    id: sheet
    required property LinkActions actions
    property string name
    property string url

    objectName: "shareSheet"
    edge: Qt.BottomEdge
    dragMargin: 0
    modal: true
    width: parent ? parent.width : 400
    Overlay.modal: Rectangle { color: Colors.dim }
    // Qt 6.4 gives a drawer no accessible name; its content's parent is the popup's own item.
    Component.onCompleted: contentItem.parent.Accessible.name = Qt.binding(() => qsTr("Share %1").arg(sheet.name))

    function present(entryName, entryUrl) {
        name = entryName
        url = entryUrl
        open()
    }
    FocusReturn { id: focusReturn }
    onAboutToShow: focusReturn.remember(parent ? parent.Window.window : null)
    onOpened: copyOption.forceActiveFocus(Qt.TabFocusReason)
    onClosed: focusReturn.restore()

    component Option: FormButton {
        tint: sheet.Material.foreground
        Layout.leftMargin: 8
        Layout.rightMargin: 8
    }

    ColumnLayout {
        width: parent.width
        spacing: 4
        TextLabel {
            text: sheet.name
            textFormat: Text.PlainText
            font.pixelSize: Appearance.headline
            font.bold: true
            wrapMode: Text.Wrap
            maximumLineCount: 4
            elide: Text.ElideRight
            Layout.fillWidth: true
            Layout.margins: 16
            Layout.bottomMargin: 0
        }
        TextLabel {
            text: sheet.url
            textFormat: Text.PlainText
            font.pixelSize: Appearance.caption
            wrapMode: Text.WrapAnywhere
            maximumLineCount: 4
            elide: Text.ElideRight
            color: Colors.secondary
            Layout.fillWidth: true
            Layout.leftMargin: 16
            Layout.rightMargin: 16
        }
        Option {
            id: copyOption
            objectName: "shareCopy"
            text: qsTr("Copy Link")
            symbol: "doc.on.doc"
            KeyNavigation.down: openOption
            KeyNavigation.up: mailOption
            onClicked: { sheet.actions.copyUrl(sheet.url); sheet.close() }
        }
        Option {
            id: openOption
            objectName: "shareOpen"
            text: qsTr("Open in Browser")
            symbol: "arrow.up.forward.app"
            KeyNavigation.down: mailOption
            KeyNavigation.up: copyOption
            onClicked: { sheet.actions.openEntry(sheet.name, sheet.url); sheet.close() }
        }
        Option {
            id: mailOption
            objectName: "shareMail"
            text: qsTr("Send by E-mail")
            symbol: "envelope"
            KeyNavigation.down: copyOption
            KeyNavigation.up: openOption
            onClicked: { sheet.actions.shareByMail(sheet.name, sheet.url); sheet.close() }
        }
        Item { implicitHeight: 12 }
    }
}
