// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls

// Text as it is written: plain, never guessed to be markup (a guessed tag
// is dropped, and a guessed image is fetched).
Label {
    textFormat: Text.PlainText
}
