// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QQmlEngine;
class QQuickWindow;

namespace sorvu {

// Gives back to the system what only the closed popup used: the script heap's garbage, the component cache's
// unused entries, the window's graphics resources, cached pixmaps, malloc's free pages and the pages of Qt
// Quick's libraries. The engine and the compiled views stay, so that the next opening is quick.
void releaseMemoryOfClosedPopup(QQmlEngine& engine, QQuickWindow& window);

} // namespace sorvu
