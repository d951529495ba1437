// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Kavo

// A small filled tag saying that something is new ("New", "3 new").
TextLabel {
    Accessible.ignored: true // the row it stands in says it
    textFormat: Text.PlainText
    font.pixelSize: Appearance.caption
    font.bold: true
    color: Colors.newText
    leftPadding: 8
    rightPadding: 8
    topPadding: 2
    bottomPadding: 2
    background: Rectangle { radius: 8; color: Colors.newFill }
}
