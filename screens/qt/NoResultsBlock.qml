// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// A search that finds nothing: the query, quoted, and a way to clear it.
ColumnLayout {
    id: block
    required property int index
    property string searchText
    signal clearRequested()
    objectName: "noResultsBlock"

    width: ListView.view.width
    spacing: 16
    Item { implicitHeight: 24 }
    Symbol { name: "magnifyingglass"; size: 36; color: Colors.secondary; Layout.alignment: Qt.AlignHCenter }
    TextLabel {
        text: qsTr("No results")
        font.pixelSize: Appearance.headline
        font.bold: true
        Layout.alignment: Qt.AlignHCenter
    }
    TextLabel {
        objectName: "noResultsText"
        text: qsTr("No entries match \"%1\"").arg(block.searchText)
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
        font.pixelSize: Appearance.subheadline
        color: Colors.secondary
        Layout.fillWidth: true
        Layout.leftMargin: 16
        Layout.rightMargin: 16
    }
    Button {
        id: clear
        objectName: "clearSearchButton"
        text: qsTr("Clear Search")
        font.capitalization: Font.MixedCase
        Accessible.name: text
        Accessible.onPressAction: clicked()
        Layout.alignment: Qt.AlignHCenter
        onClicked: block.clearRequested()
        FocusRing { control: clear }
    }
    Item { implicitHeight: 24 }
}
