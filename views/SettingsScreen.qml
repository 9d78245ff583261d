// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick

// The settings screen; its controls come with the settings.
Item {
    implicitHeight: 40
}
