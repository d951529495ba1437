// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kavo

// A menu item with a symbol before its text (or none, when `symbol` is
// empty). The text is shown as it is, never as markup.
MenuItem {
    id: item
    property string symbol
    Accessible.name: text
    Accessible.onPressAction: triggered() // the menu closes on it, as on a tap
    contentItem: RowLayout {
        spacing: 12
        Symbol {
            visible: item.symbol !== ""
            name: item.symbol
            color: item.palette.text
            Layout.preferredWidth: 20
        }
        TextLabel {
            text: item.text
            Accessible.ignored: true
            textFormat: Text.PlainText
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
    }
}
