// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views

// A control's background: a faint fill while pressed or under the pointer, and the keyboard's focus ring.
Item {
    id: frame

    required property PopupColors colors
    property bool shown: false
    // How much of the text colour the fill takes.
    property real fill: 0
    property real radius: 4

    Rectangle {
        anchors.fill: parent
        radius: frame.radius
        color: frame.colors.text
        opacity: frame.fill
    }

    Rectangle {
        anchors.fill: parent
        radius: frame.radius
        color: "transparent"
        border.width: 2
        border.color: frame.colors.focusRing
        visible: frame.shown
    }
}
