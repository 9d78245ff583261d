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

    spacing: 10

    SystemPalette { id: colors }

    Label {
        text: combine.combineScreen.title
        font: combine.styles.headline
        Accessible.role: Accessible.Heading
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 8

        Label {
            text: combine.combineScreen.separatorLabel
            font: combine.styles.callout
            Accessible.ignored: true
        }

        ComboBox {
            Layout.fillWidth: true
            font: combine.styles.callout
            focusPolicy: Qt.NoFocus
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
        color: colors.placeholderText
        Accessible.ignored: true
    }

    Label {
        Layout.fillWidth: true
        visible: combine.combineScreen.isAllText
        text: combine.combineScreen.previewText
        font: combine.styles.callout
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        maximumLineCount: 3
        elide: Text.ElideRight
        padding: 6
        Accessible.name: combine.combineScreen.previewLabel + ": " + text

        background: Rectangle {
            radius: 6
            color: colors.windowText
            opacity: 0.06
        }
    }

    Label {
        Layout.fillWidth: true
        visible: !combine.combineScreen.isAllText
        text: combine.combineScreen.nonTextWarning
        font: combine.styles.caption
        color: "darkorange"
        wrapMode: Text.WordWrap
    }

    Label {
        Layout.fillWidth: true
        visible: text !== ""
        text: combine.combineScreen.failureText
        font: combine.styles.caption
        color: "darkorange"
        wrapMode: Text.WordWrap
    }

    RowLayout {
        Layout.fillWidth: true

        PlainButton {
            text: combine.combineScreen.backText
            font: combine.styles.callout
            onClicked: combine.combineScreen.back()
        }

        Item {
            Layout.fillWidth: true
        }

        PlainButton {
            text: combine.combineScreen.pasteAllText
            font: combine.styles.callout
            enabled: combine.combineScreen.canPaste
            onClicked: combine.combineScreen.pasteAll()
        }
    }
}
