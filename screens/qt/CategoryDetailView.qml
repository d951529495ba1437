// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Qt.labs.qmlmodels
import Kavo

// One category: its note, "General" with its own entries, then each section
// with its note and entries. Shows the category as it was when opened (or
// the search's copy of it). Over the main list in a narrow window, with a
// back button; beside it in a wide one.
Page {
    id: page
    required property CategoryDetailModel model
    required property LinkActions actions
    required property Popups popups
    property bool showsBack: true
    // Rows wider than this are hard to read: the list keeps to it in a wide pane.
    property int readableWidth: 840
    signal backRequested()

    objectName: "categoryDetail"
    title: model.title
    Accessible.name: title

    // The keyboard on the first entry of a category just opened.
    function focusFirstEntry() {
        list.moveTo(model.firstEntryRow)
        list.forceActiveFocus(Qt.OtherFocusReason)
    }
    function focusList() { list.focusCurrentRow() }

    header: ToolBar {
        Material.elevation: 0 // flat, as on the main screen
        RowLayout {
            anchors.fill: parent
            ToolButton {
                id: backButton
                objectName: "backButton"
                visible: page.showsBack
                Accessible.ignored: !visible // a hidden button is still in the tree otherwise
                Accessible.name: qsTr("Back")
                Accessible.onPressAction: clicked()
                contentItem: Symbol { name: "chevron.left"; size: 22; color: backButton.Material.foreground }
                onClicked: page.backRequested()
                FocusRing { control: backButton; ringColor: backButton.Material.foreground }
            }
            TextLabel {
                text: page.title
                textFormat: Text.PlainText
                elide: Text.ElideRight
                font.pixelSize: Appearance.headline
                font.bold: true
                leftPadding: page.showsBack ? 0 : 16
                Layout.fillWidth: true
            }
        }
    }

    KeyboardList {
        id: list
        objectName: "detailList"
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        width: Math.min(parent.width, page.readableWidth)
        Accessible.name: page.title
        model: page.model
        stopsAt: row => page.model.entryRowFrom(row, 1) === row
        keepMark: page.popups.markedRow !== null && page.popups.markedRow.ListView.view === list
        // A new category starts at the top, with the keyboard on its first entry.
        Connections {
            target: page.model
            function onCategoryChanged() {
                list.positionViewAtBeginning()
                list.currentIndex = page.model.firstEntryRow
            }
        }

        header: TextLabel {
            width: ListView.view.width
            text: page.title
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font.pixelSize: Appearance.largeTitle
            font.bold: true
            padding: 16
            Accessible.name: text
        }

        delegate: DelegateChooser {
            role: "kind"
            DelegateChoice {
                roleValue: CategoryDetailModel.Note
                NoteRow {}
            }
            DelegateChoice {
                roleValue: CategoryDetailModel.SectionNote
                NoteRow {}
            }
            DelegateChoice {
                roleValue: CategoryDetailModel.Header
                SectionHeaderRow {}
            }
            DelegateChoice {
                roleValue: CategoryDetailModel.Entry
                EntryRowView { actions: page.actions; popups: page.popups }
            }
        }
    }
}
