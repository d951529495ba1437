// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Kavo

// A favourite: its name under a yellow star.
PersonalRow {
    objectName: "favorite_" + title
    symbol: "star.fill"
    symbolColor: Colors.yellow
}
