// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// A category (opens its screen) or a link category (opens its address): its
// coloured tile, its title, its cleaned note, how many of its entries are new
// and the number of its entries.
ItemDelegate {
    id: row
    required property int index
    required property string key
    required property string title
    required property string subtitle
    required property bool hasSubtitle
    required property string symbol
    required property string tileColor
    required property int count
    required property int newCount
    required property string url
    // The category open beside the list, in a wide window.
    property bool selected: false
    // A link category's count says nothing when there are no entries under it.
    property bool showsCount: true
    // Chosen by a tap, or by Enter or Right with the keyboard.
    signal activated(bool byKeyboard)

    objectName: "category_" + title
    width: ListView.view.width
    text: title
    Accessible.focusable: true
    Accessible.name: title
    // English needs its singular spelled out: no translation is loaded for it.
    Accessible.description: [selected ? qsTr("Open") : "", newCount > 0 ? newTag.text : "",
                             showsCount ? (count === 1 ? qsTr("1 entry") : qsTr("%n entries", "", count)) : ""]
                            .filter(part => part !== "").join(", ") + (hasSubtitle ? ". " + subtitle : "")
    Accessible.onPressAction: activated(false)
    // A tapped row becomes the current one, so the keyboard carries on from it.
    onClicked: {
        ListView.view.currentIndex = index
        activated(false)
    }
    Keys.onReturnPressed: activated(true)
    Keys.onEnterPressed: activated(true)
    Keys.onRightPressed: activated(true)

    background: Rectangle {
        color: row.selected ? row.Material.listHighlightColor : "transparent"
        Rectangle {
            visible: row.selected
            width: 3
            height: parent.height
            color: row.Material.accentColor
        }
    }

    contentItem: RowLayout {
        spacing: 12
        Rectangle {
            implicitWidth: 32
            implicitHeight: 32
            radius: 8
            color: Colors.tile(row.tileColor)
            Symbol { anchors.centerIn: parent; name: row.symbol; color: "white" }
        }
        ColumnLayout {
            spacing: 2
            Layout.fillWidth: true
            Layout.topMargin: 4
            Layout.bottomMargin: 4
            TextLabel {
                Accessible.ignored: true
                text: row.title
                textFormat: Text.PlainText
                elide: Text.ElideRight
                maximumLineCount: 1
                Layout.fillWidth: true
            }
            TextLabel {
                Accessible.ignored: true
                visible: row.hasSubtitle
                text: row.subtitle
                textFormat: Text.PlainText
                elide: Text.ElideRight
                maximumLineCount: 1
                font.pixelSize: Appearance.caption
                color: Colors.secondary
                Layout.fillWidth: true
            }
        }
        NewTag {
            id: newTag
            objectName: "newCount"
            visible: row.newCount > 0
            text: qsTr("%n new", "", row.newCount)
        }
        TextLabel {
            Accessible.ignored: true
            objectName: "count"
            visible: row.showsCount
            text: row.count
            textFormat: Text.PlainText
            font.pixelSize: Appearance.caption
            color: Colors.secondary
            leftPadding: 8
            rightPadding: 8
            topPadding: 4
            bottomPadding: 4
            background: Rectangle {
                radius: 8
                color: Colors.badgeFill
                border.width: 1
                border.color: Colors.badgeOutline
            }
        }
    }

    FocusRing { control: row; shown: row.activeFocus }
}
