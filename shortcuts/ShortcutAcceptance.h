// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/KeyCombination.h"
#include "shortcuts/KeyboardLayoutFunctions.h"

#include <QObject>

#include <optional>

namespace sorvu {

// Which key combinations may serve as a global shortcut: the rule the shortcut recorder applies to each
// combination pressed, and the manager to every override it loads.
class ShortcutAcceptance {
    Q_GADGET

public:
    // Why a combination is refused. The case name is what the log shows.
    enum class Refusal { noModifier, otherModifier, unusableKey };
    Q_ENUM(Refusal)

    // Nothing when the combination is acceptable: at least one of Ctrl, Alt, Shift and Super and no other
    // bit, on a function key (F1 to F20) or on a key that types exactly one letter or digit in the current
    // layout. A bare key would fire on ordinary typing, and a key that types nothing cannot be shown.
    static std::optional<Refusal> refusal(const KeyCombination& spec, const CharacterForKeyCode& characterForKeyCode);
};

} // namespace sorvu
