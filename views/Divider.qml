// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Sorvu.Views

Rectangle {
    required property PopupColors colors

    implicitHeight: 1
    color: colors.divider
}
