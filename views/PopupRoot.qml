// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls
import QtQuick.Layouts

// The popup's whole content: the status row, a divider and the current screen. Every screen lays itself out
// in the status row's width, so the popup keeps its width when the screen changes.
Rectangle {
    id: popup

    required property PopupRootModel root

    width: root.width
    implicitHeight: column.implicitHeight + 2 * root.padding
    height: implicitHeight
    color: root.colors.background
    border.color: root.colors.divider
    border.width: 1

    Accessible.role: Accessible.Pane

    ColumnLayout {
        id: column

        x: popup.root.padding
        y: popup.root.padding
        width: popup.width - 2 * popup.root.padding
        spacing: 8

        StatusRow {
            Layout.fillWidth: true
            root: popup.root
        }

        Divider {
            Layout.fillWidth: true
            colors: popup.root.colors
        }

        Loader {
            Layout.fillWidth: true
            active: popup.root.queueScreen !== null
            visible: active
            focus: active
            sourceComponent: QueueScreen {
                queueScreen: popup.root.queueScreen
                styles: popup.root.styles
                colors: popup.root.colors
            }
        }

        Loader {
            Layout.fillWidth: true
            active: popup.root.settingsScreen !== null
            visible: active
            focus: active
            sourceComponent: SettingsScreen {
                settingsScreen: popup.root.settingsScreen
                styles: popup.root.styles
                colors: popup.root.colors
            }
        }
    }
}
