// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

// Xlib's own declaration, so that users of this header need not include Xlib, whose macros clash with Qt's.
typedef struct _XDisplay Display;

namespace sorvu::test {

// Whether a panel holds the system tray of the first screen of $DISPLAY.
bool trayHostRuns();

// The first viewable window of the "sorvu" class at or below `window` (an Xlib Window) that is at least
// `minimumWidth` pixels wide.
std::optional<unsigned long> viewableSorvuWindow(Display* display, unsigned long window, int minimumWidth);

// The window of the "sorvu" class, at or below `window` (an Xlib Window), that a panel embedded and shows:
// Sorvu's tray icon.
std::optional<unsigned long> sorvuTrayIconWindow(Display* display, unsigned long window);

// Whether a panel on $DISPLAY shows Sorvu's tray icon now.
bool sorvuTrayIconShown();

} // namespace sorvu::test
