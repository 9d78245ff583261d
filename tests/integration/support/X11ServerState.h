// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

namespace sorvu::test {

// What the X server says right now, asked on the Qt application's connection.

// The window owning the CLIPBOARD selection; 0 when nobody owns it.
unsigned long clipboardOwnerWindow();
// The keycodes that are down, Caps Lock and Num Lock included.
QList<int> keyCodesDown();

} // namespace sorvu::test
