// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls
import QtQuick.Layouts

// One action's shortcut: its title, the combination (pressed to record a new one), the way back to the
// default, and a warning line when one applies.
ColumnLayout {
    id: field

    required property ShortcutRecorderModel recorder
    required property TextStyles styles

    spacing: 2

    SystemPalette { id: colors }

    RowLayout {
        Layout.fillWidth: true
        spacing: 6

        Label {
            text: field.recorder.title
            font: field.styles.callout
            Accessible.ignored: true
        }

        Item {
            Layout.fillWidth: true
        }

        AbstractButton {
            id: shortcutButton

            leftPadding: 12
            rightPadding: 12
            topPadding: 5
            bottomPadding: 5
            implicitWidth: Math.max(54, implicitContentWidth + leftPadding + rightPadding)
            focusPolicy: Qt.NoFocus
            Accessible.role: Accessible.Button
            Accessible.name: field.recorder.title
            Accessible.description: field.recorder.shortcutText
            onClicked: field.recorder.pressButton()

            contentItem: Text {
                text: field.recorder.shortcutText
                font.family: field.styles.callout.family
                font.pointSize: field.styles.callout.pointSize
                font.weight: Font.Medium
                font.letterSpacing: 1
                color: colors.windowText
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }

            background: Rectangle {
                radius: 6
                color: colors.windowText
                opacity: shortcutButton.down ? 0.16 : 0.08
            }
        }

        SymbolButton {
            symbol: "image://sorvu-symbol/arrow.counterclockwise.circle"
            name: field.recorder.resetName
            enabled: field.recorder.canReset
            opacity: enabled ? 0.7 : 0.3
            onClicked: field.recorder.reset()
        }
    }

    Label {
        Layout.fillWidth: true
        visible: text !== ""
        // Wraps within the width the other controls need, never widening the popup.
        Layout.preferredWidth: 0
        text: field.recorder.warningText
        font: field.styles.caption2
        color: colors.placeholderText
        wrapMode: Text.WordWrap
    }
}
