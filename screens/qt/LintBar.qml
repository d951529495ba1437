// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Kavo

// While a page is previewed, the bar above the main list: how its last read
// went ("3 lines will be dropped", or why the file could not be used) and,
// expanded, the lines `kavo-catalog lint` would report, by number. What it
// says is derived in LintModel; the page's curator watches it empty as they
// fix the page.
ColumnLayout {
    id: bar
    required property KVPagePreview preview
    property bool expanded: false
    // The open list's height at most; it scrolls beyond.
    property real maxListHeight: 240
    readonly property bool expandable: lint.status === LintModel.Dropped && lint.count > 0
    readonly property color tint: lint.status === LintModel.Unusable ? Colors.red
                                : lint.status === LintModel.Dropped ? Colors.orange
                                : lint.status === LintModel.Clean ? Colors.green : Colors.gray

    objectName: "lintBar"
    spacing: 0

    LintModel {
        id: lint
        objectName: "lintModel"
        preview: bar.preview
    }

    function toggle() {
        if (bar.expandable) bar.expanded = !bar.expanded
    }

    // A button to assistive technology (an item delegate would be a list item);
    // with nothing to list it says how the page reads, and a press does nothing.
    AbstractButton {
        id: summary
        objectName: "lintSummary"
        focusPolicy: Qt.StrongFocus // Tab reaches it between the search field and the list
        hoverEnabled: false
        leftPadding: 16
        rightPadding: 16
        topPadding: 10
        bottomPadding: 10
        Layout.fillWidth: true
        Accessible.name: lint.summary
        Accessible.description: [lint.detail, !bar.expandable ? "" : bar.expanded ? qsTr("Expanded") : qsTr("Collapsed")]
                                .filter(part => part !== "").join(". ")
        Accessible.onPressAction: bar.toggle()
        onClicked: bar.toggle()
        Keys.onDownPressed: event => {
            if (lines.visible && lines.first()) lines.forceActiveFocus(Qt.OtherFocusReason)
            else event.accepted = false
        }
        background: Rectangle {
            color: Qt.rgba(bar.tint.r, bar.tint.g, bar.tint.b, summary.down ? 0.24 : 0.14)
        }
        contentItem: RowLayout {
            spacing: 12
            Symbol {
                name: lint.status === LintModel.Clean ? "checkmark.circle"
                      : lint.status === LintModel.Reading ? "clock" : "exclamationmark.triangle.fill"
                color: bar.tint
                size: 20
            }
            ColumnLayout {
                spacing: 2
                Layout.fillWidth: true
                TextLabel {
                    objectName: "lintSummaryText"
                    Accessible.ignored: true
                    text: lint.summary
                    wrapMode: Text.Wrap
                    font.pixelSize: Appearance.subheadline
                    font.bold: lint.status !== LintModel.Clean
                    Layout.fillWidth: true
                }
                TextLabel {
                    visible: text !== ""
                    Accessible.ignored: true
                    text: lint.detail
                    wrapMode: Text.Wrap
                    font.pixelSize: Appearance.caption
                    color: Colors.secondary
                    Layout.fillWidth: true
                }
            }
            Symbol {
                visible: bar.expandable
                name: bar.expanded ? "chevron.up" : "chevron.down"
                color: Colors.secondary
                size: 22
            }
        }
        FocusRing { control: summary }
    }

    KeyboardList {
        id: lines
        objectName: "lintLines"
        visible: bar.expanded && bar.expandable
        Layout.fillWidth: true
        Layout.preferredHeight: Math.min(contentHeight, bar.maxListHeight)
        Accessible.name: qsTr("Lines that will be dropped")
        model: lint
        onLeftAtTop: summary.forceActiveFocus(Qt.TabFocusReason)
        // Fixed, the last line leaves the list: the keyboard goes back to the summary.
        onVisibleChanged: if (!visible && activeFocus) summary.forceActiveFocus(Qt.TabFocusReason)

        // A plain item, so that assistive technology takes the role given here.
        delegate: Item {
            id: finding
            required property int index
            required property int line
            required property string message
            width: ListView.view.width
            implicitHeight: row.implicitHeight + 12
            Accessible.role: Accessible.StaticText
            Accessible.focusable: true
            //: A line of the previewed page that will be dropped, and why.
            Accessible.name: line > 0 ? qsTr("Line %1: %2").arg(line).arg(message) : message
            RowLayout {
                id: row
                anchors.fill: parent
                anchors.leftMargin: 16
                anchors.rightMargin: 16
                anchors.topMargin: 6
                anchors.bottomMargin: 6
                spacing: 12
                TextLabel {
                    Accessible.ignored: true
                    text: finding.line > 0 ? String(finding.line) : ""
                    horizontalAlignment: Text.AlignRight
                    font.pixelSize: Appearance.caption
                    color: Colors.secondary
                    Layout.preferredWidth: 40
                    Layout.alignment: Qt.AlignTop
                }
                TextLabel {
                    Accessible.ignored: true
                    text: finding.message
                    wrapMode: Text.Wrap
                    font.pixelSize: Appearance.caption
                    Layout.fillWidth: true
                    Layout.alignment: Qt.AlignTop
                }
            }
            FocusRing { control: finding; shown: finding.activeFocus }
        }
    }

    Rectangle {
        implicitHeight: 1
        Layout.fillWidth: true
        color: Material.dividerColor
    }
}
