// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls
import QtQuick.Layouts

// Collecting or not, how many entries wait, and the way to the settings and back; below, in words, what
// keeps Sorvu from doing its work (a shortcut another program holds, a full queue).
ColumnLayout {
    id: status

    required property PopupRootModel root
    readonly property PopupColors colors: root.colors

    spacing: 4

    RowLayout {
        Layout.fillWidth: true
        spacing: 8

        // Read out as one sentence, not as three separate texts.
        RowLayout {
            spacing: 8
            Accessible.role: Accessible.StaticText
            Accessible.name: status.root.statusAccessibleName

            RowLayout {
                spacing: 4

                Rectangle {
                    implicitWidth: 8
                    implicitHeight: 8
                    radius: 4
                    color: status.root.isCollecting ? status.colors.recording : status.colors.idle
                    Accessible.ignored: true
                }

                Label {
                    text: status.root.statusText
                    font: status.root.styles.headline
                    color: status.colors.text
                    Accessible.ignored: true
                }
            }

            Label {
                text: status.root.countText
                font: status.root.styles.subheadline
                color: status.colors.secondaryText
                Accessible.ignored: true
            }
        }

        Item {
            Layout.fillWidth: true
            Layout.minimumWidth: 8
        }

        SymbolButton {
            id: settingsButton

            objectName: "settingsButton"
            colors: status.colors
            symbol: status.root.settingsButtonIcon
            name: status.root.settingsButtonName
            onClicked: status.root.toggleScreen()
        }
    }

    Repeater {
        model: status.root.notices

        Label {
            required property string modelData

            Layout.fillWidth: true
            // Wraps within the popup's width rather than widening it.
            Layout.preferredWidth: 0
            text: "\u26a0 " + modelData
            font: status.root.styles.caption
            color: status.colors.warning
            wrapMode: Text.WordWrap
            Accessible.role: Accessible.StaticText
            Accessible.name: modelData
        }
    }
}
