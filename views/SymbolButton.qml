// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls

// A borderless button that shows only a symbol; its name is what a screen reader says.
AbstractButton {
    id: button

    required property string symbol
    required property string name

    padding: 2
    focusPolicy: Qt.NoFocus
    text: name
    Accessible.role: Accessible.Button
    Accessible.name: name

    SystemPalette { id: colors }

    contentItem: Image {
        source: button.symbol
        sourceSize: Qt.size(18, 18)
        width: 18
        height: 18
        fillMode: Image.PreserveAspectFit
    }

    background: Rectangle {
        radius: 4
        color: colors.windowText
        opacity: button.down ? 0.14 : 0
    }
}
