// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWindow;

namespace sorvu {

// Asks the window manager to leave the shown window out of taskbars and pagers, as befits a panel that
// belongs to a tray icon. Ask again after each showing: the state goes with the window's unmapping.
void skipTaskbarAndPager(QWindow& window);

} // namespace sorvu
