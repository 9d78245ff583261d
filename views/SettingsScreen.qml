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

    spacing: 12

    SystemPalette { id: colors }

    Component.onCompleted: settingsScreen.appeared()

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 8
        visible: screen.settingsScreen.shortcutsRecordable

        ShortcutRecorder {
            Layout.fillWidth: true
            recorder: screen.settingsScreen.collectingRecorder
            styles: screen.styles
        }

        ShortcutRecorder {
            Layout.fillWidth: true
            recorder: screen.settingsScreen.pasteRecorder
            styles: screen.styles
        }
    }

    // Where the desktop binds the keys itself: the command each binding runs, ready to copy.
    ColumnLayout {
        Layout.fillWidth: true
        spacing: 4
        visible: !screen.settingsScreen.shortcutsRecordable

        Label {
            Layout.fillWidth: true
            Layout.preferredWidth: 0
            text: screen.settingsScreen.bindingHint
            font: screen.styles.callout
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
                    Accessible.ignored: true
                }

                Item {
                    Layout.fillWidth: true
                }

                TextEdit {
                    text: modelData.command
                    font: screen.styles.callout
                    color: colors.windowText
                    readOnly: true
                    selectByMouse: true
                    Accessible.role: Accessible.EditableText
                    Accessible.name: modelData.title
                    Accessible.description: modelData.command
                }
            }
        }
    }

    Divider {
        Layout.fillWidth: true
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 8

        Label {
            text: screen.settingsScreen.languageLabel
            font: screen.styles.callout
            Accessible.ignored: true
        }

        ComboBox {
            Layout.fillWidth: true
            font: screen.styles.callout
            focusPolicy: Qt.NoFocus
            model: screen.settingsScreen.languageNames
            currentIndex: screen.settingsScreen.languageIndex
            Accessible.name: screen.settingsScreen.languageLabel
            onActivated: index => screen.settingsScreen.chooseLanguage(index)
        }
    }

    Divider {
        Layout.fillWidth: true
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 2
        visible: screen.settingsScreen.launchAtLoginDesynced

        PlainButton {
            text: screen.settingsScreen.launchAtLoginDisabledText
            font: screen.styles.callout
            textColor: "darkorange"
            onClicked: screen.settingsScreen.toggleLaunchAtLogin()
        }

        Label {
            Layout.fillWidth: true
            // Wraps within the width the other controls need, never widening the popup.
            Layout.preferredWidth: 0
            text: screen.settingsScreen.launchAtLoginHint
            font: screen.styles.caption
            color: colors.placeholderText
            wrapMode: Text.WordWrap
        }
    }

    AbstractButton {
        id: launchAtLogin

        visible: !screen.settingsScreen.launchAtLoginDesynced
        padding: 2
        leftPadding: 4
        rightPadding: 4
        focusPolicy: Qt.NoFocus
        Accessible.role: Accessible.CheckBox
        Accessible.name: screen.settingsScreen.launchAtLoginText
        Accessible.checkable: true
        Accessible.checked: screen.settingsScreen.launchAtLoginEnabled
        onClicked: screen.settingsScreen.toggleLaunchAtLogin()

        contentItem: RowLayout {
            spacing: 4

            Text {
                text: screen.settingsScreen.launchAtLoginText
                font: screen.styles.callout
                color: colors.windowText
            }

            Image {
                visible: screen.settingsScreen.launchAtLoginEnabled
                source: "image://sorvu-symbol/checkmark"
                sourceSize: Qt.size(14, 14)
                Layout.preferredWidth: 14
                Layout.preferredHeight: 14
            }
        }

        background: Rectangle {
            radius: 4
            color: colors.windowText
            opacity: launchAtLogin.down ? 0.14 : (launchAtLogin.hovered ? 0.06 : 0)
        }
    }

    // Where the desktop binds the keys itself: the command each binding runs, ready to copy.
    ColumnLayout {
        Layout.fillWidth: true
        spacing: 4
        visible: !screen.settingsScreen.shortcutsRecordable

        Label {
            Layout.fillWidth: true
            Layout.preferredWidth: 0
            text: screen.settingsScreen.bindingHint
            font: screen.styles.callout
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
                    Accessible.ignored: true
                }

                Item {
                    Layout.fillWidth: true
                }

                TextEdit {
                    text: modelData.command
                    font: screen.styles.callout
                    color: colors.windowText
                    readOnly: true
                    selectByMouse: true
                    Accessible.role: Accessible.EditableText
                    Accessible.name: modelData.title
                    Accessible.description: modelData.command
                }
            }
        }
    }

    Divider {
        Layout.fillWidth: true
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 8

        PlainButton {
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
            color: colors.placeholderText
        }
    }
}
