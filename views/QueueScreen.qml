// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls
import QtQuick.Layouts

// The queue: a warning while Sorvu cannot watch and post keys, the entries, and the controls.
ColumnLayout {
    id: screen

    required property QueueScreenModel queueScreen
    required property TextStyles styles

    spacing: 8

    SystemPalette { id: colors }

    Component.onCompleted: queueScreen.appeared()

    Loader {
        Layout.fillWidth: true
        active: screen.queueScreen.combineScreen !== null
        visible: active
        sourceComponent: CombineScreen {
            combineScreen: screen.queueScreen.combineScreen
            styles: screen.styles
        }
    }

    ColumnLayout {
        Layout.fillWidth: true
        visible: !screen.queueScreen.showingCombine
        spacing: 8

        Button {
            visible: !screen.queueScreen.hasInputAccess
            text: screen.queueScreen.accessWarningText
            palette.buttonText: "darkorange"
            Accessible.name: text
            onClicked: screen.queueScreen.openSessionHelp()
        }

        Label {
            Layout.fillWidth: true
            visible: !screen.queueScreen.hasInputAccess
            text: screen.queueScreen.accessHintText
            font: screen.styles.caption
            color: colors.placeholderText
            wrapMode: Text.WordWrap
        }

        Divider {
            Layout.fillWidth: true
            visible: !screen.queueScreen.hasInputAccess
        }

        ListView {
            id: list

            Layout.fillWidth: true
            // Reaches into the popup's margin so that the scroll bar does not cover the rows.
            Layout.rightMargin: -6
            Layout.preferredHeight: screen.queueScreen.listHeight
            visible: screen.queueScreen.showsList
            clip: true
            spacing: 8
            topMargin: 3
            bottomMargin: 3
            boundsBehavior: Flickable.StopAtBounds
            model: screen.queueScreen.rows
            Accessible.role: Accessible.List
            Accessible.name: screen.queueScreen.listName

            ScrollBar.vertical: ScrollBar {
                policy: ScrollBar.AsNeeded
            }

            // The dragged row stays under the pointer; only its neighbours glide.
            displaced: Transition {
                NumberAnimation {
                    property: "y"
                    duration: 180
                    easing.type: Easing.OutCubic
                }
            }

            delegate: QueueRow {
                queueScreen: screen.queueScreen
                styles: screen.styles
            }
        }

        Divider {
            Layout.fillWidth: true
            visible: screen.queueScreen.showsList
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 10

            ColumnLayout {
                Layout.alignment: Qt.AlignBottom
                spacing: 8

                RowLayout {
                    spacing: 10

                    PlainButton {
                        text: screen.queueScreen.collectText
                        font: screen.styles.callout
                        onClicked: screen.queueScreen.toggleCollecting()
                    }

                    PlainButton {
                        text: screen.queueScreen.pasteText
                        font: screen.styles.callout
                        enabled: screen.queueScreen.canPaste
                        onClicked: screen.queueScreen.paste()
                    }

                    PlainButton {
                        text: screen.queueScreen.clearText
                        font: screen.styles.callout
                        enabled: screen.queueScreen.canClear
                        onClicked: screen.queueScreen.clear()
                    }
                }

                PlainButton {
                    visible: screen.queueScreen.showsCombineButton
                    text: screen.queueScreen.combineText
                    font: screen.styles.callout
                    Accessible.description: screen.queueScreen.combineHint
                    onClicked: screen.queueScreen.showCombine()
                }
            }

            Item {
                Layout.fillWidth: true
                Layout.minimumWidth: 4
            }

            PlainButton {
                Layout.alignment: Qt.AlignBottom
                text: screen.queueScreen.quitText
                font: screen.styles.callout
                onClicked: screen.queueScreen.quit()
            }
        }
    }
}
