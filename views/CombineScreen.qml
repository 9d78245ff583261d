// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls
import QtQuick.Layouts

// Joining the queued texts into one paste; the way back to the queue.
ColumnLayout {
    id: combine

    required property QueueScreenModel queueScreen

    spacing: 8

    Button {
        flat: true
        text: combine.queueScreen.backText
        Accessible.name: text
        onClicked: combine.queueScreen.hideCombine()
    }
}
