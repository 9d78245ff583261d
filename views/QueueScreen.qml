// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls
import QtQuick.Layouts

// The queue: a warning while Sorvu cannot watch and post keys, the entries, and the controls. The list
// takes the keyboard when the popup opens: the arrows, Home and End select, Delete removes, Ctrl with an
// arrow moves the selected entry, Enter pastes the head; Tab goes on to the buttons.
ColumnLayout {
    id: screen

    required property QueueScreenModel queueScreen
    required property TextStyles styles
    required property PopupColors colors

    spacing: 8

    Component.onCompleted: {
        queueScreen.appeared();
        if (list.visible)
            list.forceActiveFocus();
        else
            collectButton.forceActiveFocus();
    }

    Loader {
        Layout.fillWidth: true
        active: screen.queueScreen.combineScreen !== null
        visible: active
        sourceComponent: CombineScreen {
            combineScreen: screen.queueScreen.combineScreen
            styles: screen.styles
            colors: screen.colors
        }
        onLoaded: item.forceActiveFocus()
    }

    ColumnLayout {
        Layout.fillWidth: true
        visible: !screen.queueScreen.showingCombine
        spacing: 8

        Button {
            visible: !screen.queueScreen.hasInputAccess
            text: screen.queueScreen.accessWarningText
            palette.buttonText: screen.colors.warning
            Accessible.name: text
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
            onClicked: screen.queueScreen.openSessionHelp()
        }

        Label {
            Layout.fillWidth: true
            Layout.preferredWidth: 0
            visible: !screen.queueScreen.hasInputAccess
            text: screen.queueScreen.accessHintText
            font: screen.styles.caption
            color: screen.colors.secondaryText
            wrapMode: Text.WordWrap
        }

        Divider {
            Layout.fillWidth: true
            visible: !screen.queueScreen.hasInputAccess
            colors: screen.colors
        }

        ListView {
            id: list

            // Rows show their tooltip for the keyboard only once the user moved through them.
            property bool movedByKeyboard: false

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
            currentIndex: screen.queueScreen.selection.selectedIndex
            keyNavigationEnabled: false
            highlightFollowsCurrentItem: false
            activeFocusOnTab: true
            Accessible.role: Accessible.List
            Accessible.name: screen.queueScreen.listName

            onActiveFocusChanged: {
                if (activeFocus)
                    screen.queueScreen.selection.ensureSelection();
            }
            // The last entry went: the keyboard goes on to the controls.
            onVisibleChanged: {
                if (!visible && screen.visible)
                    collectButton.forceActiveFocus();
            }
            onCurrentIndexChanged: {
                if (currentIndex >= 0)
                    positionViewAtIndex(currentIndex, ListView.Contain);
            }

            Keys.onPressed: event => {
                const moving = (event.modifiers & Qt.ControlModifier) !== 0;
                switch (event.key) {
                case Qt.Key_Up:
                    moving ? screen.queueScreen.selection.moveSelectedEntry(-1) : screen.queueScreen.selection.moveSelection(-1);
                    break;
                case Qt.Key_Down:
                    moving ? screen.queueScreen.selection.moveSelectedEntry(1) : screen.queueScreen.selection.moveSelection(1);
                    break;
                case Qt.Key_Home:
                    screen.queueScreen.selection.selectEdge(false);
                    break;
                case Qt.Key_End:
                    screen.queueScreen.selection.selectEdge(true);
                    break;
                case Qt.Key_Delete:
                    screen.queueScreen.selection.deleteSelected();
                    break;
                case Qt.Key_Return:
                case Qt.Key_Enter:
                    screen.queueScreen.paste();
                    break;
                default:
                    return;
                }
                movedByKeyboard = true;
                event.accepted = true;
            }

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
                colors: screen.colors
            }
        }

        Divider {
            Layout.fillWidth: true
            visible: screen.queueScreen.showsList
            colors: screen.colors
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
                        id: collectButton

                        colors: screen.colors
                        text: screen.queueScreen.collectText
                        font: screen.styles.callout
                        onClicked: screen.queueScreen.toggleCollecting()
                    }

                    PlainButton {
                        colors: screen.colors
                        text: screen.queueScreen.pasteText
                        font: screen.styles.callout
                        enabled: screen.queueScreen.canPaste
                        onClicked: screen.queueScreen.paste()
                    }

                    PlainButton {
                        colors: screen.colors
                        text: screen.queueScreen.clearText
                        font: screen.styles.callout
                        enabled: screen.queueScreen.canClear
                        onClicked: screen.queueScreen.clear()
                    }
                }

                PlainButton {
                    visible: screen.queueScreen.showsCombineButton
                    colors: screen.colors
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
                colors: screen.colors
                text: screen.queueScreen.quitText
                font: screen.styles.callout
                onClicked: screen.queueScreen.quit()
            }
        }
    }
}
