// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls
import QtQuick.Layouts

// The shortcuts, the interface language, launching at login, the website and the version.
ColumnLayout {
    id: screen

    required property SettingsScreenModel settingsScreen
    required property TextStyles styles
    required property PopupColors colors

    spacing: 12

    Component.onCompleted: {
        settingsScreen.appeared();
        if (settingsScreen.shortcutsRecordable) {
            collectingRecorder.takeFocus();
        } else {
            languagePicker.forceActiveFocus(Qt.TabFocusReason);
        }
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 8
        visible: screen.settingsScreen.shortcutsRecordable

        ShortcutRecorder {
            id: collectingRecorder

            Layout.fillWidth: true
            recorder: screen.settingsScreen.collectingRecorder
            styles: screen.styles
            colors: screen.colors
            buttonWidth: Math.max(buttonImplicitWidth, pasteRecorder.buttonImplicitWidth)
        }

        ShortcutRecorder {
            id: pasteRecorder

            Layout.fillWidth: true
            recorder: screen.settingsScreen.pasteRecorder
            styles: screen.styles
            colors: screen.colors
            buttonWidth: Math.max(buttonImplicitWidth, collectingRecorder.buttonImplicitWidth)
        }
    }

    // Where the desktop holds the keys: each action's keys, as the desktop describes them.
    ColumnLayout {
        Layout.fillWidth: true
        spacing: 4
        visible: screen.settingsScreen.showsShortcutTriggers

        Label {
            Layout.fillWidth: true
            Layout.preferredWidth: 0
            text: screen.settingsScreen.triggersHint
            font: screen.styles.callout
            color: screen.colors.text
            wrapMode: Text.WordWrap
        }

        Repeater {
            model: [
                { "title": screen.settingsScreen.collectingRecorder.title, "keys": screen.settingsScreen.collectingTrigger },
                { "title": screen.settingsScreen.pasteRecorder.title, "keys": screen.settingsScreen.pasteTrigger }
            ]

            delegate: RowLayout {
                required property var modelData

                Layout.fillWidth: true
                spacing: 6

                Label {
                    text: modelData.title
                    font: screen.styles.callout
                    color: screen.colors.text
                    Accessible.ignored: true
                }

                Item {
                    Layout.fillWidth: true
                }

                Label {
                    text: modelData.keys
                    font: screen.styles.callout
                    color: screen.colors.text
                    Accessible.role: Accessible.StaticText
                    Accessible.name: modelData.title + ", " + modelData.keys
                }
            }
        }
    }

    // Where the desktop binds the keys itself: the command each binding runs, ready to copy.
    ColumnLayout {
        Layout.fillWidth: true
        spacing: 4
        visible: screen.settingsScreen.showsShortcutCommands

        Label {
            Layout.fillWidth: true
            Layout.preferredWidth: 0
            text: screen.settingsScreen.bindingHint
            font: screen.styles.callout
            color: screen.colors.text
            wrapMode: Text.WordWrap
        }

        Repeater {
            model: [
                { "title": screen.settingsScreen.collectingRecorder.title, "command": screen.settingsScreen.collectingCommand },
                { "title": screen.settingsScreen.pasteRecorder.title, "command": screen.settingsScreen.pasteCommand }
            ]

            delegate: RowLayout {
                required property var modelData

                Layout.fillWidth: true
                spacing: 6

                Label {
                    text: modelData.title
                    font: screen.styles.callout
                    color: screen.colors.text
                    Accessible.ignored: true
                }

                Item {
                    Layout.fillWidth: true
                }

                TextEdit {
                    text: modelData.command
                    font: screen.styles.callout
                    color: screen.colors.text
                    readOnly: true
                    selectByMouse: true
                    Accessible.role: Accessible.EditableText
                    Accessible.name: modelData.title
                    Accessible.description: modelData.command
                }
            }
        }

        PlainButton {
            visible: screen.settingsScreen.canWriteShortcutBindings
            enabled: !screen.settingsScreen.isWritingShortcutBindings
            colors: screen.colors
            text: screen.settingsScreen.writeShortcutBindingsText
            font: screen.styles.callout
            onClicked: screen.settingsScreen.writeShortcutBindings()
        }
    }

    PlainButton {
        visible: !screen.settingsScreen.shortcutsRecordable && screen.settingsScreen.canOpenShortcutSettings
        colors: screen.colors
        text: screen.settingsScreen.openShortcutSettingsText
        font: screen.styles.callout
        onClicked: screen.settingsScreen.openShortcutSettings()
    }

    Label {
        Layout.fillWidth: true
        Layout.preferredWidth: 0
        visible: text !== ""
        text: screen.settingsScreen.shortcutOutcome
        font: screen.styles.caption
        color: screen.settingsScreen.shortcutOutcomeIsProblem ? screen.colors.warning : screen.colors.secondaryText
        wrapMode: Text.WordWrap
    }

    Divider {
        Layout.fillWidth: true
        colors: screen.colors
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 8

        Label {
            text: screen.settingsScreen.languageLabel
            font: screen.styles.callout
            color: screen.colors.text
            Accessible.ignored: true
        }

        ComboBox {
            id: languagePicker

            Layout.fillWidth: true
            Layout.preferredWidth: 0
            font: screen.styles.callout
            focusPolicy: Qt.StrongFocus
            model: screen.settingsScreen.languageNames
            currentIndex: screen.settingsScreen.languageIndex
            Accessible.name: screen.settingsScreen.languageLabel
            onActivated: index => screen.settingsScreen.chooseLanguage(index)
        }
    }

    Divider {
        Layout.fillWidth: true
        colors: screen.colors
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 2
        visible: screen.settingsScreen.launchAtLoginDesynced

        PlainButton {
            colors: screen.colors
            text: screen.settingsScreen.launchAtLoginDisabledText
            font: screen.styles.callout
            textColor: screen.colors.warning
            onClicked: screen.settingsScreen.toggleLaunchAtLogin()
        }

        Label {
            Layout.fillWidth: true
            // Wraps within the width the other controls need, never widening the popup.
            Layout.preferredWidth: 0
            text: screen.settingsScreen.launchAtLoginHint
            font: screen.styles.caption
            color: screen.colors.secondaryText
            wrapMode: Text.WordWrap
        }
    }

    // A box that looks like one, ticked while Sorvu starts at login.
    CheckBox {
        Layout.fillWidth: true
        visible: !screen.settingsScreen.launchAtLoginDesynced
        text: screen.settingsScreen.launchAtLoginText
        font: screen.styles.callout
        focusPolicy: Qt.StrongFocus
        checked: screen.settingsScreen.launchAtLoginEnabled
        Accessible.name: text
        Keys.onReturnPressed: clicked()
        Keys.onEnterPressed: clicked()
        // The tick shows the login item's state, which the press asks to change (and which may refuse).
        onClicked: {
            screen.settingsScreen.toggleLaunchAtLogin();
            checked = Qt.binding(() => screen.settingsScreen.launchAtLoginEnabled);
        }
    }

    Divider {
        Layout.fillWidth: true
        colors: screen.colors
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 8

        PlainButton {
            colors: screen.colors
            text: screen.settingsScreen.websiteText
            font: screen.styles.callout
            onClicked: screen.settingsScreen.openWebsite()
        }

        Item {
            Layout.fillWidth: true
        }

        Label {
            text: screen.settingsScreen.versionText
            font: screen.styles.caption2
            color: screen.colors.secondaryText
        }
    }

    Label {
        Layout.fillWidth: true
        Layout.preferredWidth: 0
        visible: text !== ""
        text: screen.settingsScreen.websiteProblem
        font: screen.styles.caption
        color: screen.colors.warning
        wrapMode: Text.WordWrap
    }
}
