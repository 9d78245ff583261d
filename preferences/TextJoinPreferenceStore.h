// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "preferences/TextJoinPreference.h"

namespace sorvu {

// Where the combined-paste separator is kept between runs.
class TextJoinPreferenceStore {
public:
    virtual ~TextJoinPreferenceStore() = default;

    // Never fails: each missing or unrecognised value falls back on its own default.
    virtual TextJoinPreference load() const = 0;
    // Writes both the choice and the custom text, whatever the choice.
    virtual void save(const TextJoinPreference& preference) = 0;
};

} // namespace sorvu
