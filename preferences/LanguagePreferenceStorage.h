// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

namespace sorvu {

// Where the chosen interface language is kept between runs.
class LanguagePreferenceStorage {
public:
    virtual ~LanguagePreferenceStorage() = default;

    // The stored code as it was saved, unchecked; nothing when the user follows the system.
    virtual std::optional<QString> load() const = 0;
    // Nothing removes the stored code.
    virtual void save(const std::optional<QString>& languageCode) = 0;
};

} // namespace sorvu
