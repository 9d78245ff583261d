// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick

Rectangle {
    implicitHeight: 1
    color: colors.mid

    SystemPalette { id: colors }
}
