// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls

// A borderless button that shows only a symbol, drawn in the text colour; its name is what a screen reader
// says. The symbol is 18 points at every scale of the screen.
AbstractButton {
    id: button

    required property string symbol
    required property string name
    required property PopupColors colors

    padding: 2
    focusPolicy: Qt.StrongFocus
    text: name
    Accessible.role: Accessible.Button
    Accessible.name: name

    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    contentItem: Item {
        implicitWidth: 18
        implicitHeight: 18

        Image {
            anchors.fill: parent
            source: button.colors.symbolSource(button.symbol, button.enabled)
            sourceSize: Qt.size(18, 18)
            fillMode: Image.PreserveAspectFit
        }
    }

    background: FocusFrame {
        colors: button.colors
        shown: button.visualFocus
        fill: button.down ? 0.14 : 0
    }
}
