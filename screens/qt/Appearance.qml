// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick

// The text styles every screen draws with.
QtObject {
    readonly property int body: 16
    readonly property int headline: 17
    readonly property int subheadline: 14
    readonly property int caption: 12
    readonly property int largeTitle: 28
}
