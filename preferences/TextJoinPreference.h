// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "preferences/TextSeparatorChoice.h"

#include <QString>

namespace sorvu {

// The separator kind chosen for combined pastes, with the user's own separator, which is kept even while
// another kind is chosen.
struct TextJoinPreference {
    TextSeparatorChoice choice = TextSeparatorChoice::newline;
    QString customSeparator;

    // The text placed between two joined texts; the custom text exactly as typed.
    QString separator() const;

    friend bool operator==(const TextJoinPreference&, const TextJoinPreference&) = default;
};

} // namespace sorvu
