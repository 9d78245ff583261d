// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteKeys.h"
#include "engine/WindowClass.h"

#include <QHash>
#include <QSettings>
#include <QString>

#include <optional>

namespace sorvu {

// Which keystroke pastes into which program, by the class of the program's window. Terminals leave Ctrl+V to
// the program running inside them, so each pastes with a keystroke of its own; every other program gets Ctrl+V.
// Names are compared without regard to case.
class PasteKeysTable {
public:
    // The settings group that adds to and overrides the built-in table: one key per window class (instance
    // or class name), valued with a keystroke name such as "Ctrl+Shift+V".
    static const QString settingsGroup;

    // The common terminals, so that they work without any setting.
    static PasteKeysTable withDefaults();
    // The defaults with the settings' entries over them. A malformed entry is left out with a log line.
    static PasteKeysTable fromSettings(QSettings& settings);

    // The user's choice for windows of this instance or class name; it outranks every built-in entry.
    void choose(const QString& windowName, PasteKeys keys);
    // The instance name decides before the class name, the user's entries before the built-in ones;
    // Ctrl+V for a window that matches nothing or does not say what it is.
    PasteKeys keysFor(const std::optional<WindowClass>& windowClass) const;

private:
    QHash<QString, PasteKeys> m_builtIn;
    QHash<QString, PasteKeys> m_chosen;
};

} // namespace sorvu
