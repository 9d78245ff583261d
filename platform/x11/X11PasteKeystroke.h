// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteKeys.h"

#include <QSet>

#include <functional>
#include <optional>

namespace sorvu {

// A paste keystroke, posted with XTest on the Qt application's own X connection so that the
// server orders it after our clipboard ownership. Built before the clipboard is written; nothing when
// there is no X display or no XTest. The V is the key typing "v" in the current layout. Posting first
// releases every non-lock key still down (the user's shortcut keys), because a target seeing
// Ctrl+Super+V pastes nothing. Returns once the server has handled every posted event.
std::optional<std::function<void()>> makeX11PasteKeystroke(PasteKeys keys);

// The keys other than Caps Lock and Num Lock that are down in the session; none without a display.
// Lets the caller wait for the user to release a shortcut before pasting.
QSet<quint16> x11KeysDown();

} // namespace sorvu
