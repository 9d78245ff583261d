// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/KeyCombination.h"
#include "shortcuts/ShortcutAction.h"

#include <ostream>

// Readable values in failure messages.
namespace sorvu {

inline void PrintTo(const KeyCombination& spec, std::ostream* out) {
    *out << "KeyCombination{keyCode=" << spec.keyCode << ", modifiers=0x" << std::hex << spec.modifiersRawValue
         << std::dec << "}";
}

inline void PrintTo(const KeyCombination::CodingError& error, std::ostream* out) {
    *out << error.domain.toStdString() << " " << error.code;
}

inline void PrintTo(ShortcutAction action, std::ostream* out) {
    *out << caseName(action).toStdString();
}

} // namespace sorvu
