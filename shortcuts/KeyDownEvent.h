// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/KeyModifiers.h"

#include <QtGlobal>

namespace sorvu {

// One key press anywhere in the session. The key code is the XKB key code (the key's position, not what it
// types): the same number for the same key on X11 and on Wayland, evdev's code plus 8.
struct KeyDownEvent {
    quint16 keyCode = 0;
    KeyModifiers modifiers;
    bool isRepeat = false;
    // A modifier other than Shift, Ctrl, Alt and Super was held (AltGr, Mod3…); the lock keys do not count.
    bool otherModifierHeld = false;
};

} // namespace sorvu
