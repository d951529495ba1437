// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Kavo

// A category's or a section's note, cleaned, as plain text.
TextLabel {
    required property int index
    required property string label
    objectName: "note"
    width: ListView.view.width
    text: label
    textFormat: Text.PlainText
    wrapMode: Text.Wrap
    padding: 16
    font.pixelSize: Appearance.subheadline
    color: Colors.secondary
}
