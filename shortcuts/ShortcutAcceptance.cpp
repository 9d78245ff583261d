// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/ShortcutAcceptance.h"

#include "shortcuts/ShortcutDisplay.h"

namespace sorvu {

namespace {

bool typesOneLetterOrDigit(quint16 keyCode, const CharacterForKeyCode& characterForKeyCode) {
    if (!characterForKeyCode) {
        return false;
    }
    const std::optional<QString> typed = characterForKeyCode(keyCode);
    if (!typed) {
        return false;
    }
    // One character, which may take two UTF-16 units.
    const QList<uint> characters = typed->toUcs4();
    return characters.size() == 1 && QChar::isLetterOrNumber(char32_t(characters.front()));
}

} // namespace

std::optional<ShortcutAcceptance::Refusal> ShortcutAcceptance::refusal(const KeyCombination& spec,
                                                                       const CharacterForKeyCode& characterForKeyCode) {
    if ((spec.modifiersRawValue & ~quint64(allKeyModifiers.toInt())) != 0) {
        return Refusal::otherModifier;
    }
    if (spec.modifiersRawValue == 0) {
        return Refusal::noModifier;
    }
    if (!functionKeyName(spec.keyCode) && !typesOneLetterOrDigit(spec.keyCode, characterForKeyCode)) {
        return Refusal::unusableKey;
    }
    return std::nullopt;
}

} // namespace sorvu
