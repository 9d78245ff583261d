// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

namespace sorvu {

// The keystroke that makes a program paste. Most programs paste with Ctrl+V; terminals keep Ctrl+V for the
// program running inside them and paste with a keystroke of their own.
enum class PasteKeys {
    controlV,
    controlShiftV,
    // The classic X keystroke; xterm pastes the PRIMARY selection with it, others the clipboard.
    shiftInsert,
};

// "Ctrl+V", "Ctrl+Shift+V" or "Shift+Insert": the names the settings file uses.
QString pasteKeysName(PasteKeys keys);
// Reads a name as written by pasteKeysName, ignoring case, spaces and the order of the modifiers; nothing
// for any other keystroke.
std::optional<PasteKeys> pasteKeysFromName(const QString& name);

} // namespace sorvu
