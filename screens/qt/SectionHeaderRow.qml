// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Kavo

// "General", or a section's title as written.
TextLabel {
    required property int index
    required property string label
    width: ListView.view.width
    text: label
    textFormat: Text.PlainText
    elide: Text.ElideRight
    leftPadding: 20
    rightPadding: 16
    topPadding: 18
    bottomPadding: 6
    font.pixelSize: Appearance.caption
    font.capitalization: Font.AllUppercase
    color: Colors.secondary
    Accessible.name: text
}
