// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/ShortcutStore.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace sorvu {

// Keeps each override as a byte array of UTF-8 JSON under "shortcutOverride.<raw value>". Holds nothing
// in memory: every call reads or writes the settings.
class SettingsShortcutStore final : public ShortcutStore {
public:
    explicit SettingsShortcutStore(std::shared_ptr<QSettings> settings);

    static QString key(ShortcutAction action);

    std::optional<KeyCombination> overrideFor(ShortcutAction action) const override;
    void setOverride(std::optional<KeyCombination> spec, ShortcutAction action) override;

private:
    std::shared_ptr<QSettings> m_settings;
};

} // namespace sorvu
