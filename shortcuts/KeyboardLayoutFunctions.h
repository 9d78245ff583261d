// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

namespace sorvu {

// The text a key (an XKB key code, which X11 and Wayland share) types without modifiers in the current ASCII-capable
// layout, as typed; nothing for a key that types nothing, such as a dead key or a function key.
using CharacterForKeyCode = std::function<std::optional<QString>(quint16 keyCode)>;

// The first key, in ascending keycode order, whose text equals the given text when both are lower-cased.
using KeyCodeForCharacter = std::function<std::optional<quint16>(const QString& text)>;

} // namespace sorvu
