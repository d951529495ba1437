// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Qt.labs.qmlmodels
import Kavo

// The main screen: tool bar, search field, and the list of loading and
// error rows, "New", "Recently Viewed", "Favorites", "Categories", "Links"
// and the two empty blocks. What is listed is derived in MainListModel; which
// category is open, in Navigator; this file draws them.
Page {
    id: page
    required property KVDataService dataService
    required property KVHistoryService historyService
    required property KVFavoritesService favoritesService
    required property KVSeenService seenService
    required property LinkActions actions
    required property AppInfo appInfo
    required property MainListModel model
    required property Navigator navigator
    required property Popups popups
    property bool showSettings: false
    readonly property alias searchText: searchField.text
    // A category row was chosen: by a tap, or by the keyboard (which then follows it).
    signal categoryChosen(int row, bool byKeyboard)

    title: "KAVO"
    Accessible.name: title

    function focusSearch() {
        searchField.forceActiveFocus(Qt.ShortcutFocusReason)
        searchField.selectAll()
    }
    function clearSearch() {
        if (searchField.text === "") return false
        searchField.clear()
        return true
    }
    // The keyboard back on the list, on its current row (or the first).
    function focusList() { list.focusCurrentRow() }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        // Flat, like a navigation bar: no shadow under it. A row of the column
        // rather than the page's header: a page lays its header out only while it
        // is shown, so a page hidden under a category would give its list the
        // header's room meanwhile, and the list would lose its place.
        ToolBar {
            Layout.fillWidth: true
            Material.elevation: 0
            RowLayout {
                anchors.fill: parent
                ToolButton {
                    id: settingsButton
                    objectName: "settingsButton"
                    focusPolicy: Qt.TabFocus // a click leaves the keyboard where it was
                    Accessible.name: qsTr("Settings")
                    Accessible.onPressAction: clicked()
                    contentItem: Symbol { name: "gearshape"; size: 22; color: settingsButton.Material.foreground }
                    onClicked: page.showSettings = true
                    FocusRing { control: settingsButton; ringColor: settingsButton.Material.foreground }
                }
                TextLabel {
                    text: page.title
                    elide: Text.ElideRight
                    font.pixelSize: Appearance.headline
                    font.bold: true
                    horizontalAlignment: Qt.AlignHCenter
                    Layout.fillWidth: true
                }
                ToolButton {
                    id: refreshButton
                    objectName: "refreshButton"
                    focusPolicy: Qt.TabFocus // a click leaves the keyboard where it was
                    Accessible.name: qsTr("Refresh")
                    Accessible.onPressAction: if (enabled) clicked()
                    enabled: !page.dataService.isLoading
                    contentItem: Item {
                        implicitWidth: 24
                        implicitHeight: 24
                        BusyMark {
                            objectName: "toolbarBusy"
                            anchors.centerIn: parent
                            width: 28
                            height: 28
                            running: page.dataService.isLoading
                            // The bar's own text colour: an accent would vanish on it.
                            color: refreshButton.Material.foreground
                        }
                        Symbol {
                            anchors.centerIn: parent
                            visible: !page.dataService.isLoading
                            name: "arrow.clockwise"
                            size: 22
                            color: refreshButton.Material.foreground
                        }
                    }
                    onClicked: page.dataService.refresh()
                    FocusRing { control: refreshButton; ringColor: refreshButton.Material.foreground }
                }
            }
        }

        TextField {
            id: searchField
            objectName: "searchField"
            focus: true // a start is ready for typing
            placeholderText: qsTr("Search entries…")
            placeholderTextColor: Colors.secondary // the style's own is too faint to read
            Accessible.name: qsTr("Search entries")
            Layout.fillWidth: true
            Layout.leftMargin: 16
            Layout.rightMargin: 16
            Layout.topMargin: 4
            onTextChanged: page.model.searchText = text
            Keys.onDownPressed: {
                if (list.first()) list.forceActiveFocus(Qt.OtherFocusReason)
            }
        }

        // After a refresh the person asked for: that it ran, and how fresh
        // the catalogue is (a failed one leaves the catalogue as it was).
        RefreshStatus {
            id: refreshStatus
            dataService: page.dataService
        }
        // An alert, for a screen reader to say as it appears; a Label
        // would be made plain text again by the control's accessibility.
        Item {
            objectName: "refreshStatus"
            visible: refreshStatus.text.length > 0
            implicitHeight: statusLabel.implicitHeight
            Layout.fillWidth: true
            Layout.leftMargin: 16
            Layout.rightMargin: 16
            Layout.topMargin: 4
            Accessible.role: Accessible.AlertMessage
            Accessible.name: refreshStatus.text
            TextLabel {
                id: statusLabel
                width: parent.width
                text: refreshStatus.text
                color: Colors.secondary
                font.pixelSize: Appearance.subheadline
                wrapMode: Text.Wrap
                Accessible.ignored: true
            }
        }

        Loader {
            objectName: "lintBarLoader"
            active: page.dataService.preview !== null
            visible: active
            Layout.fillWidth: true
            sourceComponent: LintBar {
                preview: page.dataService.preview
                maxListHeight: page.height / 3
            }
        }

        KeyboardList {
            id: list
            objectName: "mainList"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Accessible.name: qsTr("Catalogue")
            model: page.model
            stopsAt: row => {
                const kind = page.model.data(page.model.index(row, 0), MainListModel.KindRole)
                return kind === MainListModel.New || kind === MainListModel.NewHeader
                    || kind === MainListModel.History || kind === MainListModel.Favorite
                    || kind === MainListModel.Category || kind === MainListModel.Link
            }
            keepMark: page.popups.markedRow !== null && page.popups.markedRow.ListView.view === list
            onLeftAtTop: page.focusSearch()
            // Typing while the list has the keyboard goes to the search field, as in a file manager.
            Keys.onPressed: event => {
                if (event.text.length === 1 && event.text >= " " && event.text !== "\u007f"
                        && !(event.modifiers & (Qt.ControlModifier | Qt.AltModifier | Qt.MetaModifier))) {
                    searchField.forceActiveFocus(Qt.ShortcutFocusReason)
                    searchField.insert(searchField.cursorPosition, event.text)
                    event.accepted = true
                }
            }
            // Pull-to-refresh: dragged past the threshold, then let go. The
            // download is the service's business; the list does not wait.
            property bool pulled: false
            onVerticalOvershootChanged: if (dragging && verticalOvershoot < -80) pulled = true
            onDraggingChanged: {
                if (!dragging && pulled) {
                    pulled = false
                    page.dataService.refresh()
                }
            }

            delegate: DelegateChooser {
                role: "kind"
                DelegateChoice {
                    roleValue: MainListModel.SectionHeader
                    SectionHeaderRow {
                        required property string title
                        label: title
                    }
                }
                DelegateChoice {
                    roleValue: MainListModel.NewHeader
                    NewHeaderRow {
                        onMarkRequested: {
                            // The header goes with its group: the keyboard moves on to the row in its place.
                            const hadKeyboard = list.activeFocus
                            page.seenService.markAllSeen()
                            if (hadKeyboard) list.focusCurrentRow()
                        }
                    }
                }
                DelegateChoice {
                    roleValue: MainListModel.New
                    EntryRowView { actions: page.actions; popups: page.popups }
                }
                DelegateChoice {
                    roleValue: MainListModel.Loading
                    LoadingRow {}
                }
                DelegateChoice {
                    roleValue: MainListModel.Error
                    ErrorRow { onRetryRequested: page.dataService.refresh() }
                }
                DelegateChoice {
                    roleValue: MainListModel.History
                    HistoryRow { actions: page.actions; popups: page.popups }
                }
                DelegateChoice {
                    roleValue: MainListModel.Favorite
                    FavoriteRow { actions: page.actions; popups: page.popups }
                }
                DelegateChoice {
                    roleValue: MainListModel.Category
                    CategoryRow {
                        selected: key === page.navigator.openKey
                        onActivated: byKeyboard => page.categoryChosen(index, byKeyboard)
                    }
                }
                DelegateChoice {
                    roleValue: MainListModel.Link
                    CategoryRow {
                        showsCount: count > 0
                        onActivated: page.actions.openExternally(url)
                    }
                }
                DelegateChoice {
                    roleValue: MainListModel.NoResults
                    NoResultsBlock { searchText: page.searchText; onClearRequested: searchField.clear() }
                }
                DelegateChoice {
                    roleValue: MainListModel.Empty
                    EmptyBlock { onRefreshRequested: page.dataService.refresh() }
                }
            }
        }
    }

    // The sheet and its three alerts are made the first time the gear is
    // tapped, not with every start, and kept from then on.
    onShowSettingsChanged: if (showSettings) settingsLoader.active = true
    Loader {
        id: settingsLoader
        anchors.fill: parent
        active: false
        sourceComponent: SettingsView {
            objectName: "settingsSheet"
            dataService: page.dataService
            historyService: page.historyService
            favoritesService: page.favoritesService
            seenService: page.seenService
            actions: page.actions
            appInfo: page.appInfo
            shown: page.showSettings
            onDismissed: page.showSettings = false
        }
    }
}
