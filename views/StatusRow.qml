// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls
import QtQuick.Layouts

// Collecting or not, how many entries wait, and the way to the settings and back.
RowLayout {
    id: statusRow

    required property PopupRootModel root

    spacing: 8

    SystemPalette { id: colors }

    // Read out as one sentence, not as three separate texts.
    RowLayout {
        spacing: 8
        Accessible.role: Accessible.StaticText
        Accessible.name: statusRow.root.statusAccessibleName

        RowLayout {
            spacing: 4

            Rectangle {
                implicitWidth: 8
                implicitHeight: 8
                radius: 4
                color: statusRow.root.isCollecting ? "red" : colors.mid
                Accessible.ignored: true
            }

            Label {
                text: statusRow.root.statusText
                font: statusRow.root.styles.headline
                Accessible.ignored: true
            }
        }

        Label {
            text: statusRow.root.countText
            font: statusRow.root.styles.subheadline
            color: colors.placeholderText
            Accessible.ignored: true
        }
    }

    Item {
        Layout.fillWidth: true
        Layout.minimumWidth: 8
    }

    SymbolButton {
        symbol: statusRow.root.settingsButtonIcon
        name: statusRow.root.settingsButtonName
        onClicked: statusRow.root.toggleScreen()
    }
}
