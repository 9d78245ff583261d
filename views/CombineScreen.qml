// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls
import QtQuick.Layouts

// Joining the queued texts into one paste: the separator, a preview, the last outcome, Back and Paste All.
ColumnLayout {
    id: combine

    required property CombineScreenModel combineScreen
    required property TextStyles styles
    required property PopupColors colors

    spacing: 10

    Component.onCompleted: separatorPicker.forceActiveFocus()

    Label {
        text: combine.combineScreen.title
        font: combine.styles.headline
        color: combine.colors.text
        Accessible.role: Accessible.Heading
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 8

        Label {
            text: combine.combineScreen.separatorLabel
            font: combine.styles.callout
            color: combine.colors.text
            Accessible.ignored: true
        }

        ComboBox {
            id: separatorPicker

            Layout.fillWidth: true
            Layout.preferredWidth: 0
            font: combine.styles.callout
            focusPolicy: Qt.StrongFocus
            model: combine.combineScreen.separatorNames
            currentIndex: combine.combineScreen.choiceIndex
            Accessible.name: combine.combineScreen.separatorLabel
            onActivated: index => combine.combineScreen.chooseSeparator(index)
        }
    }

    TextField {
        Layout.fillWidth: true
        visible: combine.combineScreen.showsCustomField
        text: combine.combineScreen.customSeparator
        placeholderText: combine.combineScreen.customPlaceholder
        font: combine.styles.callout
        Accessible.name: combine.combineScreen.customPlaceholder
        onTextEdited: combine.combineScreen.setCustomSeparator(text)
    }

    Label {
        visible: combine.combineScreen.isAllText
        text: combine.combineScreen.previewLabel
        font: combine.styles.caption
        color: combine.colors.secondaryText
        Accessible.ignored: true
    }

    Label {
        Layout.fillWidth: true
        visible: combine.combineScreen.isAllText
        text: combine.combineScreen.previewText
        font: combine.styles.callout
        color: combine.colors.text
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        maximumLineCount: 3
        elide: Text.ElideRight
        padding: 6
        Accessible.name: combine.combineScreen.previewLabel + ": " + text

        background: Rectangle {
            radius: 6
            color: combine.colors.text
            opacity: 0.06
        }
    }

    Label {
        Layout.fillWidth: true
        Layout.preferredWidth: 0
        visible: !combine.combineScreen.isAllText
        text: combine.combineScreen.nonTextWarning
        font: combine.styles.caption
        color: combine.colors.warning
        wrapMode: Text.WordWrap
    }

    // Which entries those are, by their places in the queue.
    Label {
        Layout.fillWidth: true
        Layout.preferredWidth: 0
        visible: text !== ""
        text: combine.combineScreen.nonTextEntriesText
        font: combine.styles.caption
        color: combine.colors.warning
        wrapMode: Text.WordWrap
    }

    Label {
        Layout.fillWidth: true
        Layout.preferredWidth: 0
        visible: text !== ""
        text: combine.combineScreen.failureText
        font: combine.styles.caption
        color: combine.colors.warning
        wrapMode: Text.WordWrap
    }

    RowLayout {
        Layout.fillWidth: true

        PlainButton {
            colors: combine.colors
            text: combine.combineScreen.backText
            font: combine.styles.callout
            onClicked: combine.combineScreen.back()
        }

        Item {
            Layout.fillWidth: true
        }

        PlainButton {
            colors: combine.colors
            text: combine.combineScreen.pasteAllText
            font: combine.styles.callout
            enabled: combine.combineScreen.canPaste
            onClicked: combine.combineScreen.pasteAll()
        }
    }
}
