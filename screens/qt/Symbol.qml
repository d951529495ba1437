// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Kavo

// A symbol by name ("star.fill", "gearshape", …), drawn from the bundled
// icon font. Decoration only: the control it sits in carries the name.
Text {
    id: symbol
    property string name
    property int size: Appearance.body
    text: Symbols.glyph(name)
    textFormat: Text.PlainText
    font.family: Symbols.fontFamily
    font.pixelSize: size
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    Accessible.ignored: true
}
