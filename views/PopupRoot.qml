// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views
import QtQuick.Controls
import QtQuick.Layouts

// The popup's whole content: the status row, a divider and the current screen.
Rectangle {
    id: popup

    required property PopupRootModel root

    // The settings may need more room than the status row asks for.
    width: Math.max(root.width, settingsLoader.item ? Math.ceil(settingsLoader.item.implicitWidth) + 2 * root.padding : 0)
    implicitHeight: column.implicitHeight + 2 * root.padding
    height: implicitHeight
    color: colors.window
    border.color: colors.mid
    border.width: 1

    Accessible.role: Accessible.Pane

    SystemPalette { id: colors }

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
        }

        Loader {
            Layout.fillWidth: true
            active: popup.root.queueScreen !== null
            visible: active
            sourceComponent: QueueScreen {
                queueScreen: popup.root.queueScreen
                styles: popup.root.styles
            }
        }

        Loader {
            id: settingsLoader

            Layout.fillWidth: true
            active: popup.root.settingsScreen !== null
            visible: active
            sourceComponent: SettingsScreen {
                settingsScreen: popup.root.settingsScreen
                styles: popup.root.styles
            }
        }
    }
}
