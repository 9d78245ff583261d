// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls

// One queued entry: its place, a preview, and a delete button shown under the pointer.
Item {
    id: row

    required property int index
    required property string entryId
    required property bool showsPicture
    required property bool showsName
    required property string positionText
    required property string previewText
    required property string imageSource
    required property string accessibleName
    required property string deleteName
    required property bool isDragged
    required property real dragOffset
    required property bool isDraggedOut
    required property string details
    required property bool elidesInMiddle
    required property string pictureSize
    required property bool isSelected
    required property string announcement
    required property QueueScreenModel queueScreen
    required property TextStyles styles
    required property PopupColors colors

    property bool isHovering: false
    property int hoverRefresh: 0
    // Naming the screen reader's state makes the binding follow it; the rule itself is the model's.
    readonly property bool deleteShown: queueScreen.isScreenReaderActive, queueScreen.isDeleteButtonShown(isHovering)

    width: ListView.view ? ListView.view.width - 16 : 0
    height: Math.max(position.implicitHeight, showsPicture ? 28 : 0, name.implicitHeight) + 4
    z: isDragged ? 1 : 0
    opacity: isDraggedOut ? 0.45 : 1

    transform: Translate {
        y: row.dragOffset

        Behavior on y {
            enabled: !row.isDragged

            NumberAnimation {
                duration: 180
                easing.type: Easing.OutCubic
            }
        }
    }

    // The keyboard's selection is the focused row, so a screen reader follows it.
    focus: isSelected
    activeFocusOnTab: false
    Accessible.role: Accessible.ListItem
    Accessible.name: accessibleName
    // After a move by the keyboard, the new place; otherwise what the tooltip tells.
    Accessible.description: announcement !== "" ? announcement : details
    Accessible.selectable: true
    Accessible.selected: isSelected
    Accessible.focusable: true

    Component.onCompleted: queueScreen.rowMeasured(entryId, height)
    onYChanged: probe.recheck()

    Rectangle {
        anchors.fill: parent
        anchors.topMargin: -2
        anchors.bottomMargin: -2
        radius: 10
        color: row.colors.text
        opacity: row.isHovering ? 0.08 : 0
    }

    // The keyboard's selection: tinted, and ringed while the list has the focus.
    Rectangle {
        anchors.fill: parent
        anchors.topMargin: -2
        anchors.bottomMargin: -2
        radius: 10
        visible: row.isSelected
        color: row.colors.selection
        border.width: row.activeFocus ? 2 : 0
        border.color: row.colors.focusRing
    }

    // Made only while wanted: a tooltip for every row would cost memory for nothing.
    Loader {
        active: row.details !== "" && !row.isDragged
                && (pointer.containsMouse || (row.activeFocus && row.ListView.view.movedByKeyboard))

        sourceComponent: ToolTip {
            id: tip

            parent: row
            // Below the row, clear of the status row; for the keyboard once the selection was moved.
            y: row.height + 4
            text: row.details
            delay: 700
            visible: true
            width: Math.min(implicitWidth, row.width)
            font: row.styles.caption

            contentItem: Text {
                text: tip.text
                font: tip.font
                color: row.colors.text
                wrapMode: Text.Wrap
                maximumLineCount: 8
                elide: Text.ElideRight
                textFormat: Text.PlainText
            }

            background: Rectangle {
                color: row.colors.background
                border.color: row.colors.divider
                radius: 4
            }
        }
    }

    PointerProbe {
        id: probe

        anchors.fill: parent
        index: row.index
        refresh: row.hoverRefresh
        onChecked: inside => row.isHovering = inside
    }

    MouseArea {
        id: pointer

        property point pressInList

        anchors.fill: parent
        hoverEnabled: true
        preventStealing: true

        onContainsMouseChanged: {
            row.isHovering = containsMouse;
            if (!containsMouse)
                row.hoverRefresh += 1;
        }
        onPressed: mouse => pressInList = mapToItem(row.ListView.view.contentItem, mouse.x, mouse.y)
        onPositionChanged: mouse => {
            if (pressed)
                row.queueScreen.pointerMoved(row.entryId, pressInList,
                                             mapToItem(row.ListView.view.contentItem, mouse.x, mouse.y),
                                             mapToGlobal(mouse.x, mouse.y));
        }
        onReleased: row.queueScreen.pointerReleased(row.entryId)
        onCanceled: row.queueScreen.pointerReleased(row.entryId)

        // Read as one element: the place and the preview are in the row's name.
        Row {
            id: content

            x: 8
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 16 - remove.width - 4
            spacing: 8
            Accessible.ignored: true

            Label {
                id: position

                anchors.verticalCenter: parent.verticalCenter
                text: row.positionText
                color: row.colors.text
                Accessible.ignored: true
                font: row.styles.callout
            }

            Item {
                anchors.verticalCenter: parent.verticalCenter
                visible: row.showsPicture
                width: 28
                height: 28

                // Until a large picture is decoded, a frame holds its place; its size is written beside it.
                Rectangle {
                    anchors.fill: parent
                    visible: picture.status !== Image.Ready
                    color: "transparent"
                    border.color: row.colors.divider
                    radius: 3
                }

                Image {
                    id: picture

                    anchors.fill: parent
                    sourceSize: Qt.size(56, 56)
                    // The whole picture, letterboxed, rather than a part of it.
                    fillMode: Image.PreserveAspectFit
                    asynchronous: true
                    source: row.showsPicture ? row.imageSource : ""
                    Accessible.ignored: true
                }
            }

            Label {
                id: name

                anchors.verticalCenter: parent.verticalCenter
                visible: row.showsName || row.pictureSize !== ""
                width: content.width - position.width - (row.showsPicture ? 36 : 0) - 8
                text: row.showsName ? row.previewText : row.pictureSize
                font: row.styles.callout
                color: row.showsName ? row.colors.text : row.colors.secondaryText
                elide: row.elidesInMiddle ? Text.ElideMiddle : Text.ElideRight
                maximumLineCount: 1
                textFormat: Text.PlainText
                Accessible.ignored: true
            }
        }

        SymbolButton {
            id: remove

            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            symbol: "image://sorvu-symbol/xmark.circle.fill"
            name: row.deleteName
            colors: row.colors
            // The Delete key removes the selected entry; Tab passes over the rows' buttons.
            focusPolicy: Qt.NoFocus
            hoverEnabled: false
            // Not 0: a button of opacity 0 would vanish from the screen reader too.
            opacity: row.deleteShown ? 1 : 0.001
            enabled: row.deleteShown
            onClicked: row.queueScreen.deleteEntry(row.entryId, row.isHovering)
        }
    }
}
