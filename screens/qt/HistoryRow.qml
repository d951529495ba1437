// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls.Material
import Kavo

// A recently viewed entry: its name and how long ago it was opened.
PersonalRow {
    objectName: "history_" + title
    symbol: "clock"
    symbolColor: Colors.secondary
}
