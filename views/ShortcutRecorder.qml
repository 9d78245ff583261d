// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls
import QtQuick.Layouts

// One action's shortcut: its title, the combination (pressed to record a new one), the way back to the
// default, and a warning line when one applies. The title wraps rather than widening the popup.
ColumnLayout {
    id: field

    required property ShortcutRecorderModel recorder
    required property TextStyles styles
    required property PopupColors colors
    // The width both recorders' buttons share, so that they line up.
    property real buttonWidth: 0
    readonly property real buttonImplicitWidth: shortcutButton.implicitContentWidth + shortcutButton.leftPadding
                                                + shortcutButton.rightPadding

    spacing: 2

    // The keyboard starts on this recorder's button.
    function takeFocus() {
        shortcutButton.forceActiveFocus();
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 6

        Label {
            Layout.fillWidth: true
            Layout.preferredWidth: 0
            text: field.recorder.title
            font: field.styles.callout
            color: field.colors.text
            wrapMode: Text.WordWrap
            Accessible.ignored: true
        }

        AbstractButton {
            id: shortcutButton

            leftPadding: 12
            rightPadding: 12
            topPadding: 5
            bottomPadding: 5
            implicitWidth: Math.max(54, field.buttonWidth, implicitContentWidth + leftPadding + rightPadding)
            focusPolicy: Qt.StrongFocus
            Accessible.role: Accessible.Button
            Accessible.name: field.recorder.title
            Accessible.description: field.recorder.shortcutText
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
            onClicked: field.recorder.pressButton()

            contentItem: Text {
                text: field.recorder.shortcutText
                font.family: field.styles.callout.family
                font.pointSize: field.styles.callout.pointSize
                font.weight: Font.Medium
                font.letterSpacing: 1
                color: field.colors.text
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }

            background: FocusFrame {
                colors: field.colors
                radius: 6
                shown: shortcutButton.visualFocus
                fill: shortcutButton.down ? 0.16 : 0.08
            }
        }

        SymbolButton {
            colors: field.colors
            symbol: "image://sorvu-symbol/arrow.counterclockwise.circle"
            name: field.recorder.resetName
            enabled: field.recorder.canReset
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
        color: field.colors.warning
        wrapMode: Text.WordWrap
    }
}
