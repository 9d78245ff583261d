// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

namespace sorvu {

// The X display the Qt application talks to (so that our own connections reach the same server), or
// $DISPLAY when Qt is not on X11; empty when there is neither.
QByteArray x11DisplayName();

} // namespace sorvu
