// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls

// A text button without a frame, as the popup's controls are drawn; greyed while it cannot act. Tab reaches
// it, a ring shows the keyboard's focus, and Space or Enter presses it.
AbstractButton {
    id: button

    required property PopupColors colors
    // A warning's button is drawn in its warning colour.
    property color textColor: colors.text

    padding: 2
    leftPadding: 4
    rightPadding: 4
    focusPolicy: Qt.StrongFocus
    Accessible.role: Accessible.Button
    Accessible.name: text

    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    contentItem: Text {
        text: button.text
        font: button.font
        color: button.enabled ? button.textColor : button.colors.disabledText
        verticalAlignment: Text.AlignVCenter
    }

    background: FocusFrame {
        colors: button.colors
        shown: button.visualFocus
        fill: button.down ? 0.14 : (button.hovered && button.enabled ? 0.06 : 0)
    }
}
