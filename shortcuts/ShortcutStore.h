// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/KeyCombination.h"
#include "shortcuts/ShortcutAction.h"

#include <optional>

namespace sorvu {

// Where the user's shortcut overrides live. Only overrides are stored; an action without one uses its
// default.
class ShortcutStore {
public:
    virtual ~ShortcutStore() = default;

    // The stored override, or nothing when none is stored or the stored value cannot be read.
    virtual std::optional<KeyCombination> overrideFor(ShortcutAction action) const = 0;
    // Stores the shortcut in place of any earlier one; given nothing, removes the stored override.
    virtual void setOverride(std::optional<KeyCombination> spec, ShortcutAction action) = 0;
};

} // namespace sorvu
