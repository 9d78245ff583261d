// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/KeyModifiers.h"

namespace sorvu::test {

// Modifier values as a stored shortcut holds them; other bits stand for modifiers that never take part.
inline constexpr quint64 shift = quint64(KeyModifier::Shift);
inline constexpr quint64 control = quint64(KeyModifier::Ctrl);
inline constexpr quint64 option = quint64(KeyModifier::Alt);
inline constexpr quint64 command = quint64(KeyModifier::Super);
inline constexpr quint64 controlCommand = control | command;
inline constexpr quint64 capsLock = 0x10000;
inline constexpr quint64 function = 0x800000;

} // namespace sorvu::test
