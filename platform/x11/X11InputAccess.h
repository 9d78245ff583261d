// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace sorvu {

// Whether the program can post keys and watch the pointer: the Qt application runs on an X display that has
// the XTest and XInput 2 extensions. False without a display or on another platform (a Wayland session); there is
// nothing to ask the user for.
bool hasX11InputAccess();

} // namespace sorvu
