// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// Sharing an entry: the system has no share sheet here, so this one offers
// copying the link, opening it, and sending it by e-mail.
Drawer {
    id: sheet
    required property LinkActions actions
    property string name
    property string url

    edge: Qt.BottomEdge
    width: parent ? parent.width : 400

    function present(entryName, entryUrl) {
        name = entryName
        url = entryUrl
        open()
    }

    ColumnLayout {
        width: parent.width
        spacing: 4
        Label {
            text: sheet.name
            textFormat: Text.PlainText
            font.pixelSize: Appearance.headline
            font.bold: true
            elide: Text.ElideRight
            Layout.fillWidth: true
            Layout.margins: 16
            Layout.bottomMargin: 0
        }
        Label {
            text: sheet.url
            textFormat: Text.PlainText
            font.pixelSize: Appearance.caption
            elide: Text.ElideMiddle
            Layout.fillWidth: true
            Layout.leftMargin: 16
            Layout.rightMargin: 16
        }
        ItemDelegate {
            objectName: "shareCopy"
            text: "Copy Link"
            Layout.fillWidth: true
            onClicked: { sheet.actions.copyUrl(sheet.url); sheet.close() }
        }
        ItemDelegate {
            objectName: "shareOpen"
            text: "Open in Browser"
            Layout.fillWidth: true
            onClicked: { sheet.actions.openEntry(sheet.name, sheet.url); sheet.close() }
        }
        ItemDelegate {
            objectName: "shareMail"
            text: "Send by E-mail"
            Layout.fillWidth: true
            onClicked: { sheet.actions.shareByMail(sheet.name, sheet.url); sheet.close() }
        }
        Item { implicitHeight: 12 }
    }
}
