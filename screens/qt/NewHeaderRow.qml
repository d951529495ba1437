// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// The header of "New": the section's name, how many entries are new in all
// (the group shows the newest ten), and "Mark as Seen". The keyboard stops
// here, on the button.
FocusScope {
    id: header
    required property int index
    required property string title
    required property int count
    signal markRequested()

    objectName: "newHeader"
    width: ListView.view.width
    implicitHeight: layout.implicitHeight + 6

    RowLayout {
        id: layout
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.leftMargin: 20
        anchors.rightMargin: 8
        anchors.topMargin: 6
        spacing: 8
        TextLabel {
            text: header.title
            textFormat: Text.PlainText
            font.pixelSize: Appearance.caption
            font.capitalization: Font.AllUppercase
            color: Colors.secondary
            Accessible.name: text
        }
        NewTag {
            objectName: "newTotal"
            text: header.count
        }
        Item { Layout.fillWidth: true }
        Button {
            id: markButton
            objectName: "markSeenButton"
            focus: true
            flat: true
            text: qsTr("Mark as Seen")
            font.capitalization: Font.MixedCase
            font.pixelSize: Appearance.caption
            Material.foreground: Colors.link
            Accessible.name: text
            // English needs its singular spelled out: no translation is loaded for it.
            Accessible.description: header.count === 1 ? qsTr("1 new entry") : qsTr("%n new entries", "", header.count)
            Accessible.onPressAction: clicked()
            onClicked: header.markRequested()
            FocusRing { control: markButton; shown: markButton.activeFocus }
        }
    }
}
