// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls

// A text button without a frame, as the popup's controls are drawn; greyed while it cannot act.
AbstractButton {
    id: button

    // A warning's button is drawn in its warning colour.
    property color textColor: colors.windowText

    padding: 2
    leftPadding: 4
    rightPadding: 4
    focusPolicy: Qt.NoFocus
    Accessible.role: Accessible.Button
    Accessible.name: text

    SystemPalette { id: colors }
    SystemPalette { id: disabledColors; colorGroup: SystemPalette.Disabled }

    contentItem: Text {
        text: button.text
        font: button.font
        color: button.enabled ? button.textColor : disabledColors.windowText
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        radius: 4
        color: colors.windowText
        opacity: button.down ? 0.14 : (button.hovered && button.enabled ? 0.06 : 0)
    }
}
