// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace sorvu {

// Where the popup goes: centred under the tray icon when the panel is at the top of the screen, above it
// otherwise, at the pointer when the tray does not say where its icon is; always whole inside the area the
// panels leave free.
QPoint popupPosition(const QRect& trayIcon, QSize popup, const QRect& availableArea, QPoint pointer);

} // namespace sorvu
