// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// The data service's message, word for word, and a way to try again.
RowLayout {
    id: row
    required property int index
    required property string title
    signal retryRequested()
    objectName: "errorRow"

    width: ListView.view.width
    spacing: 12
    Item { implicitWidth: 8 }
    Symbol { name: "exclamationmark.triangle.fill"; color: Colors.orange }
    TextLabel {
        objectName: "errorMessage"
        text: row.title
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        font.pixelSize: Appearance.caption
        color: Colors.secondary
        Layout.fillWidth: true
        Layout.topMargin: 4
        Layout.bottomMargin: 4
    }
    Button {
        id: retry
        objectName: "retryButton"
        text: qsTr("Retry")
        flat: true
        font.pixelSize: Appearance.caption
        font.capitalization: Font.MixedCase
        Accessible.name: text
        Accessible.onPressAction: clicked()
        onClicked: row.retryRequested()
        FocusRing { control: retry }
    }
    Item { implicitWidth: 8 }
}
