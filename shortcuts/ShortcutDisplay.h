// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "preferences/Localization.h"
#include "shortcuts/KeyCombination.h"
#include "shortcuts/KeyboardLayoutFunctions.h"
#include "shortcuts/ShortcutAction.h"

#include <QLocale>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace sorvu {

// "F1" to "F20" for the XKB key codes of the function keys; nothing for any other key.
std::optional<QString> functionKeyName(quint16 keyCode);

// "Ctrl+", "Alt+", "Shift+", "Super+" for the modifiers set, always in this order.
QString modifierPrefix(quint64 modifiersRawValue);

// How a shortcut is shown: the modifier prefix, then the function-key name, else the upper-cased text
// the key types, else "Key <number>".
QString displayString(quint16 keyCode, quint64 modifiersRawValue, const CharacterForKeyCode& characterForKeyCode,
                      const TranslationCatalog& catalog, const QLocale& locale);
QString displayString(const KeyCombination& spec, const CharacterForKeyCode& characterForKeyCode,
                      const TranslationCatalog& catalog, const QLocale& locale);

// A default whose character no key of the layout types is still shown, by its character: "Ctrl+Super+C".
QString defaultShortcutTextWithoutKey(ShortcutAction action);

} // namespace sorvu
